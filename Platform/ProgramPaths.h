#pragma once
// Where the running program lies. The contact list keeps its data beside its executable.

#include <string>

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();
