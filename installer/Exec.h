#pragma once
// Starting another program, as the installer starts the installed contact list at its end.

#include <string>

// Starts path with params (split as a shell would split them, without running a shell), in the
// installer's own environment and current folder. With wait the call returns when the program
// has ended; without it the program runs on its own, detached. A start that fails is not
// reported.
void ExecProgram(const std::string& path, const std::string& params, bool wait);
