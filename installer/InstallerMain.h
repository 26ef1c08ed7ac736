#pragma once
// The installer from its start to its end.
//
// Only one installer runs per user: a second one ends at once and silently. The wizard window
// is created, then the replacement question (which needs the texts the wizard sets), and the
// event loop runs until the wizard closes. After a successful installation whose "Launch
// program after install" box was checked when the wizard closed, the installed program is
// started. The exit code is always 0.

int InstallerMain(int argc, char** argv);

// The name of the installer's single-copy lock.
inline constexpr const char* InstallerLockName = "installerStopSecondStart";
