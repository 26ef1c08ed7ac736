#pragma once
// The file layer that the table engine writes its data file through.
//
// Files are opened exclusively: while one handle has a file open, every other open of it, from
// this process or another, is refused. Sync returns only when the written data is on the disk.
// The layer is an interface so that tests can put a fake in its place and fail or cut any single
// write (see tests/LocalDb/FaultyFileSystem.h); the program uses the POSIX implementation.
//
// Only the C++ standard library and POSIX calls are used here: the engine links this layer and
// must stay free of Qt.

#include <cstdint>
#include <memory>
#include <string>

class TFileHandle {
public:
  virtual ~TFileHandle() = default;
  // Origin 0 = from the start, 1 = from the current offset, 2 = from the end. Returns the new
  // offset, or -1 on failure.
  virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;
  // Return the number of bytes moved, which may be fewer than asked, or -1 on failure.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // The file ends at the current offset. False on failure.
  virtual bool Truncate() = 0;
  // Returns when every written byte of the file is on the disk. False on failure.
  virtual bool Sync() = 0;
};

class TFileSystem {
public:
  virtual ~TFileSystem() = default;
  virtual bool FileExists(const std::string& path) = 0;
  // Opens an existing file for reading and writing, exclusively. Null when the file is missing,
  // cannot be opened, or is open elsewhere.
  virtual std::unique_ptr<TFileHandle> OpenExclusive(const std::string& path) = 0;
  // Creates the file (or, with overwrite, empties an existing one) and opens it exclusively.
  // Without overwrite an existing file is refused. Null on any refusal; an existing file that is
  // open elsewhere is left untouched.
  virtual std::unique_ptr<TFileHandle> CreateExclusive(const std::string& path,
                                                       bool overwrite) = 0;
};

// The file system in use: the POSIX one unless a test has put another in its place.
TFileSystem& ActiveFileSystem();
// Puts fileSystem in place (null restores the POSIX one) and returns the one it replaces.
TFileSystem* ReplaceFileSystem(TFileSystem* fileSystem);
