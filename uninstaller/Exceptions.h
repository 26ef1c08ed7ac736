#pragma once
// Failures that nothing caught before they reached the uninstaller's event loop.
//
// The uninstaller's application object (FailureApplication.h) hands them to TExceptHandler,
// which shows them in the window's error list as a finished run with errors would: the
// failure's message and a line break, then, for a failure object, its type name, " :" and
// eight hexadecimal digits (the address of the object whose event raised it).
//
// The installer has a handler of the same name; this one lives in the namespace Uninst so that
// a program holding both (the tests) keeps them apart.

#include <exception>
#include <string>

class TFailureApplication;
class TMainUninstForm;

namespace Uninst {

std::string UninstFailureReport(const std::exception* failure, const void* receiver);

// While it lives, the failures reaching application's event loop are shown in form.
class TExceptHandler {
public:
  TExceptHandler(TFailureApplication& application, TMainUninstForm& form);
  ~TExceptHandler();
  TExceptHandler(const TExceptHandler&) = delete;
  TExceptHandler& operator=(const TExceptHandler&) = delete;
  void ApplicationException(const std::exception* failure, const void* receiver);

private:
  TFailureApplication& FApplication;
  TMainUninstForm& FForm;
};

}  // namespace Uninst
