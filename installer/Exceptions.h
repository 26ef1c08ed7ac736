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
class TFailureApplication;

std::string SetupFailureReport(const std::exception* failure, const void* receiver);

// While it lives, the failures reaching application's event loop are reported into target.
class TExceptHandler {
public:
  TExceptHandler(TFailureApplication& application, QLabel* target);
  ~TExceptHandler();
  TExceptHandler(const TExceptHandler&) = delete;
  TExceptHandler& operator=(const TExceptHandler&) = delete;
  void ApplicationException(const std::exception* failure, const void* receiver);

private:
  TFailureApplication& FApplication;
  QLabel* FTarget;
};
