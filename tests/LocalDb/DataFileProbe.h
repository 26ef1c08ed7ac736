#pragma once
// Opens any byte string as a data file and uses it, for the malformed-file test and the fuzz
// target alike. The bytes are put into an in-memory file system, opened once with the contact
// field set and once with the field set built from the file; whatever opens has every cell read,
// each index activated, one record appended and one deleted, and is opened again.

#include <cstdint>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"

struct TProbeResult {
  // Per field-set mode (contact set, built set): "" when the file opened, else the refusal.
  std::string refusal[2];
  // A failure that must never happen: a refusal outside the open messages, a refused file that
  // was changed, a failure while using a file that had opened, or a file the engine wrote that
  // no longer opens. Empty when all went well.
  std::string fault;
};

// The file system must be the active one (TFileSystemScope).
TProbeResult ProbeDataFile(TFaultyFileSystem& fileSystem, const std::vector<std::uint8_t>& bytes);

// Valid files to start from: empty and filled contact books, and a file of every field class.
std::vector<std::vector<std::uint8_t>> ValidDataFiles(TFaultyFileSystem& fileSystem);
