#include "UninstMain.h"

#include "DeleteExe.h"
#include "Exceptions.h"
#include "FailureApplication.h"
#include "FormUninstall.h"
#include "ProgramPaths.h"
#include "UserObjects.h"

int UninstMain(int argc, char** argv) {
  TFailureApplication application(argc, argv);
  std::unique_ptr<TNamedLock> lock = TNamedLock::TryAcquire(UninstallerLockName);
  if (lock == nullptr) return 0;
  CreateUninstGradient();
  {
    TMainUninstForm form(ExecutableFolder());
    Uninst::TExceptHandler handler(application, form);
    form.show();
    application.exec();
  }
  lock.reset();
  FreeUninstGradient();
  if (DeleteOnExit) DeleteSelf(ExecutablePath());
  return 0;
}
