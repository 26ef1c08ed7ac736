#pragma once
// Failures that nothing caught before they reached the uninstaller's event loop.
//
// The uninstaller's application object (FailureApplication.h) hands them to TExceptHandler,
// which shows them in the window's error list as a finished run with errors would: the
// failure's message and a line break, then, for a failure object, its type name, " :" and
// eight hexadecimal digits (the address of the object whose event raised it).

#include <exception>
#include <string>

class TMainUninstForm;

std::string UninstFailureReport(const std::exception* failure, const void* receiver);

class TExceptHandler {
public:
  explicit TExceptHandler(TMainUninstForm& form) : FForm(form) {}
  void ApplicationException(const std::exception* failure, const void* receiver);

private:
  TMainUninstForm& FForm;
};
