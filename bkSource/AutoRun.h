#pragma once
// The program's entry in the user's logon start list (AutoStart.h): every logon starts it with
// "-birth" to show the day's birthday reminders.

#include <string>

// The name of the entry, shared with the uninstaller, which removes it.
inline constexpr const char* AutoRunValueName = "Kalmiq";
inline constexpr const char* ReminderArgument = "-birth";

// The entry's command for the executable: its quoted path, a blank and "-birth".
std::string AutoRunCommand(const std::string& executablePath);
// Writes the entry when it differs from the command for executablePath, so an unchanged one is
// never touched. Failures are silent.
void RegisterAutoStart(const std::string& executablePath);
