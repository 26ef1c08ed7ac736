#pragma once
// Failures that nothing caught before they reached the installer's event loop.
//
// The installer's application object (FailureApplication.h) hands them to TExceptHandler, which
// shows no box: it writes the report into the wizard's bottom line (LbComplete), and the wizard
// stays usable. The report is the failure's message, " (", its type name, " :", eight
// hexadecimal digits (the address of the object whose event raised it) and ")".

#include <exception>
#include <string>

class QLabel;

std::string SetupFailureReport(const std::exception* failure, const void* receiver);

class TExceptHandler {
public:
  explicit TExceptHandler(QLabel* target) : FTarget(target) {}
  void ApplicationException(const std::exception* failure, const void* receiver);

private:
  QLabel* FTarget;
};
