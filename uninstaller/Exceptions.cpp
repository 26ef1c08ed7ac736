#include "Exceptions.h"

#include "FailureApplication.h"
#include "FormUninstall.h"

std::string UninstFailureReport(const std::exception* failure, const void* receiver) {
  if (failure == nullptr) return "\n";
  return std::string(failure->what()) + "\n" + FailureTypeName(*failure) + " :" +
         AddressDigits(receiver);
}

void TExceptHandler::ApplicationException(const std::exception* failure, const void* receiver) {
  FForm.ShowFailureText(UninstFailureReport(failure, receiver));
}
