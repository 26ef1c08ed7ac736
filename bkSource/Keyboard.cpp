#include "Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

// The system walks no more layouts than this.
constexpr std::size_t MaxLayouts = 20;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Layout names that are countries rather than languages.
struct TLayoutLanguage {
  std::string_view Layout;
  std::string_view Language;
};
constexpr std::array<TLayoutLanguage, 8> LayoutLanguages = {{
    {"us", "en"}, {"gb", "en"}, {"au", "en"}, {"ie", "en"}, {"nz", "en"}, {"za", "en"},
    {"ua", "uk"}, {"by", "be"},
}};

// Symbol files of a keymap that add keys or behaviour to every group but are no layout.
constexpr std::array<std::string_view, 24> NonLayoutSymbols = {
    "pc",       "inet",  "group",   "ctrl",   "compose",   "level3",  "level5",   "lv3",
    "lv5",      "altwin", "capslock", "shift", "terminate", "keypad", "kpdl",     "eurosign",
    "rupeesign", "nbsp",  "japan",   "korean", "srvr_ctrl", "typo",   "mod_led",  "grp_led"};

std::string WithoutVariant(const std::string& layout) {
  return layout.substr(0, layout.find('('));
}

// Splits "ru(phonetic):2" into its layout and group number (0 when none is given).
void SplitSymbol(const std::string& symbol, std::string& layout, int& group) {
  group = 0;
  layout = symbol;
  const std::size_t colon = symbol.find(':');
  if (colon == std::string::npos) return;
  layout = symbol.substr(0, colon);
  const std::string number = symbol.substr(colon + 1);
  if (number.size() == 1 && number[0] >= '1' && number[0] <= '4') group = number[0] - '0';
  else group = -1;  // not a group we know of; the symbol is skipped
}

bool IsLayoutSymbol(const std::string& layout) {
  const std::string base = WithoutVariant(layout);
  return !base.empty() &&
         std::find(NonLayoutSymbols.begin(), NonLayoutSymbols.end(), base) ==
             NonLayoutSymbols.end();
}

// Xlib ends the process on a protocol error unless a handler says otherwise; a keyboard
// switch must never take the program down.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// One short-lived connection to the X server, with Xlib's error handler replaced meanwhile
// and given back afterwards.
class TXkbConnection {
public:
  TXkbConnection() {
    int major = XkbMajorVersion, minor = XkbMinorVersion, reason = 0;
    Display_ = XkbOpenDisplay(nullptr, nullptr, nullptr, &major, &minor, &reason);
    if (Display_) PreviousHandler_ = XSetErrorHandler(IgnoreXError);
  }
  ~TXkbConnection() {
    if (!Display_) return;
    XCloseDisplay(Display_);
    XSetErrorHandler(PreviousHandler_);
  }
  TXkbConnection(const TXkbConnection&) = delete;
  TXkbConnection& operator=(const TXkbConnection&) = delete;

  Display* Get() const { return Display_; }

private:
  Display* Display_ = nullptr;
  XErrorHandler PreviousHandler_ = nullptr;
};

std::vector<std::string> ReadLayouts(Display* display) {
  XkbDescPtr keymap = XkbAllocKeyboard();
  if (!keymap) return {};
  std::vector<std::string> layouts;
  if (XkbGetNames(display, XkbSymbolsNameMask | XkbGroupNamesMask, keymap) == Success &&
      keymap->names && keymap->names->symbols != None) {
    if (char* name = XGetAtomName(display, keymap->names->symbols)) {
      layouts = LayoutsOfSymbolsName(name);
      XFree(name);
    }
    // A symbols name may list more layouts than the keymap has groups; trust the groups.
    std::size_t groups = 0;
    while (groups < XkbNumKbdGroups && keymap->names->groups[groups] != None) ++groups;
    if (groups > 0 && layouts.size() > groups) layouts.resize(groups);
  }
  XkbFreeKeyboard(keymap, 0, True);
  return layouts;
}

}  // namespace

std::vector<std::string> LayoutsOfSymbolsName(const std::string& symbolsName) {
  std::vector<std::string> layouts;
  std::size_t start = 0;
  while (start <= symbolsName.size()) {
    std::size_t end = symbolsName.find_first_of("+|", start);
    if (end == std::string::npos) end = symbolsName.size();
    std::string layout;
    int group = 0;
    SplitSymbol(symbolsName.substr(start, end - start), layout, group);
    if (group >= 0 && IsLayoutSymbol(layout)) {
      if (group == 0) group = 1;  // the base layout carries no number
      if (layouts.size() < static_cast<std::size_t>(group)) layouts.resize(group);
      // The first symbol of a group is its layout; later ones only add to it.
      if (layouts[group - 1].empty()) layouts[group - 1] = layout;
    }
    start = end + 1;
  }
  return layouts;
}

bool LayoutMatchesLanguage(const std::string& layout, const std::string& code) {
  const std::string base = Lower(WithoutVariant(layout));
  const std::string language = Lower(code);
  if (base.empty() || language.empty()) return false;
  for (const TLayoutLanguage& entry : LayoutLanguages)
    if (entry.Layout == base) return entry.Language == language;
  return base == language;
}

int ChooseLayout(const std::vector<std::string>& layouts, const std::string& code) {
  const std::size_t count = std::min(layouts.size(), MaxLayouts);
  for (std::size_t i = count; i-- > 0;)
    if (LayoutMatchesLanguage(layouts[i], code)) return static_cast<int>(i);
  return -1;
}

std::vector<std::string> KeymapLayouts() {
  const TXkbConnection connection;
  if (!connection.Get()) return {};
  return ReadLayouts(connection.Get());
}

bool ActivateLanguageLayout(const std::string& code) {
  const TXkbConnection connection;
  Display* display = connection.Get();
  if (!display) return false;
  const int group = ChooseLayout(ReadLayouts(display), code);
  if (group < 0) return false;
  if (!XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group))) return false;
  XSync(display, False);
  return true;
}
