#pragma once
// Where the running program lies. The contact list keeps its data beside its executable.

#include <string>

// The full path of the running executable; empty when the system cannot tell.
std::string ExecutablePath();

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();

// The path a program started from path knows itself by: ExecutablePath resolves symbolic links,
// so another program that names it (the installer asking it to quit) resolves them too. The
// path itself when it cannot be resolved.
std::string ResolvedProgramPath(const std::string& path);
