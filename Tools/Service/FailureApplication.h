#pragma once
// An application object that hands failures escaping from event handlers to a handler of the
// program instead of ending it; the event loop then goes on. The installer and the uninstaller
// report them in their windows.

#include <exception>
#include <functional>
#include <string>

#include <QApplication>

class TFailureApplication : public QApplication {
public:
  // failure is null for a thrown value that is no std::exception; receiver is the object whose
  // event raised it.
  using THandler = std::function<void(const std::exception* failure, const void* receiver)>;

  TFailureApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  // An empty handler lets failures end the program.
  void SetFailureHandler(THandler handler) { FHandler = std::move(handler); }
  bool notify(QObject* receiver, QEvent* event) override;

private:
  THandler FHandler;
};

// The failure's type as the source names it ("EGeneral").
std::string FailureTypeName(const std::exception& failure);
// Eight upper-case hexadecimal digits of an address: where a native program names the failing
// code address, which has no counterpart here, the reports name the receiving object.
std::string AddressDigits(const void* address);
