// Choosing and activating the keyboard layout of a language.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "Keyboard.h"
#include "XvfbServer.h"

using TLayouts = std::vector<std::string>;

TEST(KeyboardTest, LayoutsAreReadFromTheSymbolsName) {
  struct TCase {
    const char* Symbols;
    TLayouts Layouts;
  };
  const TCase cases[] = {
      {"pc+us+inet(evdev)", {"us"}},
      {"pc+us+ru:2+ua:3+inet(evdev)", {"us", "ru", "ua"}},
      {"pc+gb(extd)+ru(phonetic):2+inet(evdev)+group(alt_shift_toggle)",
       {"gb(extd)", "ru(phonetic)"}},
      {"pc+ru+us:2+level3(ralt_switch):1+inet(evdev)+ctrl(nocaps)", {"ru", "us"}},
      {"pc+us+ua:3", {"us", "", "ua"}},  // group 2 is named by nothing
      {"pc+inet(evdev)", {}},
      {"", {}},
  };
  for (const TCase& c : cases) EXPECT_EQ(LayoutsOfSymbolsName(c.Symbols), c.Layouts) << c.Symbols;
}

TEST(KeyboardTest, TheLastMatchingLayoutIsChosen) {
  struct TCase {
    TLayouts Layouts;
    const char* Code;
    int Chosen;
  };
  const TCase cases[] = {
      {{"us", "ru", "ua"}, "ru", 1},
      {{"us", "ru", "ua"}, "uk", 2},
      {{"us", "ru", "ua"}, "en", 0},
      {{"us", "ru", "ua"}, "RU", 1},                  // codes compare without case
      {{"ru", "us", "ru(phonetic)"}, "ru", 2},        // two Russian layouts: the last one
      {{"gb", "de", "us(intl)"}, "en", 2},            // any English-speaking country
      {{"us", "de"}, "ru", -1},                       // no Russian layout: nothing changes
      {{"us", "ua"}, "ru", -1},
      {{"gb", "ua"}, "uk", 1},                        // "uk" is the language, not Britain
      {{"us", "gb"}, "uk", -1},
      {{"us", ""}, "", -1},
      {{}, "en", -1},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ChooseLayout(c.Layouts, c.Code), c.Chosen) << c.Code << " of " << c.Layouts.size();

  TLayouts many(25, "de");
  many[3] = "ru";
  many[22] = "ru";  // beyond the twenty layouts that are looked at
  EXPECT_EQ(ChooseLayout(many, "ru"), 3);
}

namespace {

// Sets an environment variable for one scope and puts the old value back.
class TScopedEnv {
public:
  TScopedEnv(const char* name, std::optional<std::string> value) : Name_(name) {
    if (const char* old = std::getenv(name)) Old_ = old;
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
  }
  ~TScopedEnv() {
    if (Old_) setenv(Name_, Old_->c_str(), 1);
    else unsetenv(Name_);
  }

private:
  const char* Name_;
  std::optional<std::string> Old_;
};

// The group the core keyboard has locked, read on a connection of the test's own.
int LockedGroup(const std::string& display) {
  Display* connection = XOpenDisplay(display.c_str());
  if (!connection) return -1;
  XkbStateRec state{};
  XkbGetState(connection, XkbUseCoreKbd, &state);
  XCloseDisplay(connection);
  return state.locked_group;
}

bool RunQuietly(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

TEST(KeyboardTest, WithoutAnXDisplayNothingIsSwitched) {
  TScopedEnv display("DISPLAY", std::nullopt);
  EXPECT_TRUE(KeymapLayouts().empty());
  EXPECT_FALSE(ActivateLanguageLayout("en"));
}

TEST(KeyboardTest, LayoutIsLockedOnAnXServer) {
  if (!RunQuietly("command -v Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  TXvfb server;
  if (server.Display().empty()) GTEST_SKIP() << "Xvfb did not start";
  TScopedEnv display("DISPLAY", server.Display());

  // The server's own keymap: one US layout.
  ASSERT_EQ(KeymapLayouts(), (TLayouts{"us"}));
  EXPECT_TRUE(ActivateLanguageLayout("en"));
  EXPECT_EQ(LockedGroup(server.Display()), 0);
  EXPECT_FALSE(ActivateLanguageLayout("ru"));
  EXPECT_EQ(LockedGroup(server.Display()), 0);

  RunQuietly("setxkbmap -display " + server.Display() + " -layout us,ru,ua,ru");
  if (KeymapLayouts() != TLayouts{"us", "ru", "ua", "ru"})
    GTEST_SKIP() << "setxkbmap is missing or this X server ignores keymap changes, so "
                    "switching between several layouts cannot be tried here";
  EXPECT_TRUE(ActivateLanguageLayout("ru"));
  EXPECT_EQ(LockedGroup(server.Display()), 3);  // the last Russian layout
  EXPECT_TRUE(ActivateLanguageLayout("uk"));
  EXPECT_EQ(LockedGroup(server.Display()), 2);
  EXPECT_FALSE(ActivateLanguageLayout("de"));
  EXPECT_EQ(LockedGroup(server.Display()), 2);
}
