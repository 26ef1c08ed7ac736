#pragma once
// bookctl: the contact book from the command line, for scripting and batch work.
//
//   bookctl [--data FILE] [--lang eng|ukr|rus] COMMAND ...
//
// Exit status 0 on success, 1 on a failure (message on standard error, nothing written), 2 on a
// usage error. See UsageText for the commands.

#include <iosfwd>
#include <string>
#include <vector>

extern const char* const UsageText;

int RunBookCtl(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
