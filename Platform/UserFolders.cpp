#include "UserFolders.h"

#include <cstdlib>
#include <fstream>

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? WithSlash(value) : std::string();
}

std::string UnderHome(const char* variable, const char* fallback) {
  const std::string folder = AbsoluteVariable(variable);
  if (!folder.empty()) return folder;
  const std::string home = UserHomeFolder();
  return home.empty() ? std::string() : home + fallback;
}

// The value of XDG_DESKTOP_DIR="..." in the user-dirs file, with $HOME expanded; empty when the
// line is missing or names neither an absolute path nor one under $HOME.
std::string DesktopFromUserDirs(const std::string& home) {
  std::ifstream dirs(UserConfigFolder() + "user-dirs.dirs");
  const std::string prefix = "XDG_DESKTOP_DIR=\"";
  for (std::string line; std::getline(dirs, line);) {
    if (line.rfind(prefix, 0) != 0 || line.size() < prefix.size() + 1 || line.back() != '"')
      continue;
    const std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
    if (value.rfind("$HOME/", 0) == 0) return WithSlash(home + value.substr(6));
    if (!value.empty() && value[0] == '/') return WithSlash(value);
    return {};
  }
  return {};
}

}  // namespace

std::string UserHomeFolder() { return AbsoluteVariable("HOME"); }
std::string UserConfigFolder() { return UnderHome("XDG_CONFIG_HOME", ".config/"); }
std::string UserDataFolder() { return UnderHome("XDG_DATA_HOME", ".local/share/"); }

std::string UserDesktopFolder() {
  const std::string home = UserHomeFolder();
  if (home.empty()) return {};
  const std::string configured = DesktopFromUserDirs(home);
  return configured.empty() ? home + "Desktop/" : configured;
}
