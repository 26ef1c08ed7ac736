#include "BookMain.h"

#include <string>
#include <vector>

#include "AboutForm.h"
#include "AppSelector.h"
#include "AutoRun.h"
#include "BookDataOpen.h"
#include "EditForm.h"
#include "Exceptions.h"
#include "InstanceHost.h"
#include "Keyboard.h"
#include "MainForm.h"
#include "MessageBoxForm.h"
#include "Options.h"
#include "Print.h"
#include "ProgramPaths.h"
#include "QtLanguage.h"
#include "TextIntface.h"
#include "UField.h"

namespace {

constexpr const char* kIdentifier = "Kalmiq";

// The objects that live for the whole process, created in this order and freed in reverse.
// The settings come after the handlers: when "book.cfg" cannot be read, OptionsOpened is false
// and the program ends. The painters of the other dialogs' strips close the list.
class TProcessObjects {
public:
  explicit TProcessObjects(TApplication& application) : FApplication(application) {
    CreateMessageBoxGradient();
    RegisterEngineFieldClasses();
    Book = std::make_unique<TBook>(ExecutableFolder());
    FApplication.SetExceptHandler(&FExceptHandler);
    try {
      CreateProgOptions(ExecutableFolder());
      OptionsOpened = true;
    } catch (const std::exception&) {
      OptionsOpened = false;
    }
    CreatePrintManager();
    CreateEditFormGradient();
    CreateAboutFormGradient();
  }
  ~TProcessObjects() {
    FreeAboutFormGradient();
    FreeEditFormGradient();
    FreePrintManager();
    FreeProgOptions();
    FApplication.SetExceptHandler(nullptr);
    Book.reset();
    ClearFieldClassRegistry();
    FreeMessageBoxGradient();
  }
  TProcessObjects(const TProcessObjects&) = delete;
  TProcessObjects& operator=(const TProcessObjects&) = delete;

  bool OptionsOpened = false;

private:
  TApplication& FApplication;
  TExceptHandler FExceptHandler;
};

void ReminderStart() {
  if (!OpenContactBook(*Book, false)) return;
  std::vector<std::string> reminders;
  if (!Book->GetBirthdays(reminders)) return;
  for (const std::string& reminder : reminders) {
    if (QuitRequested()) return;
    ShowMessageBox(reminder, CurrentTexts().AppTitle, 128, "OK", "", "Cancel", "");
  }
}

void NormalStart() {
  RegisterAutoStart(ExecutablePath());
  ActivateLanguageLayout(CurrentTexts().LangCode);
  if (!OpenContactBook(*Book, true)) return;
  TMainFormBook mainForm(*Book);
  auto* about = new TFormAbout(&mainForm);  // may start the monthly update check
  auto* edit = new TFormEdit(&mainForm);
  mainForm.AttachDialogs(about, edit);
  mainForm.TintDialogs();
  mainForm.show();
  // Ends when the window closes (it stores its settings then) or when another program asks
  // this copy to quit (nothing is stored).
  QApplication::exec();
  StopVersionCheck();
}

void RunProgram(const std::vector<std::string>& arguments) {
  TAppSelector guard(kIdentifier, ExecutablePath(), QtInstanceRequests());
  if (!guard.FirstInstance()) return;
  SelectLanguage(ProgOptions->ProgLang());
  SelectQtLanguage(ProgOptions->ProgLang());
  QCoreApplication::setApplicationName(QString::fromStdString(CurrentTexts().AppTitle));
  if (arguments.empty())
    NormalStart();
  else if (arguments.front() == ReminderArgument)
    ReminderStart();
}

}  // namespace

int BookMain(int argc, char** argv) {
  // Taken before the application object removes the options it knows (-style and the like).
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  TApplication application(argc, argv);
  TProcessObjects objects(application);
  if (!objects.OptionsOpened) {
    if (arguments.empty())
      ShowMessageBox(ExecutableFolder() + CfgFileName, "Open error", 16, "OK", "");
    return 0;
  }
  RunProgram(arguments);
  return 0;
}
