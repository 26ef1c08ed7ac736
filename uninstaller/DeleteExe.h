#pragma once
// The uninstaller removing itself when it has finished.
//
// A running program's file can be unlinked on Linux: the process keeps its open image. So at the
// very end of a successful run the uninstaller deletes its own file and then its folder, which
// goes only when nothing else is left in it (the contact data kept on request stays with it).

#include <string>

// Set by a successful run; read at the program's end.
extern bool DeleteOnExit;

// Deletes executable, then its folder when that is empty. Failures are not reported.
void DeleteSelf(const std::string& executable);
