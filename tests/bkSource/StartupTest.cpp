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

TEST_F(StartupTest, NormalStartRegistersBacksUpOpensAndRunsUntilAskedToQuit) {
  WriteContacts(Folder("app"), {{"Anna", "01.02.1990"}});
  TBookProcess book(BOOK_BINARY, Folder("app"));
  book.Start({}, kOffscreen);
  // The main window's event loop runs once the backup is made and the book is open.
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(Folder("app") / "Hist") && CopyRuns(book); }, 10s));
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(book.Running());
  EXPECT_EQ(ReadAutoStartValue("Kalmiq"), AutoRunCommand(book.Executable()));
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder("app") / "Hist"), {}), 1);
  // A quit request ends it without the window's closing steps: no layout is stored.
  AskCopyToQuit("Kalmiq", book.Executable());
  EXPECT_EQ(book.WaitExit(5s), 0);
  std::ifstream cfg(Folder("app") / "book.cfg");
  const std::string settings((std::istreambuf_iterator<char>(cfg)), {});
  EXPECT_EQ(settings.find("Width"), std::string::npos) << settings;
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

// A person's session with the main window: three contacts added with Ins, one edited with Enter
// and one deleted with Del, a search typed, the birthday column sorted three times, Esc twice;
// then the next start finds the same window and the contacts, and a second copy only brings the
// first to the front. Screenshots of the way land beside the test program.
TEST_F(ScreenTest, MainWindowSessionAsAPersonWorksIt) {
  const std::string display = "DISPLAY=" + server->Display() + " ";
  const auto xdotool = [&](const std::string& arguments) {
    std::system((display + "xdotool " + arguments + " >/dev/null 2>&1").c_str());
    std::this_thread::sleep_for(150ms);
  };
  const auto shoot = [&](const char* name) {
    std::this_thread::sleep_for(200ms);
    std::system((display + WINDOWSHOT_BINARY + " root " + SCREENSHOT_FOLDER + "/" + name +
                 ".png").c_str());
  };
  fs::create_directories(Folder("app"));
  env.push_back("LC_ALL=C.UTF-8");
  TBookProcess book(BOOK_BINARY, Folder("app"));
  book.Start({}, env);
  const unsigned long window = WaitForWindow(book, 10s);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(Title(window), "Vellumark");
  // Without a window manager nobody gives the main window the keyboard back when a dialog
  // closes; a person's desktop does, and so does this.
  const auto focusMain = [&] { xdotool("windowfocus --sync " + std::to_string(window)); };
  focusMain();
  const char* contacts[][3] = {{"Olena Kovalenko", "0441234567", "14021988"},
                               {"Taras Bondar", "0445551212", "09031984"},
                               {"Anna Schmidt", "", "25121975"}};
  for (const auto& [name, phone, birth] : contacts) {
    focusMain();
    xdotool("key Insert");
    xdotool(std::string("type --delay 5 '") + name + "'");
    xdotool(std::string("key Tab type --delay 5 '") + phone + "'");
    xdotool(std::string("key Tab Tab Tab type --delay 5 '") + birth + "'");
    if (name[0] == 'T') shoot("session-1-edit-dialog");
    xdotool("key Return");
  }
  shoot("session-2-three-contacts");
  focusMain();
  xdotool("key Return");  // edit the current contact (the last added)
  xdotool("key End type --delay 5 ' Jr'");
  xdotool("key Return");
  focusMain();
  xdotool("key Home key Delete");  // delete the first in name order, after the question
  shoot("session-3-delete-question");
  xdotool("key Return");
  focusMain();
  // Clicking a cell gives the grid the focus again; then typing searches the name column.
  int x = 0, y = 0;
  {
    const std::string where = Output(display + "xdotool getwindowgeometry --shell " +
                                     std::to_string(window));
    std::sscanf(where.substr(where.find("X=")).c_str(), "X=%d\nY=%d", &x, &y);
  }
  xdotool("mousemove " + std::to_string(x + 60) + " " + std::to_string(y + 30) + " click 1");
  xdotool("type --delay 5 'ol'");
  shoot("session-4-search");
  xdotool("key Escape key End");
  for (int i = 0; i < 3; ++i) xdotool("key F9");
  shoot("session-5-sorted-by-year");
  const std::string before = Output(display + "xdotool getwindowgeometry " + std::to_string(window));
  xdotool("key Escape");
  EXPECT_EQ(book.WaitExit(5s), 0);

  RegisterEngineFieldClasses();
  {
    TBook data(Folder("app").string() + "/");
    data.Open(false);
    std::vector<std::string> names;
    for (int i = 0; i < data.Table().RecordCount(); ++i) {
      data.Table().GoTo(i);
      names.push_back(data.CurrentContact().Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Olena Kovalenko", "Taras Bondar"}));
  }
  ClearFieldClassRegistry();

  // The next start: the same place and size, today's copy in "Hist".
  book.Start({}, env);
  const unsigned long again = WaitForWindow(book, 10s);
  ASSERT_NE(again, 0u);
  std::this_thread::sleep_for(300ms);
  const std::string after = Output(display + "xdotool getwindowgeometry " + std::to_string(again));
  EXPECT_EQ(before.substr(before.find("Position")), after.substr(after.find("Position")));
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder("app") / "Hist"), {}), 1);

  TBookProcess second(BOOK_BINARY, Folder("app"));
  second.Start({}, env);
  EXPECT_EQ(second.WaitExit(5s), 0);
  EXPECT_TRUE(book.Running());
  AskCopyToQuit("Kalmiq", book.Executable());
  EXPECT_EQ(book.WaitExit(5s), 0);
}
