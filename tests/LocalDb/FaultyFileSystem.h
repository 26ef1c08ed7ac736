#pragma once
// An in-memory file system for tests that fails, cuts or loses writes on purpose.
//
// Files are byte vectors. Every write and truncate of any file is one numbered *write*; every
// Sync is counted too. A test arms one fault and then runs an engine operation:
//   Fail   the N-th write returns an error and changes nothing; later calls work normally.
//   Cut    the N-th write stores only a prefix of its bytes, ending at a sector boundary, and
//          the process is taken as dead: every later call of any handle fails until Restart (a
//          truncate "cut" is done whole, then the process dies). A killed process tears a
//          write at most between pages, a power loss between sectors; inside one sector a write
//          is all or nothing, so a cut inside a sector would show a file no disk can produce.
//   Crash  the process dies just before its N-th step (write, truncate or Sync): nothing of
//          that step happens and every later call fails.
//   FailSync  the N-th Sync reports an error (the data stay where they are).
// Power loss: each file also keeps its durable image (as of its last Sync) and the writes made
// since. PowerLoss makes the durable image the old one plus a random subset of those writes,
// applied in a random order, each whole, not at all, or only up to a 512-byte sector boundary.
// Disks write a single sector atomically, so a write is never torn inside a sector; between
// sectors, and between writes that no flush separates, anything goes.
//
// Opens are exclusive: a second open of a file that a handle still holds is refused.

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FileSystem.h"

class TFaultyFileSystem : public TFileSystem {
public:
  enum class TFault { None, Fail, Cut, Crash, FailSync };
  static constexpr std::int64_t SectorBytes = 512;

  // Replaces the file: current and durable image alike, nothing pending.
  void SetFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
  void Remove(const std::string& path) { files_.erase(path); }
  // What a reader of the file sees now (the operating system's view, not the disk's).
  std::vector<std::uint8_t> File(const std::string& path) const;

  // Arms one fault; counting starts from here. A cut write stores at most `cutKeep` bytes
  // (and never all of them), up to the last sector boundary within that.
  void Arm(TFault fault, int n, std::int64_t cutKeep = 0);
  void Disarm() { Arm(TFault::None, 0); }
  bool Fired() const { return fired_; }
  bool Dead() const { return dead_; }
  int Writes() const { return writes_; }
  int Syncs() const { return syncs_; }

  // The power goes: every file becomes what the disk could hold now (see above).
  void PowerLoss(std::mt19937& random);
  // A new process starts: the handles of the old one are gone, the files stay.
  void Restart();

  bool FileExists(const std::string& path) override;
  std::unique_ptr<TFileHandle> OpenExclusive(const std::string& path) override;
  std::unique_ptr<TFileHandle> CreateExclusive(const std::string& path, bool overwrite) override;

private:
  friend class TFaultyHandle;
  struct TPending {
    std::int64_t offset = 0;
    std::vector<std::uint8_t> bytes;  // empty with a truncate
    bool truncate = false;
  };
  struct TFileState {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> durable;
    std::vector<TPending> pending;
    bool open = false;
  };

  // The verdict on the next step of the process.
  enum class TStep { Go, Refuse, Cut };
  TStep NextWrite();
  TStep NextSync();
  TStep NextStep(bool isWrite);

  std::map<std::string, std::shared_ptr<TFileState>> files_;
  TFault fault_ = TFault::None;
  int target_ = 0;
  std::int64_t cutKeep_ = 0;
  int writes_ = 0;
  int syncs_ = 0;
  int steps_ = 0;
  bool fired_ = false;
  bool dead_ = false;
  int generation_ = 0;
};

// Puts a file system in place for the lifetime of the object and restores the previous one.
class TFileSystemScope {
public:
  explicit TFileSystemScope(TFileSystem& fileSystem) : previous_(ReplaceFileSystem(&fileSystem)) {}
  ~TFileSystemScope() { ReplaceFileSystem(previous_); }
  TFileSystemScope(const TFileSystemScope&) = delete;
  TFileSystemScope& operator=(const TFileSystemScope&) = delete;

private:
  TFileSystem* previous_;
};
