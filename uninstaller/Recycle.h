#pragma once
// Moving the contact data to the desktop's trash, from where the user can restore it.
//
// The trash is the freedesktop Trash: the item is moved into its "files" folder with a
// ".trashinfo" record of where it came from and when (the trash of the home's file system, or
// the file system's own top-level trash). Each call is true at once when there is nothing at
// the path, else true when the item went to the trash.

#include <string>

bool RecycleFile(const std::string& path);
bool RecycleDir(const std::string& path);
