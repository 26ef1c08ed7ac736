#pragma once
// Where the running program lies. The contact list keeps its data beside its executable.

#include <string>

// The full path of the running executable; empty when the system cannot tell.
std::string ExecutablePath();

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();
