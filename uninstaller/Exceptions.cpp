#include "Exceptions.h"

#include "FailureApplication.h"
#include "FormUninstall.h"

namespace Uninst {

std::string UninstFailureReport(const std::exception* failure, const void* receiver) {
  if (failure == nullptr) return "\n";
  return std::string(failure->what()) + "\n" + FailureTypeName(*failure) + " :" +
         AddressDigits(receiver);
}

TExceptHandler::TExceptHandler(TFailureApplication& application, TMainUninstForm& form)
    : FApplication(application), FForm(form) {
  FApplication.SetFailureHandler([this](const std::exception* failure, const void* receiver) {
    ApplicationException(failure, receiver);
  });
}

TExceptHandler::~TExceptHandler() { FApplication.SetFailureHandler({}); }

void TExceptHandler::ApplicationException(const std::exception* failure, const void* receiver) {
  FForm.ShowFailureText(UninstFailureReport(failure, receiver));
}

}  // namespace Uninst
