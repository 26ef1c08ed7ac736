#include "FailureApplication.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include <cxxabi.h>

bool TFailureApplication::notify(QObject* receiver, QEvent* event) {
  if (!FHandler) return QApplication::notify(receiver, event);
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    FHandler(&failure, receiver);
  } catch (...) {
    FHandler(nullptr, receiver);
  }
  return false;
}

std::string FailureTypeName(const std::exception& failure) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> plain(
      abi::__cxa_demangle(typeid(failure).name(), nullptr, nullptr, &status), &std::free);
  return status == 0 && plain ? plain.get() : typeid(failure).name();
}

std::string AddressDigits(const void* address) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08X",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(address) & 0xFFFFFFFFu));
  return digits;
}
