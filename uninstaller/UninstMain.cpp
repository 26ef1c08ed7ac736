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
    TExceptHandler handler(form);
    application.SetFailureHandler([&handler](const std::exception* failure, const void* receiver) {
      handler.ApplicationException(failure, receiver);
    });
    form.show();
    application.exec();
    application.SetFailureHandler({});
  }
  lock.reset();
  FreeUninstGradient();
  if (DeleteOnExit) DeleteSelf(ExecutablePath());
  return 0;
}
