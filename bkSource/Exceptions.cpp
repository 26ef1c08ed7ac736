#include "Exceptions.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include <cxxabi.h>

#include "MessageBoxForm.h"
#include "TextIntface.h"

namespace {

std::string TypeName(const std::exception& failure) {
  const char* mangled = typeid(failure).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> plain(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  return status == 0 && plain ? plain.get() : mangled;
}

}  // namespace

std::string FailureReport(const std::exception* failure, const void* receiver) {
  if (failure == nullptr) return "\r\n";
  char address[16];
  std::snprintf(address, sizeof address, "%08X",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(receiver) & 0xFFFFFFFFu));
  return std::string(failure->what()) + "\r\n" + TypeName(*failure) + " :" + address;
}

void TExceptHandler::ApplicationException(const std::exception* failure, const void* receiver) {
  ShowMessageBox(FailureReport(failure, receiver), CurrentTexts().AppTitle, 16, "OK",
                 CurrentTexts().CloseErrorHint, "Cancel", "");
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  if (FHandler == nullptr) return QApplication::notify(receiver, event);
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    FHandler->ApplicationException(&failure, receiver);
  } catch (...) {
    FHandler->ApplicationException(nullptr, receiver);
  }
  return false;
}
