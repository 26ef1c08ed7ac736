#pragma once
// Shortcuts and the user's special folders, as the installer and the uninstaller need them.
//
// A shortcut is a freedesktop launcher (DesktopEntry.h): a link name ending in ".lnk" is written
// ending in ".desktop" instead. The launcher starts its target with the arguments, in the
// target's folder, and carries the description as its comment; it sets no icon. The special
// folders by their shell ids:
//   ProgramsFolderId (2)   the user's application entries, $XDG_DATA_HOME/applications/
//   DesktopFolderId (16)   the XDG user dir DESKTOP
//   AppDataFolderId (26)   $XDG_DATA_HOME/
// The quick-launch folder, which Linux desktops do not have as such, is the top level of the
// application entries: launchers there are what the desktop's launcher search, dock and panel
// offer to start and to pin. A program group is a folder among the application entries.
//
// Failures are results (false or an empty text), never exceptions. Paths end in "/".

#include <string>

inline constexpr int ProgramsFolderId = 2;
inline constexpr int DesktopFolderId = 16;
inline constexpr int AppDataFolderId = 26;

// The file name a link name is written as: ".lnk" becomes ".desktop", anything else gains it.
std::string LinkFileName(const std::string& linkName);

// Writes Folder + LinkFileName(LinkName). LinkPath gets that path (also when writing fails);
// true when the launcher was written.
bool CreateLink(const std::string& target, const std::string& linkName,
                const std::string& description, const std::string& arguments,
                std::string& linkPath, const std::string& folder);

// The folder of the id with a trailing "/", created first when create is set; empty for an
// unknown id, when the environment names no folder, or when it is missing (or cannot be made).
std::string GetSpecialFolder(int folderId, bool create);
std::string GetProgramsFolder(bool create);
std::string GetDesktopFolder(bool create);
std::string GetQuickLaunchFolder(bool create);

// CreateLink into the desktop folder (made launchable there) or the quick-launch folder, each
// created when missing; false when the folder cannot be had.
bool CreateDesktopLink(const std::string& target, const std::string& linkName,
                       const std::string& description, const std::string& arguments,
                       std::string& linkPath);
bool CreateQuickLaunchLink(const std::string& target, const std::string& linkName,
                           const std::string& description, const std::string& arguments,
                           std::string& linkPath);

// The folder name in the programs folder: GroupPath gets it with "/"; true when it exists
// afterwards (an existing group is kept as it is).
bool CreateProgramGroup(const std::string& name, std::string& groupPath);
