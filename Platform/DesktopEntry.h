#pragma once
// Freedesktop desktop entry files: the launchers of the menus, the desktop and the logon start
// list are all small "[Desktop Entry]" files of key=value lines.
//
// A file is written whole to a temporary file beside it and renamed into place, so a reader
// never sees half of it. Values are escaped as the format wants string values: backslash,
// line feed, carriage return and tab. Failures give false or an empty text; nothing raises.

#include <string>
#include <utility>
#include <vector>

using TDesktopEntryKeys = std::vector<std::pair<std::string, std::string>>;

std::string EscapeDesktopValue(const std::string& text);
std::string UnescapeDesktopValue(const std::string& text);

// Writes the "[Desktop Entry]" group with the keys in their order (values escaped here),
// creating the folder when missing. An executable entry gets the run bits, which desktops ask
// of a launcher on the desktop before they start it. False when the file cannot be written.
bool WriteDesktopEntry(const std::string& path, const TDesktopEntryKeys& keys,
                       bool executable = false);

// The unescaped value of key in the "[Desktop Entry]" group; empty when the file or key is
// missing.
std::string ReadDesktopEntryValue(const std::string& path, const std::string& key);
