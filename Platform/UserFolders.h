#pragma once
// The user's own folders, as the freedesktop base-directory and user-dirs conventions name them.
//
// Every folder comes from the environment (HOME, XDG_CONFIG_HOME, XDG_DATA_HOME) and the user's
// "user-dirs.dirs" file, never from the password database, so a test that points HOME and the
// XDG variables at a temporary folder keeps every program inside it. A variable that is unset
// or not an absolute path falls back to its default under HOME. Each result ends in "/"; it is
// empty when HOME is unusable too. Nothing here creates a folder.

#include <string>

std::string UserHomeFolder();    // $HOME
std::string UserConfigFolder();  // $XDG_CONFIG_HOME, else $HOME/.config
std::string UserDataFolder();    // $XDG_DATA_HOME, else $HOME/.local/share
// The XDG user dir DESKTOP: XDG_DESKTOP_DIR of $XDG_CONFIG_HOME/user-dirs.dirs ("$HOME/..."
// or an absolute path), else $HOME/Desktop.
std::string UserDesktopFolder();
