#pragma once
// The uninstaller from its start to its end.
//
// Only one uninstaller runs per user: a second one ends at once and silently. The window works
// on the folder of the uninstaller's own executable. After a run without errors, at the
// program's very end, the uninstaller deletes its own file and then its folder when that is
// empty. The exit code is always 0.

int UninstMain(int argc, char** argv);

// The name of the uninstaller's single-copy lock.
inline constexpr const char* UninstallerLockName = "uninstallerStopSecondStart";
