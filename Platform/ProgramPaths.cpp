#include "ProgramPaths.h"

#include <filesystem>

std::string ExecutablePath() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : executable.string();
}

std::string ExecutableFolder() {
  const std::string executable = ExecutablePath();
  if (executable.empty()) return "./";
  return std::filesystem::path(executable).parent_path().string() + "/";
}

std::string ResolvedProgramPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  return error ? path : resolved.string();
}
