#include "AutoRun.h"

#include "AutoStart.h"

std::string AutoRunCommand(const std::string& executablePath) {
  return QuoteExecArgument(executablePath) + " " + ReminderArgument;
}

void RegisterAutoStart(const std::string& executablePath) {
  const std::string wanted = AutoRunCommand(executablePath);
  if (ReadAutoStartValue(AutoRunValueName) != wanted)
    WriteAutoStartValue(AutoRunValueName, wanted);
}
