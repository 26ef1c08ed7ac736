#include "DeleteExe.h"

#include <filesystem>
#include <system_error>

bool DeleteOnExit = false;

void DeleteSelf(const std::string& executable) {
  std::error_code error;
  std::filesystem::remove(executable, error);
  // remove() refuses a folder that is not empty, which is what keeps the user's data.
  std::filesystem::remove(std::filesystem::path(executable).parent_path(), error);
}
