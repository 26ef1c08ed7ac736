#pragma once
// The keyboard layout that follows the interface language.
//
// On X11 the layouts a user may switch between are the groups of the XKB keymap (at most four),
// named by the symbols component of the keymap, e.g. "pc+us+ru:2+ua:3+inet(evdev)". A layout
// name is mostly a country code, so a language matches through a small table: "en" matches
// us, gb, au, ie, nz and za; "uk" matches ua; otherwise the layout whose name is the code
// itself ("ru"). Without an X display (a Wayland session without XWayland, a console) nothing
// can be switched and the switch reports false.

#include <string>
#include <vector>

// Activates the last layout of the keymap whose language is the ISO 639 code (two letters,
// any case). True when one was found and locked for the keyboard; false, changing nothing,
// when no layout matches or no X display can be opened.
bool ActivateLanguageLayout(const std::string& code);

// The layouts of the current keymap by group (group 1 first); empty without an X display.
std::vector<std::string> KeymapLayouts();

// The layouts by group that an XKB symbols name describes: the first layout without a group
// number is group 1, "xx:N" is group N, a variant in brackets is dropped, and the symbol files
// that are no layout (pc, inet, group, ...) are skipped. A group that nothing names is "".
std::vector<std::string> LayoutsOfSymbolsName(const std::string& symbolsName);

// True when the layout (with or without a variant) serves the language of the ISO 639 code.
bool LayoutMatchesLanguage(const std::string& layout, const std::string& code);

// The index of the last of the layouts (at most the first 20 are looked at) that matches the
// code, or -1.
int ChooseLayout(const std::vector<std::string>& layouts, const std::string& code);
