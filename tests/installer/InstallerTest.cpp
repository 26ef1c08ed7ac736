// The installer end to end in the test's process: the wizard's pages and summary, a whole
// installation into a pretend home, installing again over it, and the failures a person meets.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "AppSelector.h"
#include "AutoStart.h"
#include "BookProcess.h"
#include "DesktopEntry.h"
#include "Exceptions.h"
#include "Exec.h"
#include "FreeSpace.h"
#include "InstallFixture.h"
#include "InstallerMain.h"
#include "NamSelDir.h"
#include "SpacedLabel.h"
#include "TranspCheckBox.h"
#include "UErrors.h"
#include "UserObjects.h"
#include "UserRegistry.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {


std::string Folder(const fs::path& path) { return path.string() + "/"; }

QString Text(const fs::path& path) { return QString::fromStdString(path.string()); }

// The folder chooser as the user meets it: act runs once the chooser shows, and must end it.
struct TChooser {
  QDialog& Dialog;
  QTreeView* Tree() const { return Dialog.findChild<QTreeView*>("Tree"); }
  QLineEdit* Edit() const { return Dialog.findChild<QLineEdit*>("EditName"); }
  QPushButton* Button(QDialogButtonBox::StandardButton which) const {
    return Dialog.findChild<QDialogButtonBox*>()->button(which);
  }
  QString Current() const {
    return static_cast<QFileSystemModel*>(Tree()->model())->filePath(Tree()->currentIndex());
  }
  void Select(const fs::path& folder) const {
    Tree()->setCurrentIndex(static_cast<QFileSystemModel*>(Tree()->model())->index(Text(folder)));
  }
};

void WhenChooserShows(std::function<void(const TChooser&)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog->objectName() != "NamedDirDialog") return;
    poll->stop();
    poll->deleteLater();
    act(TChooser{*dialog});
  });
  poll->start(5);
}

// Stands in for the file system's free-space answer while it lives.
struct TFreeSpaceStandIn {
  explicit TFreeSpaceStandIn(TFreeSpaceQuery query) { SetFreeSpaceQuery(std::move(query)); }
  ~TFreeSpaceStandIn() { SetFreeSpaceQuery({}); }
};

}  // namespace

using InstallerTest = TInstallFixture;

TEST_F(InstallerTest, InstallsEverythingInEnglishWithAllOptions) {
  EXPECT_EQ(Wizard->LbVersion->text(), "Version 1.2");
  const fs::path target = Home() / "Kalmiq";
  EXPECT_EQ(Wizard->EditPath->text().toStdString(), target.string());
  Install(target.string());

  EXPECT_EQ(StepLines(), QStringList({"Checking working software availability   - Ok",
                                      "Checking free space on the hard drive   - Ok",
                                      "Creating installation directory   - Ok",
                                      "Copying program files   - Ok",
                                      "Creating a program entry in the Registry   - Ok",
                                      "Creating configuration file   - Ok",
                                      "Creating program group in the Start Menu   - Ok",
                                      "Creating a shortcut on the Desktop   - Ok",
                                      "Creating a shortcut in the Quick Launch   - Ok"}));
  const QStringList lines = Wizard->ProgressLines();
  EXPECT_TRUE(lines.contains("    " + QString::fromStdString(Folder(target) + "book")));
  EXPECT_TRUE(lines.contains("    " + QString::fromStdString(Folder(target) + "book.cfg")));
  EXPECT_TRUE(lines.contains("    " + QString::fromStdString(DesktopLink().string())));
  EXPECT_EQ(Wizard->LbComplete->text(), "\nInstallation successful!");
  EXPECT_TRUE(Wizard->BtnNext->isHidden());
  EXPECT_EQ(Wizard->BtnCancel->text(), "Exit");
  EXPECT_TRUE(Answers.Asked.isEmpty());

  // The carried programs, byte for byte, ready to run.
  EXPECT_EQ(fs::file_size(target / "book"), fs::file_size(BOOK_BINARY));
  EXPECT_EQ(fs::file_size(target / "uninst"), fs::file_size(UNINST_BINARY));
  EXPECT_NE(fs::status(target / "book").permissions() & fs::perms::owner_exec, fs::perms::none);
  EXPECT_NE(ReadText(target / "book.cfg").find("ProgLang=ENG"), std::string::npos);

  // The launchers start the program in its folder.
  const std::string exec = QuoteExecArgument(Folder(target) + "book");
  for (const fs::path& link : {MenuGroup() / "Vellumark.desktop", DesktopLink(), QuickLaunchLink()}) {
    EXPECT_EQ(ReadDesktopEntryValue(link, "Exec"), exec) << link;
    EXPECT_EQ(ReadDesktopEntryValue(link, "Path"), target.string()) << link;
  }
  EXPECT_EQ(ReadDesktopEntryValue(MenuGroup() / "Vellumark.desktop", "Comment"), "Electronic notebook");
  EXPECT_EQ(ReadDesktopEntryValue(MenuGroup() / "Uninstall.desktop", "Exec"),
            QuoteExecArgument(Folder(target) + "uninst"));
  EXPECT_NE(fs::status(DesktopLink()).permissions() & fs::perms::owner_exec, fs::perms::none);

  // The uninstall entry.
  TUserRegistry registry;
  ASSERT_TRUE(registry.OpenKey("Uninstall\\Kalmiq", false));
  EXPECT_EQ(registry.ReadString("DisplayName"), "Kalmiq");
  EXPECT_EQ(registry.ReadString("UninstallString"), Folder(target) + "uninst");
  EXPECT_EQ(registry.ReadString("DisplayIcon"), Folder(target) + "book");
  EXPECT_EQ(registry.ReadString("DisplayVersion"), "1.2");
  EXPECT_EQ(registry.ReadInteger("NoModify"), 1);
  EXPECT_EQ(registry.ReadInteger("NoRepair"), 1);
  EXPECT_EQ(registry.ReadString("Publisher"), "www.vellumark.example");
  EXPECT_EQ(registry.ReadString("UrlInfoAbout"), "https://www.vellumark.example/langs/eng/index.html");
  EXPECT_EQ(registry.ReadString("UrlUpdateInfo"), "https://www.vellumark.example/langs/eng/book.html");
  EXPECT_EQ(registry.ReadString("HelpLink"), "https://www.vellumark.example/langs/eng/bookhelp.html");
  EXPECT_EQ(registry.ReadInteger("InstallLang"), 2);
  EXPECT_EQ(registry.ReadInteger("EstimatedSize"),
            static_cast<int>(fs::file_size(BOOK_BINARY) / 1024 + fs::file_size(UNINST_BINARY) / 1024));

  // Closing with "Launch program after install" checked starts the installed program.
  Wizard->close();
  ASSERT_TRUE(Installed);
  EXPECT_EQ(LaunchPath, Folder(target) + "book");
  ExecProgram(LaunchPath, "", false);
  const std::string book = (target / "book").string();
  EXPECT_TRUE(WaitFor([&] { return IsCopyRunning("Kalmiq", book); }, 10s));
  EXPECT_EQ(ReadAutoStartValue("Kalmiq"), QuoteExecArgument(book) + " -birth");
  AskCopyToQuit("Kalmiq", book);
  EXPECT_TRUE(WaitFor([&] { return !IsCopyRunning("Kalmiq", book); }, 10s));
}

TEST_F(InstallerTest, InstallingAgainAsksOnceAndKeepsTheSettingsWhenTold) {
  const fs::path target = Home() / "Kalmiq";
  Install(target.string());
  ASSERT_EQ(StepLines().size(), 9);

  // "Yes for all" at the first question replaces the rest silently.
  Answers.Add(mrYesToAll);
  Install(target.string());
  ASSERT_EQ(Answers.Asked.size(), 1);
  EXPECT_TRUE(Answers.Asked[0].contains("book")) << Answers.Asked[0].toStdString();
  EXPECT_TRUE(Answers.Asked[0].startsWith("The file already exists.\n"));
  EXPECT_EQ(StepLines().filter("   - Ok").size(), 9);
  EXPECT_EQ(Wizard->InstalledKB(),
            static_cast<int>(fs::file_size(BOOK_BINARY) / 1024 + fs::file_size(UNINST_BINARY) / 1024));

  // The user's own settings survive a "No" for book.cfg; "No for all" keeps the launchers.
  {
    std::ofstream config(target / "book.cfg", std::ios::binary | std::ios::trunc);
    config << "[Language]\r\nProgLang=UKR\r\n\r\n[Window]\r\nLeft=00000010\r\n";
  }
  const std::string before = ReadText(target / "book.cfg");
  fs::remove(DesktopLink());
  Answers.Asked.clear();
  for (TConfirmAnswer answer : {mrYes, mrYes, mrNo, mrNoToAll}) Answers.Add(answer);
  Install(target.string());
  EXPECT_EQ(Answers.Asked.size(), 4);
  EXPECT_EQ(StepLines().filter("   - Ok").size(), 9);
  EXPECT_EQ(ReadText(target / "book.cfg"), before);
  EXPECT_TRUE(fs::exists(DesktopLink())) << "a missing launcher is written after No for all";
}

TEST_F(InstallerTest, AsksTheRunningProgramInTheTargetFolderToQuit) {
  const fs::path target = Home() / "Kalmiq";
  Install(target.string());
  TBookProcess book(BOOK_BINARY, target);
  book.Start({});
  ASSERT_TRUE(WaitFor([&] { return IsCopyRunning("Kalmiq", book.Executable()); }, 10s));

  Answers.Add(mrYesToAll);
  Install(target.string());
  EXPECT_EQ(StepLines().value(0), "Checking working software availability   - Ok");
  EXPECT_TRUE(book.WaitExit(5s).has_value());
  EXPECT_EQ(StepLines().filter("   - Ok").size(), 9);
}

TEST_F(InstallerTest, AFolderUnderAMissingParentFailsAtTheThirdStep) {
  const fs::path missing = Session.Root / "missing" / "deeper";
  Install((missing / "Kalmiq").string());
  EXPECT_EQ(StepLines(), QStringList({"Checking working software availability   - Ok",
                                      "Checking free space on the hard drive   - Ok",
                                      "Creating installation directory   - Error"}));
  EXPECT_EQ(Wizard->ProgressLines().last(),
            "    Could'n find the directory  \"" + QString::fromStdString(Folder(missing)) + "\"");
  EXPECT_EQ(Wizard->LbComplete->text(),
            "Errors occured while installing the program.\nInstallation uncomplete!");
  EXPECT_TRUE(Wizard->BtnNext->isVisible() || !Wizard->BtnNext->isHidden());
  EXPECT_EQ(Wizard->BtnNext->text(), "Install");
  EXPECT_FALSE(Wizard->BtnBack->isHidden());
  EXPECT_FALSE(fs::exists(missing));

  // Back to the folder page, a good folder, and the run succeeds.
  Wizard->BtnBack->click();
  EXPECT_EQ(Wizard->Page(), 3);
  Wizard->CbExec->setChecked(false);
  Install((Home() / "Kalmiq").string());
  EXPECT_EQ(StepLines().filter("   - Ok").size(), 9);
  Wizard->close();
  EXPECT_FALSE(Installed) << "the launch box was unchecked";
}

TEST_F(InstallerTest, SummaryShowsARelativeFolderAsAbsoluteAndTheChosenOptions) {
  const fs::path previous = fs::current_path();
  fs::current_path(Home());
  Wizard->BtnNext->click();
  Wizard->BtnNext->click();
  Wizard->EditPath->setText("apps/Kalmiq");
  for (QCheckBox* box : {Wizard->CbMenu, Wizard->CbDesktop, Wizard->CbQuick}) box->setChecked(false);
  Wizard->BtnNext->click();
  fs::current_path(previous);
  EXPECT_EQ(Wizard->ProgressLines(),
            QStringList({"Installation language", "    English", "Installation folder",
                         "    \"" + QString::fromStdString(Folder(Home() / "apps/Kalmiq")) + "\"",
                         "Create a program group in Start Menu", "    No",
                         "Create a program shortcut on the Desktop", "    No",
                         "Create a program shortcut in Quick Launch (recommended)", "    No", ""}));

  // With the three boxes unchecked the run has six steps.
  Install((Home() / "Kalmiq").string());
  EXPECT_EQ(StepLines().size(), 6);
  EXPECT_EQ(StepLines().filter("   - Ok").size(), 6);
  EXPECT_FALSE(fs::exists(DesktopLink()));
  EXPECT_FALSE(fs::exists(MenuGroup()));
}

TEST_F(InstallerTest, RussianRecaptionsTheWizardAndTheQuestion) {
  ASSERT_EQ(Wizard->ComboBoxLang->count(), 3);
  Wizard->ComboBoxLang->setCurrentIndex(1);
  Wizard->ApplyLanguage(1);
  EXPECT_EQ(Wizard->SetupLang(), 0);
  EXPECT_EQ(Wizard->windowTitle(), "Vellumark - установка программы");
  EXPECT_EQ(Wizard->BtnNext->text(), "Далее >");
  EXPECT_EQ(Wizard->CbMenu->text(), "Создать группу программ в меню Пуск");
  EXPECT_EQ(stBtnYesToAll, "Да для всех");
  EXPECT_EQ(QCoreApplication::applicationName(), "Установка Vellumark");
  Wizard->BtnNext->click();
  EXPECT_EQ(Wizard->BtnNext->text(), "Принимаю");
}

TEST_F(InstallerTest, ASecondInstallerEndsAtOnce) {
  const std::string program = INSTALLER_BINARY;
  char* arguments[] = {const_cast<char*>(program.c_str()), nullptr};
  pid_t first = -1;
  ASSERT_EQ(::posix_spawn(&first, program.c_str(), nullptr, nullptr, arguments, environ), 0);
  ASSERT_TRUE(WaitFor([] { return TNamedLock::IsHeld(InstallerLockName); }, 10s));
  pid_t second = -1;
  ASSERT_EQ(::posix_spawn(&second, program.c_str(), nullptr, nullptr, arguments, environ), 0);
  int status = -1;
  const bool ended = WaitFor([&] { return ::waitpid(second, &status, WNOHANG) == second; }, 5s);
  ::kill(first, SIGTERM);
  ::waitpid(first, nullptr, 0);
  ASSERT_TRUE(ended);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(InstallerTest, BrowsingOpensOnTheParentProposesTheNameAndReturnsTheEditedFolder) {
  fs::create_directories(Home() / "Apps");
  Wizard->BtnNext->click();
  Wizard->BtnNext->click();
  QString openedOn, proposedAtOpen, proposed, caption, title, buttons;
  WhenChooserShows([&](const TChooser& chooser) {
    openedOn = chooser.Current();
    proposedAtOpen = chooser.Edit()->text();
    caption = chooser.Dialog.windowTitle();
    title = chooser.Dialog.findChild<QLabel*>("Title")->text();
    buttons = chooser.Button(QDialogButtonBox::Ok)->text() + "|" +
              chooser.Button(QDialogButtonBox::Cancel)->text();
    chooser.Select(Home() / "Apps");
    proposed = chooser.Edit()->text();
    chooser.Edit()->setText(Text(Home() / "Apps/Notebook"));
    QTest::mouseClick(chooser.Button(QDialogButtonBox::Ok), Qt::LeftButton);
  });
  Wizard->BtnBrowse->click();
  // The proposed folder does not exist yet: the chooser opens on the folder above it.
  EXPECT_EQ(openedOn, Text(Home()));
  EXPECT_EQ(proposedAtOpen, Text(Home() / "Kalmiq"));
  EXPECT_EQ(caption, "Browse folders");
  EXPECT_EQ(title, "Choose installation folder");
  EXPECT_EQ(buttons, "OK|Cancel");
  EXPECT_EQ(proposed, Text(Home() / "Apps/Kalmiq"));
  EXPECT_EQ(Wizard->EditPath->text(), Text(Home() / "Apps/Notebook")) << "the edited name counts";

  // Cancelling leaves the folder as it was, whatever was selected meanwhile.
  WhenChooserShows([&](const TChooser& chooser) {
    openedOn = chooser.Current();
    chooser.Select(Home());
    QTest::mouseClick(chooser.Button(QDialogButtonBox::Cancel), Qt::LeftButton);
  });
  Wizard->BtnBrowse->click();
  EXPECT_EQ(openedOn, Text(Home() / "Apps"));
  EXPECT_EQ(Wizard->EditPath->text(), Text(Home() / "Apps/Notebook"));
}

TEST_F(InstallerTest, TheFolderChooserReturnsTheSelectedFolderForAnEmptiedNameAndChecksItsName) {
  std::string path = (Home() / "Kalmiq").string();
  WhenChooserShows([&](const TChooser& chooser) {
    chooser.Edit()->clear();
    QTest::mouseClick(chooser.Button(QDialogButtonBox::Ok), Qt::LeftButton);
  });
  EXPECT_TRUE(SelectDirWithName("Kalmiq", path, "", "", "", ""));
  EXPECT_EQ(path, Home().string());

  for (const auto& [name, message] : {std::pair{" Kalmiq", "Not Trimmed Default Direcdtory Name"},
                                      std::pair{"", "Default Direcdtory Name Is Empty"}}) {
    try {
      SelectDirWithName(name, path, "", "", "", "");
      ADD_FAILURE() << "no failure for \"" << name << "\"";
    } catch (const EGeneral& failure) {
      EXPECT_TRUE(std::string(failure.what()).starts_with(message)) << failure.what();
    }
  }
}

TEST_F(InstallerTest, TooLittleFreeSpaceFailsAtTheSecondStep) {
  const fs::path target = Home() / "Kalmiq";
  struct {
    std::optional<std::uintmax_t> free;
    bool enough;
  } cases[] = {{8388607, false}, {std::nullopt, false}, {8388608, true}};
  for (const auto& c : cases) {
    std::string asked;
    TFreeSpaceStandIn standIn([&](const std::string& folder) {
      asked = folder;
      return c.free;
    });
    Install(target.string());
    const std::string label = c.free ? std::to_string(*c.free) : "unreadable";
    // The folder does not exist yet: the space is that of the folder it will be made in.
    EXPECT_EQ(asked, Home().string()) << label;
    if (c.enough) {
      EXPECT_EQ(StepLines().filter("   - Ok").size(), 9) << label;
      continue;
    }
    EXPECT_EQ(StepLines(), QStringList({"Checking working software availability   - Ok",
                                        "Checking free space on the hard drive   - Error"}))
        << label;
    EXPECT_EQ(Wizard->ProgressLines().last(),
              "    Not enough free space on the hard drive " + Text(Home()))
        << label;
    EXPECT_FALSE(fs::exists(target)) << label;
    EXPECT_EQ(Wizard->BtnNext->text(), "Install");
  }
}

TEST_F(InstallerTest, OnlyEnglishIsOfferedWhereTheLocaleCannotShowCyrillic) {
  // The fixture's LANG is C.UTF-8; LC_ALL and then LC_CTYPE come before it.
  struct {
    const char* variable;
    const char* locale;
    int languages;
  } cases[] = {{"LC_ALL", "C", 1},
               {"LC_ALL", "POSIX", 1},
               {"LC_ALL", "en_US.ISO-8859-1", 1},
               {"LC_CTYPE", "de_DE.ISO-8859-15", 1},
               {"LC_ALL", "ru_RU.KOI8-R", 3},
               {"LC_ALL", "uk_UA.UTF-8", 3}};
  for (const auto& c : cases) {
    TUserSession locale;
    locale.Set("LC_ALL", "");
    locale.Set(c.variable, c.locale);
    TMainFormSetup wizard;
    ASSERT_EQ(wizard.ComboBoxLang->count(), c.languages) << c.variable << "=" << c.locale;
    EXPECT_EQ(wizard.ComboBoxLang->itemText(0), "English");
    EXPECT_EQ(wizard.SetupLang(), 2);
  }
}

TEST_F(InstallerTest, TransparentCheckBoxesReplaceTheirBoxesAndCheckTheirArguments) {
  QWidget window;
  QObject notAWidget;
  auto* box = new QCheckBox("Remember me", &window);
  box->setObjectName("CbRemember");
  box->setGeometry(12, 34, 150, 17);
  box->setChecked(false);
  struct {
    QObject* owner;
    QCheckBox* replaced;
    const char* message;
  } faults[] = {{nullptr, box, "Not assigned AOwner param"},
                {&window, nullptr, "Not assigned replaced param"},
                {&notAWidget, box, "AOwner param not is TWinControl"}};
  for (const auto& fault : faults) {
    try {
      new TTranspCheckBox(fault.owner, fault.replaced);
      ADD_FAILURE() << "no failure for " << fault.message;
    } catch (const EGeneral& failure) {
      EXPECT_TRUE(std::string(failure.what()).starts_with(fault.message)) << failure.what();
    }
  }

  QPointer<QCheckBox> replaced = box;
  auto* transparent = new TTranspCheckBox(&window, box);
  EXPECT_TRUE(replaced.isNull());
  EXPECT_EQ(transparent->parent(), &window);
  EXPECT_EQ(transparent->objectName(), "CbRememberasTransparent");
  EXPECT_EQ(transparent->geometry(), QRect(12, 34, 150, 17));
  EXPECT_EQ(transparent->text(), "Remember me");
  EXPECT_FALSE(transparent->isChecked());
  EXPECT_FALSE(transparent->autoFillBackground());
}

TEST_F(InstallerTest, AFailureInAnEventHandlerIsShownInTheBottomLineAndTheWizardGoesOn) {
  TExceptHandler handler(FailureTestApplication(), Wizard->LbComplete);
  Wizard->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Wizard.get()));
  for (int page = 1; page < 4; ++page) Wizard->BtnNext->click();
  // A wizard without its replacement question is a fault of the program's own making.
  Confirm.reset();
  QTest::mouseClick(Wizard->BtnNext, Qt::LeftButton);
  EXPECT_EQ(Wizard->LbComplete->text(),
            "The replacement dialog must be created in installer/MainForm (EGeneral :" +
                QString::fromStdString(AddressDigits(Wizard->BtnNext)) + ")");
  EXPECT_TRUE(Wizard->isVisible());

  QTest::mouseClick(Wizard->BtnCancel, Qt::LeftButton);
  EXPECT_FALSE(Wizard->isVisible()) << "the wizard still answers";
}

TEST_F(InstallerTest, TextsFitTheirControlsOnEveryPageInEachLanguage) {
  Wizard->show();
  for (int position = 0; position < 3; ++position) {
    Wizard->ComboBoxLang->setCurrentIndex(position);
    Wizard->ApplyLanguage(position);
    for (int page = 1; page <= 4; ++page) {
      if (page == 1) Wizard->ShowLanguagePage();
      else Wizard->BtnNext->click();
      for (QWidget* control : Wizard->findChildren<QWidget*>()) {
        if (control->isHidden()) continue;
        const std::string where = control->objectName().toStdString() + " on page " +
                                  std::to_string(page) + " in language " +
                                  std::to_string(Wizard->SetupLang());
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
          EXPECT_LE(box->sizeHint().width(), box->width()) << where;
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
          // The style asks for wide buttons; the text only needs to stay clear of the frame.
          EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width())
              << where;
        } else if (auto* spaced = dynamic_cast<TSpacedLabel*>(control)) {
          const int lines = static_cast<int>(spaced->text().count('\n')) + 1;
          EXPECT_LE(lines * spaced->LinePitch(), spaced->height()) << where;
          for (const QString& line : spaced->text().split('\n'))
            EXPECT_LE(spaced->fontMetrics().horizontalAdvance(line), spaced->width()) << where;
        } else if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) {
          EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << where;
        }
      }
    }
  }
}
