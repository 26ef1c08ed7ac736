#pragma once
// The user's list of programs that the desktop starts at logon.
//
// On a freedesktop desktop each is an autostart entry, "<name>.desktop" in
// $XDG_CONFIG_HOME/autostart ($HOME/.config/autostart when the variable is unset). A value of
// the list is read and written by its name; its data is the command line of the entry (its Exec
// key). The entry is written whole to a temporary file and renamed into place, so a reader never
// sees half of it. Failures give an empty text or false; nothing raises.

#include <string>

// The folder of the entries, ending in "/"; empty when neither variable gives one.
std::string AutoStartFolder();

// The command of the entry; empty when there is no such entry or it cannot be read.
std::string ReadAutoStartValue(const std::string& name);
// Makes the entry start command; false when it cannot be written.
bool WriteAutoStartValue(const std::string& name, const std::string& command);
// Removes the entry; true when it is gone afterwards.
bool DeleteAutoStartValue(const std::string& name);

// One argument of a command line, quoted as an entry's Exec key wants it: in double quotes,
// with '"', '`', '$' and '\' escaped by a backslash and '%' doubled.
std::string QuoteExecArgument(const std::string& argument);
