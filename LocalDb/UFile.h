#pragma once
// One operating-system file with validated seek, read and write, opened exclusively: while it is
// open no other handle, in this process or another, can open it. Every failure throws EGeneral
// with the engine's fixed message.

#include <cstdint>
#include <memory>
#include <string>

#include "FileSystem.h"

class TFile {
public:
  TFile() = default;
  virtual ~TFile() = default;
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name);
  bool IsOpen() const { return handle_ != nullptr; }

  // Origin 0 from the start, 1 from the current offset, 2 from the end; returns the new offset.
  std::int64_t Seek(std::int64_t offset, int origin);
  void Read(void* buffer, std::int64_t count);
  void Write(const void* buffer, std::int64_t count);
  // The file ends at the current offset.
  void Truncate();
  // Returns once the file's written data is on the disk; fails when the disk refuses.
  void Flush();

  // Creates the file (or empties it, with overwrite) and opens it.
  virtual void CreateFile(bool overwrite);
  // Opens an existing file; a missing one is created when createIfMissing is on.
  virtual void Open(bool createIfMissing);
  virtual void Close();

protected:
  void CheckOpen() const;
  void CheckClosed() const;

private:
  std::string fileName_;
  std::unique_ptr<TFileHandle> handle_;
};
