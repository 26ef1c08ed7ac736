// The uninstaller after a real installation by the installer's wizard, in a pretend home: the
// real program under a private X server, and its window in the test's own process.

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "AppSelector.h"
#include "AutoStart.h"
#include "BookProcess.h"
#include "DeleteExe.h"
#include "FormUninstall.h"
#include "InstallFixture.h"
#include "UErrors.h"
#include "UserRegistry.h"
#include "XvfbServer.h"
#include "uninstaller/Exceptions.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {


std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
    ::pclose(pipe);
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

class UninstallerTest : public TInstallFixture {
protected:
  UninstallerTest() {
    Install(Target().string());
    EXPECT_EQ(StepLines().filter("   - Ok").size(), 9);
    // What the contact list adds in its folder and the user's autostart list.
    std::ofstream(Target() / "book.dat") << "data";
    for (const char* folder : {"Hist", "Export", "Import"}) fs::create_directories(Target() / folder);
    std::ofstream(Target() / "Hist/2024-03-05.dat") << "data";
    WriteAutoStartValue("Kalmiq", QuoteExecArgument((Target() / "book").string()) + " -birth");
  }

  fs::path Target() const { return Home() / "Kalmiq"; }
  fs::path Trash() const { return Data() / "Trash"; }
  bool Registered() const { return TUserRegistry().KeyExists("Uninstall\\Kalmiq"); }
  bool AutoStarts() const { return !ReadAutoStartValue("Kalmiq").empty(); }
  bool LinksExist() const {
    return fs::exists(DesktopLink()) || fs::exists(QuickLaunchLink()) || fs::exists(MenuGroup());
  }
};

TEST_F(UninstallerTest, TheRealUninstallerClosesTheProgramKeepsTheDataAndRemovesItself) {
  if (Output("command -v Xvfb").empty() || Output("command -v xdotool").empty())
    GTEST_SKIP() << "Xvfb or xdotool is not installed";
  TXvfb server;
  if (server.Display().empty()) GTEST_SKIP() << "no X server could be started";

  TBookProcess book(BOOK_BINARY, Target());
  book.Start({});
  ASSERT_TRUE(WaitFor([&] { return IsCopyRunning("Kalmiq", book.Executable()); }, 10s));

  const std::string program = (Target() / "uninst").string();
  Session.Set("DISPLAY", server.Display());
  Session.Set("QT_QPA_PLATFORM", "xcb");
  char* arguments[] = {const_cast<char*>(program.c_str()), nullptr};
  pid_t uninst = -1;
  ASSERT_EQ(::posix_spawn(&uninst, program.c_str(), nullptr, nullptr, arguments, environ), 0);
  const std::string display = "DISPLAY=" + server.Display() + " ";
  const std::string window = Output(display + "timeout 10 xdotool search --sync --onlyvisible --pid " +
                                    std::to_string(uninst) + " 2>/dev/null | head -n 1");
  ASSERT_FALSE(window.empty());
  EXPECT_EQ(Output(display + "xdotool getwindowname " + window), "Uninstall Vellumark");
  // Return presses the default button, "Remove".
  std::system((display + "xdotool windowfocus --sync " + window + " key Return >/dev/null 2>&1").c_str());
  int status = -1;
  const bool ended = WaitFor([&] { return ::waitpid(uninst, &status, WNOHANG) == uninst; }, 15s);
  if (!ended) ::kill(uninst, SIGKILL);
  ASSERT_TRUE(ended);

  EXPECT_TRUE(book.WaitExit(2s).has_value()) << "the running program was asked to quit";
  EXPECT_FALSE(fs::exists(Target() / "book"));
  EXPECT_FALSE(fs::exists(Target() / "book.cfg"));
  EXPECT_FALSE(fs::exists(Target() / "uninst")) << "the uninstaller removes its own file";
  EXPECT_FALSE(LinksExist());
  EXPECT_FALSE(Registered());
  EXPECT_FALSE(AutoStarts());
  for (const char* kept : {"book.dat", "Hist/2024-03-05.dat", "Export", "Import"})
    EXPECT_TRUE(fs::exists(Target() / kept)) << kept;
}

TEST_F(UninstallerTest, RemovingTheDataMovesItToTheTrash) {
  TMainUninstForm form(Target().string());
  EXPECT_EQ(form.windowTitle(), "Uninstall Vellumark");
  EXPECT_FALSE(form.CbDeleteData->isChecked());
  form.CbDeleteData->setChecked(true);
  form.BtnDeleteClick();
  EXPECT_EQ(form.ErrorText(), "");
  EXPECT_TRUE(DeleteOnExit);
  DeleteOnExit = false;

  for (const char* item : {"book.dat", "Hist", "Export", "Import"}) {
    EXPECT_FALSE(fs::exists(Target() / item)) << item;
    EXPECT_TRUE(fs::exists(Trash() / "files" / item)) << item;
    const std::string info = ReadText(Trash() / "info" / (std::string(item) + ".trashinfo"));
    EXPECT_NE(info.find("[Trash Info]"), std::string::npos) << item;
    EXPECT_NE(info.find("Path=" + (Target() / item).string()), std::string::npos) << info;
    EXPECT_NE(info.find("DeletionDate="), std::string::npos) << item;
  }
  EXPECT_TRUE(fs::exists(Trash() / "files/Hist/2024-03-05.dat"));
  EXPECT_FALSE(Registered());
  EXPECT_FALSE(LinksExist());

  // Only the uninstaller is left, and with it gone the folder goes too.
  DeleteSelf((Target() / "uninst").string());
  EXPECT_FALSE(fs::exists(Target()));
}

TEST_F(UninstallerTest, AMenuGroupWithAUserFileIsListedAndTheEntriesStay) {
  std::ofstream(MenuGroup() / "notes.txt") << "mine";
  TMainUninstForm form(Target().string());
  form.BtnDeleteClick();
  EXPECT_EQ(form.ErrorText(), "Couldn't remove folder\n  " + MenuGroup().string() + "/\n");
  EXPECT_FALSE(DeleteOnExit);
  EXPECT_FALSE(form.MemoErrors->isHidden());
  EXPECT_EQ(form.MemoErrors->toPlainText().toStdString(), form.ErrorText());
  EXPECT_EQ(form.LbFolder->text(), "Uninstall is not complete, some errors occured:");
  EXPECT_TRUE(form.BtnDelete->isHidden());
  EXPECT_EQ(form.BtnCancel->text(), "Exit");
  EXPECT_TRUE(Registered());
  EXPECT_TRUE(AutoStarts());
  EXPECT_FALSE(fs::exists(MenuGroup() / "Vellumark.desktop"));
  EXPECT_FALSE(fs::exists(Target() / "book"));
}

TEST_F(UninstallerTest, WithoutAnUninstallEntryItOnlyOffersExit) {
  TUserRegistry().DeleteKey("Uninstall\\Kalmiq");
  {
    std::ofstream config(Target() / "book.cfg", std::ios::trunc);
    config << "[Language]\r\nProgLang= UKR \r\n";
  }
  TMainUninstForm form(Target().string());
  EXPECT_EQ(form.UninstLang(), 1);
  EXPECT_EQ(form.LbDescription->text(), "Неможливо видалити Vellumark з папки");
  EXPECT_EQ(form.LbProgress->text(), "Не знайдено запису про програму в реєстрі Windows");
  EXPECT_FALSE(form.LbProgress->isHidden());
  EXPECT_TRUE(form.BtnDelete->isHidden());
  EXPECT_TRUE(form.CbDeleteData->isHidden());
  EXPECT_EQ(form.BtnCancel->text(), "Вихід");

  fs::remove(Target() / "book.cfg");
  TMainUninstForm english(Target().string());
  EXPECT_EQ(english.LbDescription->text(), "Couldn't remove Vellumark from the folder");
  EXPECT_EQ(english.BtnCancel->text(), "Exit");
}

TEST_F(UninstallerTest, AnInstallLanguageOutOfRangeGivesEnglish) {
  TUserRegistry registry;
  ASSERT_TRUE(registry.OpenKey("Uninstall\\Kalmiq", false));
  ASSERT_TRUE(registry.WriteInteger("InstallLang", 7));
  TMainUninstForm form(Target().string());
  EXPECT_EQ(form.UninstLang(), 2);
  EXPECT_EQ(form.LbDescription->text(), "Remove Vellumark software from folder?");
  EXPECT_EQ(form.CbDeleteData->text(), "Remove all contacts data");
  form.BtnDeleteClick();
  EXPECT_EQ(form.ErrorText(), "");
  EXPECT_FALSE(LinksExist());
  DeleteOnExit = false;
}

TEST_F(UninstallerTest, AFailureReachingTheLoopIsListedAndTheWindowGoesOn) {
  TMainUninstForm form(Target().string());
  Uninst::TExceptHandler handler(FailureTestApplication(), form);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QTimer::singleShot(0, &form, [] { throw EGeneral("The trash cannot be reached"); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.MemoErrors->isVisible(); }, 2000));

  EXPECT_TRUE(QRegularExpression("^The trash cannot be reached\nEGeneral :[0-9A-F]{8}$")
                  .match(form.MemoErrors->toPlainText())
                  .hasMatch())
      << form.MemoErrors->toPlainText().toStdString();
  EXPECT_EQ(form.LbFolder->text(), "Uninstall is not complete, some errors occured:");
  EXPECT_TRUE(form.BtnDelete->isHidden());
  EXPECT_TRUE(form.CbDeleteData->isHidden());
  EXPECT_TRUE(form.LbProgress->isHidden());
  EXPECT_EQ(form.BtnCancel->text(), "Exit");

  QTest::mouseClick(form.BtnCancel, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible()) << "the window still answers";
  EXPECT_FALSE(DeleteOnExit);
  EXPECT_TRUE(fs::exists(Target() / "book"));
  EXPECT_TRUE(Registered());
}

}  // namespace
