#include "FreeSpace.h"

#include <sys/statvfs.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::optional<std::uintmax_t> FileSystemFreeSpace(const std::string& folder) {
  struct statvfs info {};
  if (::statvfs(folder.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::uintmax_t>(info.f_bavail) * info.f_frsize;
}

TFreeSpaceQuery& Query() {
  static TFreeSpaceQuery query = FileSystemFreeSpace;
  return query;
}

}  // namespace

void SetFreeSpaceQuery(TFreeSpaceQuery query) {
  Query() = query ? std::move(query) : TFreeSpaceQuery(FileSystemFreeSpace);
}

TFreeSpace FreeSpaceFor(const std::string& path) {
  fs::path folder = fs::path(path).lexically_normal();
  std::error_code error;
  while (!folder.empty() && !fs::is_directory(folder, error) && folder != folder.parent_path())
    folder = folder.parent_path();
  TFreeSpace space;
  if (folder.empty() || !fs::is_directory(folder, error)) return space;
  space.Folder = folder.string();
  space.Bytes = Query()(space.Folder);
  return space;
}
