// The program started as a person starts it: real child processes of the built executable in
// folders of their own, with a pretend user session. The guard's tests run on the offscreen
// platform, where a shown box simply keeps its process waiting; the tests that must see a box
// run under a private X server and are skipped, saying why, where none can be started.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <thread>

#include <QImage>

#include "AppSelector.h"
#include "AutoRun.h"
#include "AutoStart.h"
#include "BookData.h"
#include "BookProcess.h"
#include "UDateTime.h"
#include "UField.h"
#include "UserSession.h"
#include "XvfbServer.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Runs on the offscreen platform, away from any X server of the machine.
const std::vector<std::string> kOffscreen = {"QT_QPA_PLATFORM=offscreen", "DISPLAY="};

std::string TodayText(int yearsAgo) {
  int year = 0, month = 0, day = 0;
  DecodeDate(Today(), year, month, day);
  char text[40];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year - yearsAgo);
  return text;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

bool CopyRuns(const TBookProcess& book) { return IsCopyRunning("Kalmiq", book.Executable()); }

std::string Output(const std::string& command) {
  std::string text;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  char buffer[256];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

class StartupTest : public ::testing::Test {
protected:
  fs::path Folder(const char* name) const { return session.Root / name; }
  fs::path AutoStartEntry() const { return session.Root / "config/autostart/Kalmiq.desktop"; }

  TUserSession session;
};

// A private X server, and the windows that a child shows on it.
class ScreenTest : public StartupTest {
protected:
  void SetUp() override {
    if (Output("command -v Xvfb").empty() || Output("command -v xdotool").empty())
      GTEST_SKIP() << "Xvfb or xdotool is not installed";
    server = std::make_unique<TXvfb>("640x480x24");
    if (server->Display().empty()) GTEST_SKIP() << "Xvfb did not start";
    env = {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + server->Display()};
  }

  // The visible window of the process, 0 while there is none.
  unsigned long ShownWindow(const TBookProcess& book) const {
    const std::string id = Output("DISPLAY=" + server->Display() +
                                  " xdotool search --onlyvisible --pid " +
                                  std::to_string(book.Pid()) + " 2>/dev/null | head -1");
    return id.empty() ? 0 : std::stoul(id);
  }
  unsigned long WaitForWindow(const TBookProcess& book, std::chrono::milliseconds limit) const {
    unsigned long window = 0;
    WaitUntil([&] { return (window = ShownWindow(book)) != 0; }, limit);
    return window;
  }
  std::string Title(unsigned long window) const {
    return Output("DISPLAY=" + server->Display() + " xdotool getwindowname " +
                  std::to_string(window));
  }
  void PressEnter(unsigned long window) const {
    std::system(("DISPLAY=" + server->Display() + " xdotool windowfocus --sync " +
                 std::to_string(window) + " key Return >/dev/null 2>&1").c_str());
  }
  QImage Screenshot(unsigned long window) const {
    int width = 0, height = 0;
    const std::vector<std::uint32_t> pixels = CaptureWindow(server->Display(), window, width, height);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) image.setPixel(x, y, pixels[std::size_t(y * width + x)]);
    return image;
  }

  std::unique_ptr<TXvfb> server;
  std::vector<std::string> env;
};

int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& wanted) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.valid(x, y) && wanted(image.pixelColor(x, y))) ++count;
  return count;
}

}  // namespace

TEST_F(StartupTest, AutoStartEntryIsWrittenOnlyWhenItDiffers) {
  RegisterAutoStart("/opt/app/book");
  EXPECT_EQ(ReadAutoStartValue("Kalmiq"), "\"/opt/app/book\" -birth");
  struct stat before {};
  ASSERT_EQ(::stat(AutoStartEntry().c_str(), &before), 0);
  std::this_thread::sleep_for(10ms);
  RegisterAutoStart("/opt/app/book");
  struct stat after {};
  ::stat(AutoStartEntry().c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);  // untouched: every write renames a new file in
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

  RegisterAutoStart("/opt/moved here/book");
  EXPECT_EQ(ReadAutoStartValue("Kalmiq"), "\"/opt/moved here/book\" -birth");
  // Characters that the desktop would expand are escaped, and the value reads back the same.
  const std::string odd = "/opt/$HOME/\"a\\b`%/book";
  RegisterAutoStart(odd);
  EXPECT_EQ(ReadAutoStartValue("Kalmiq"), AutoRunCommand(odd));
  EXPECT_EQ(AutoRunCommand(odd), "\"/opt/\\$HOME/\\\"a\\\\b\\`%%/book\" -birth");
}

TEST_F(StartupTest, NormalStartRegistersBacksUpAndOpens) {
  WriteContacts(Folder("app"), {{"Anna", "01.02.1990"}});
  TBookProcess book(BOOK_BINARY, Folder("app"));
  book.Start({}, kOffscreen);
  EXPECT_EQ(book.WaitExit(10s), 0);
  EXPECT_EQ(ReadAutoStartValue("Kalmiq"), AutoRunCommand(book.Executable()));
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder("app") / "Hist"), {}), 1);
}

TEST_F(StartupTest, ReminderStartAndOtherArgumentsLeaveEverythingAlone) {
  WriteContacts(Folder("app"), {{"Nobody's birthday", ""}});
  TBookProcess book(BOOK_BINARY, Folder("app"));
  for (const char* argument : {"-birth", "-Birth", "/birth", "-birthday", "birth", "x"}) {
    book.Start({argument}, kOffscreen);
    EXPECT_EQ(book.WaitExit(5s), 0) << argument;
  }
  EXPECT_FALSE(fs::exists(AutoStartEntry()));
  EXPECT_FALSE(fs::exists(Folder("app") / "Hist"));
}

TEST_F(StartupTest, OneCopyPerExecutableAndAKilledCopyIsNoObstacle) {
  WriteContacts(Folder("a"), {{"Anna", TodayText(30)}});
  WriteContacts(Folder("b"), {{"Boris", TodayText(40)}});
  TBookProcess first(BOOK_BINARY, Folder("a"));
  first.Start({"-birth"}, kOffscreen);  // waits in its reminder box
  ASSERT_TRUE(WaitUntil([&] { return CopyRuns(first); }, 5s));

  // Later copies of the same executable, reminder or normal start, end at once.
  TBookProcess later(BOOK_BINARY, Folder("a"));
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"-birth"}}) {
    const auto started = std::chrono::steady_clock::now();
    later.Start(arguments, kOffscreen);
    EXPECT_EQ(later.WaitExit(5s), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
  }
  EXPECT_TRUE(first.Running());
  EXPECT_FALSE(fs::exists(AutoStartEntry()));  // the normal later copy never got that far

  // A copy from another folder runs beside it.
  TBookProcess other(BOOK_BINARY, Folder("b"));
  other.Start({"-birth"}, kOffscreen);
  EXPECT_TRUE(WaitUntil([&] { return CopyRuns(other); }, 5s));
  EXPECT_TRUE(first.Running());

  // kill -9 leaves the guard's files behind; the next start takes them over.
  first.Kill();
  first.Start({"-birth"}, kOffscreen);
  ASSERT_TRUE(WaitUntil([&] { return CopyRuns(first); }, 5s));
  later.Start({}, kOffscreen);
  EXPECT_EQ(later.WaitExit(5s), 0);
  EXPECT_TRUE(first.Running());

  // The installer's request ends a running copy.
  AskCopyToQuit("Kalmiq", first.Executable());
  EXPECT_EQ(first.WaitExit(3s), 0);
  EXPECT_TRUE(other.Running());
}

TEST_F(ScreenTest, HeldDataFileIsRetriedThenReportedOnlyInANormalStart) {
  WriteContacts(Folder("normal"), {{"Anna", TodayText(30)}});
  WriteContacts(Folder("reminder"), {{"Anna", TodayText(30)}});
  RegisterEngineFieldClasses();
  TBook heldNormal(Folder("normal").string() + "/"), heldReminder(Folder("reminder").string() + "/");
  heldNormal.Open(false);
  heldReminder.Open(false);

  TBookProcess normal(BOOK_BINARY, Folder("normal")), reminder(BOOK_BINARY, Folder("reminder"));
  const auto started = std::chrono::steady_clock::now();
  normal.Start({}, env);
  reminder.Start({"-birth"}, env);
  const unsigned long box = WaitForWindow(normal, 8s);
  const auto shownAfter = std::chrono::steady_clock::now() - started;
  ASSERT_NE(box, 0u);
  EXPECT_GE(shownAfter, 2s);  // 100 tries, 20 ms apart
  EXPECT_EQ(Title(box), "Vellumark");
  PressEnter(box);
  EXPECT_EQ(normal.WaitExit(5s), 0);

  EXPECT_EQ(reminder.WaitExit(10s), 0);
  EXPECT_GE(std::chrono::steady_clock::now() - started, 5s);  // 100 tries, 50 ms apart
  EXPECT_EQ(ShownWindow(reminder), 0u);
  ClearFieldClassRegistry();
}

TEST_F(ScreenTest, UnreadableSettingsAreReportedOnlyInANormalStart) {
  for (const char* name : {"normal", "reminder"}) {
    WriteContacts(Folder(name), {{"Anna", TodayText(30)}});
    fs::create_directories(Folder(name) / "book.cfg");  // a folder cannot be read as a file
  }
  TBookProcess normal(BOOK_BINARY, Folder("normal")), reminder(BOOK_BINARY, Folder("reminder"));
  normal.Start({}, env);
  reminder.Start({"-birth"}, env);
  const unsigned long box = WaitForWindow(normal, 10s);
  ASSERT_NE(box, 0u);
  EXPECT_EQ(Title(box), "Open error");
  PressEnter(box);
  EXPECT_EQ(normal.WaitExit(5s), 0);
  EXPECT_EQ(reminder.WaitExit(10s), 0);
  EXPECT_FALSE(fs::exists(AutoStartEntry()));
}

TEST_F(ScreenTest, ReminderStartShowsOneBoxPerBirthdayWithRosesAndAge) {
  WriteContacts(Folder("app"), {{"Anna", "13.03.1981"},
                                {"Boris", "13.03.1996"},
                                {"Vera", "13.03.1960"},
                                {"Not this week", "20.03.1970"}});
  TBookProcess book(BOOK_AT_DATE_BINARY, Folder("app"));
  std::vector<std::string> dated = env;
  dated.push_back("VELLUMARK_TODAY=2027-03-13");
  book.Start({"-birth"}, dated);
  for (int shown = 0; shown < 3; ++shown) {
    const unsigned long box = WaitForWindow(book, 5s);
    ASSERT_NE(box, 0u) << "box " << shown + 1;
    EXPECT_EQ(Title(box), "Vellumark");
    std::this_thread::sleep_for(200ms);  // let it paint
    const QImage shot = Screenshot(box);
    ASSERT_EQ(shot.size(), QSize(314, 142));
    if (shown == 0) shot.save(QString(SCREENSHOT_FOLDER) + "/birthday-box.png");
    EXPECT_GT(CountPixels(shot, QRect(12, 16, 36, 30),
                          [](QColor c) { return c.red() > 150 && c.green() < 80; }), 40)
        << "roses";
    EXPECT_GT(CountPixels(shot, QRect(48, 50, 30, 33),
                          [](QColor c) { return c.red() > 130 && c.red() < 200 && c.green() < 40 &&
                                                c.blue() < 40; }), 20)
        << "age badge";
    PressEnter(box);
    WaitUntil([&] { return ShownWindow(book) != box; }, 3s);
  }
  EXPECT_EQ(book.WaitExit(5s), 0);
  EXPECT_FALSE(fs::exists(AutoStartEntry()));
  EXPECT_FALSE(fs::exists(Folder("app") / "Hist"));

  book.Start({"-birth"}, {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + server->Display(),
                          "VELLUMARK_TODAY=2027-06-01"});
  EXPECT_EQ(book.WaitExit(5s), 0);
}
