#include "InstallerMain.h"

#include "Confirm.h"
#include "Exceptions.h"
#include "Exec.h"
#include "FailureApplication.h"
#include "MainForm.h"
#include "UserObjects.h"

int InstallerMain(int argc, char** argv) {
  TFailureApplication application(argc, argv);
  std::unique_ptr<TNamedLock> lock = TNamedLock::TryAcquire(InstallerLockName);
  if (lock == nullptr) return 0;
  CreateSetupGradient();
  CreateConfirmGradient();
  {
    TMainFormSetup wizard;
    TConfirmForm confirm(&wizard);
    TExceptHandler handler(wizard.LbComplete);
    application.SetFailureHandler([&handler](const std::exception* failure, const void* receiver) {
      handler.ApplicationException(failure, receiver);
    });
    wizard.show();
    application.exec();
    application.SetFailureHandler({});
  }
  lock.reset();
  if (Installed && !LaunchPath.empty()) ExecProgram(LaunchPath, "", false);
  FreeConfirmGradient();
  FreeSetupGradient();
  return 0;
}
