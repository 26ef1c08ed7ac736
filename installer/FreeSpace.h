#pragma once
// The free space available for a new installation folder.
//
// The folder usually does not exist yet, so the space is that of the file system holding its
// nearest existing folder (statvfs, the bytes an unprivileged user may fill). The query of a
// folder's space can be replaced, so that a full or unreadable disk can be stood in for.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct TFreeSpace {
  std::string Folder;                 // the nearest existing folder; empty when there is none
  std::optional<std::uintmax_t> Bytes;  // empty when it cannot be read
};

TFreeSpace FreeSpaceFor(const std::string& path);

// Free bytes of an existing folder's file system, or nothing when they cannot be read.
using TFreeSpaceQuery = std::function<std::optional<std::uintmax_t>(const std::string& folder)>;
// An empty query restores the file system's own answer.
void SetFreeSpaceQuery(TFreeSpaceQuery query);
