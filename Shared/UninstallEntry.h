#pragma once
// What the installer registers and the uninstaller removes under the product's identifier.
//
// The identifier names the guard objects of the contact list, its logon start entry, the menu
// group and the uninstall entry. The uninstall entry is a key of the per-user registry store
// (UserRegistry.h) holding the values the installer writes: the texts DisplayName,
// UninstallString, DisplayIcon, DisplayVersion, Publisher, UrlInfoAbout, UrlUpdateInfo,
// HelpLink and the numbers NoModify, NoRepair, InstallLang, EstimatedSize.

inline constexpr const char* ProductIdentifier = "Kalmiq";
inline constexpr const char* UninstallKey = "Uninstall\\Kalmiq";
