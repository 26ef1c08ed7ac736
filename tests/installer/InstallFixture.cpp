#include "InstallFixture.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFailureApplication& FailureTestApplication() {
  static int argc = 1;
  static char name[] = "tests";
  static char* argv[] = {name, nullptr};
  if (qApp == nullptr) new TFailureApplication(argc, argv);
  auto* application = dynamic_cast<TFailureApplication*>(qApp);
  if (application == nullptr) throw std::logic_error("another kind of application came first");
  return *application;
}

TScriptedAnswers::TScriptedAnswers() {
  FailureTestApplication();  // the timer needs the application
  QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
  FTimer.start(5);
}

void TScriptedAnswers::Poll() {
  TConfirmForm* form = ConfirmForm();
  if (form == nullptr || !form->isVisible()) return;
  Asked.append(form->LbQuestion->text());
  // An unexpected question is closed with the window's close box: the file is kept.
  if (FQueue.empty()) {
    form->reject();
    return;
  }
  const TConfirmAnswer answer = FQueue.front();
  FQueue.pop_front();
  QPushButton* button = answer == mrYes        ? form->BtnYes
                        : answer == mrYesToAll ? form->BtnYesToAll
                        : answer == mrNo       ? form->BtnNo
                                               : form->BtnNoToAll;
  button->click();
}

TInstallFixture::TInstallFixture() {
  FailureTestApplication();
  Session.Set("XDG_DATA_HOME", Data().string());
  Session.Set("LANG", "C.UTF-8");
  Installed = false;
  LaunchPath.clear();
  Wizard = std::make_unique<TMainFormSetup>();
  Confirm = std::make_unique<TConfirmForm>(Wizard.get());
}

TInstallFixture::~TInstallFixture() {
  Confirm.reset();
  Wizard.reset();
}

void TInstallFixture::Install(const std::string& folder) {
  while (Wizard->Page() > 1) Wizard->BtnBack->click();
  Wizard->BtnNext->click();
  Wizard->BtnNext->click();
  Wizard->EditPath->setText(QString::fromStdString(folder));
  Wizard->BtnNext->click();
  ASSERT_EQ(Wizard->Page(), 4);
  Wizard->BtnNext->click();
}

QStringList TInstallFixture::StepLines() const {
  QStringList steps;
  for (const QString& line : Wizard->ProgressLines())
    if (line.endsWith("   - Ok") || line.endsWith("   - Error")) steps.append(line);
  return steps;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}
