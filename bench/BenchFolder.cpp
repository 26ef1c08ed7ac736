#include "BenchFolder.h"

#include <sys/vfs.h>
#include <unistd.h>

#include <cstdio>

namespace {

std::filesystem::path& CurrentFolder() {
  static std::filesystem::path folder;
  return folder;
}

}  // namespace

TBenchFolder::TBenchFolder(const std::filesystem::path& parent, const std::string& program)
    : path_(parent / ("vellumark-" + program + "-" + std::to_string(getpid()))) {
  std::filesystem::create_directories(path_);
  CurrentFolder() = path_;
}

TBenchFolder::~TBenchFolder() {
  CurrentFolder().clear();
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

const std::filesystem::path& DataFolder() { return CurrentFolder(); }

void WarnIfInMemory(const std::filesystem::path& folder) {
  constexpr long kTmpfsMagic = 0x01021994;
  constexpr long kRamfsMagic = 0x858458f6;
  struct statfs info {};
  if (statfs(folder.c_str(), &info) == 0 && (info.f_type == kTmpfsMagic || info.f_type == kRamfsMagic)) {
    std::fprintf(stderr, "warning: %s is in memory; pass --dir= a folder on a disk\n", folder.c_str());
  }
}
