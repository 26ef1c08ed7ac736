#include "PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

class TPosixFileHandle : public TFileHandle {
public:
  explicit TPosixFileHandle(int descriptor) : descriptor_(descriptor) {}
  ~TPosixFileHandle() override { close(descriptor_); }
  TPosixFileHandle(const TPosixFileHandle&) = delete;
  TPosixFileHandle& operator=(const TPosixFileHandle&) = delete;

  std::int64_t Seek(std::int64_t offset, int origin) override {
    static const int whence[3] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < 0 || origin > 2) return -1;
    return lseek(descriptor_, offset, whence[origin]);
  }

  std::int64_t Read(void* buffer, std::int64_t count) override {
    return RepeatUntilDone(count, [&](std::int64_t done) {
      return read(descriptor_, static_cast<char*>(buffer) + done,
                  static_cast<std::size_t>(count - done));
    });
  }

  std::int64_t Write(const void* buffer, std::int64_t count) override {
    return RepeatUntilDone(count, [&](std::int64_t done) {
      return write(descriptor_, static_cast<const char*>(buffer) + done,
                   static_cast<std::size_t>(count - done));
    });
  }

  bool Truncate() override {
    const off_t offset = lseek(descriptor_, 0, SEEK_CUR);
    return offset >= 0 && ftruncate(descriptor_, offset) == 0;
  }

  bool Sync() override {
    int result = 0;
    do {
      result = fdatasync(descriptor_);
    } while (result != 0 && errno == EINTR);
    return result == 0;
  }

private:
  // read and write may move fewer bytes than asked or be interrupted; go on until all bytes
  // moved, the end of the file is met, or a real error occurs.
  template <typename Step>
  static std::int64_t RepeatUntilDone(std::int64_t count, Step step) {
    std::int64_t done = 0;
    while (done < count) {
      const ssize_t moved = step(done);
      if (moved < 0 && errno == EINTR) continue;
      if (moved < 0) return done > 0 ? done : -1;
      if (moved == 0) break;
      done += moved;
    }
    return done;
  }

  int descriptor_;
};

// Locks the descriptor or closes it. Null when another open file description holds the lock.
std::unique_ptr<TFileHandle> LockOrClose(int descriptor) {
  if (descriptor < 0) return nullptr;
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    close(descriptor);
    return nullptr;
  }
  return std::make_unique<TPosixFileHandle>(descriptor);
}

// A new directory entry is durable only once its folder is synced.
void SyncParentFolder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor >= 0) {
    fsync(descriptor);
    close(descriptor);
  }
}

}  // namespace

bool TPosixFileSystem::FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::unique_ptr<TFileHandle> TPosixFileSystem::OpenExclusive(const std::string& path) {
  return LockOrClose(open(path.c_str(), O_RDWR | O_CLOEXEC));
}

std::unique_ptr<TFileHandle> TPosixFileSystem::CreateExclusive(const std::string& path,
                                                               bool overwrite) {
  // Never O_TRUNC: the file is emptied only after the lock is ours, so a file that another
  // process holds open keeps its content.
  const int flags = O_RDWR | O_CREAT | O_CLOEXEC | (overwrite ? 0 : O_EXCL);
  auto handle = LockOrClose(open(path.c_str(), flags, 0644));
  if (!handle) return nullptr;
  if (handle->Seek(0, 0) != 0 || !handle->Truncate()) return nullptr;
  SyncParentFolder(path);
  return handle;
}
