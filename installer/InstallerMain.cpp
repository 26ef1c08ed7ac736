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
    TExceptHandler handler(application, wizard.LbComplete);
    wizard.show();
    application.exec();
  }
  lock.reset();
  if (Installed && !LaunchPath.empty()) ExecProgram(LaunchPath, "", false);
  FreeConfirmGradient();
  FreeSetupGradient();
  return 0;
}
