#pragma once
// The file layer over POSIX: open plus flock(LOCK_EX | LOCK_NB) for exclusivity (the lock goes
// with the open file description, so a second open in the same process is refused too, and it
// vanishes when the process dies), fdatasync for Sync.

#include "FileSystem.h"

class TPosixFileSystem : public TFileSystem {
public:
  bool FileExists(const std::string& path) override;
  std::unique_ptr<TFileHandle> OpenExclusive(const std::string& path) override;
  std::unique_ptr<TFileHandle> CreateExclusive(const std::string& path, bool overwrite) override;
};
