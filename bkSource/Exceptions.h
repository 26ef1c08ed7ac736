#pragma once
// Failures that nothing caught before they reached the event loop.
//
// TApplication is the program's application object: every event it delivers runs inside a
// handler, and a failure escaping from one goes to TExceptHandler, which reports it in the
// message box (error icon, the product name as caption) and lets the event loop go on.
//
// The report is the failure's message, a line break, and, for a failure object, its type name,
// " :" and eight hexadecimal digits. Where a native program would name the code address of the
// failing instruction, which has no counterpart here, the digits are the address of the object
// whose event raised the failure: what a developer needs to find the window or control involved.

#include <exception>
#include <functional>
#include <string>

#include <QApplication>

// The report text; failure may be null for a thrown value that is no std::exception.
std::string FailureReport(const std::exception* failure, const void* receiver);

class TExceptHandler {
public:
  // Shows the report and returns when the user has closed it.
  void ApplicationException(const std::exception* failure, const void* receiver);
};

class TApplication : public QApplication {
public:
  TApplication(int& argc, char** argv);

  // The handler in charge of escaped failures; null lets them end the program.
  void SetExceptHandler(TExceptHandler* handler) { FHandler = handler; }
  bool notify(QObject* receiver, QEvent* event) override;

private:
  TExceptHandler* FHandler = nullptr;
};
