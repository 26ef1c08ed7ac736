#include "SyncCounter.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>

namespace {

std::atomic<std::uint64_t> flushes{0};

}  // namespace

std::uint64_t FlushCount() { return flushes.load(std::memory_order_relaxed); }

extern "C" int fdatasync(int descriptor) {
  flushes.fetch_add(1, std::memory_order_relaxed);
  return static_cast<int>(syscall(SYS_fdatasync, descriptor));
}

extern "C" int fsync(int descriptor) {
  flushes.fetch_add(1, std::memory_order_relaxed);
  return static_cast<int>(syscall(SYS_fsync, descriptor));
}
