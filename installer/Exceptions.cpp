#include "Exceptions.h"

#include <QLabel>

#include "FailureApplication.h"

std::string SetupFailureReport(const std::exception* failure, const void* receiver) {
  const std::string message = failure != nullptr ? failure->what() : "";
  const std::string type = failure != nullptr ? FailureTypeName(*failure) : "unknown";
  return message + " (" + type + " :" + AddressDigits(receiver) + ")";
}

TExceptHandler::TExceptHandler(TFailureApplication& application, QLabel* target)
    : FApplication(application), FTarget(target) {
  FApplication.SetFailureHandler([this](const std::exception* failure, const void* receiver) {
    ApplicationException(failure, receiver);
  });
}

TExceptHandler::~TExceptHandler() { FApplication.SetFailureHandler({}); }

void TExceptHandler::ApplicationException(const std::exception* failure, const void* receiver) {
  if (FTarget != nullptr)
    FTarget->setText(QString::fromStdString(SetupFailureReport(failure, receiver)));
}
