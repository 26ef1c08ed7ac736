#include "AutoStart.h"

#include <filesystem>
#include <system_error>

#include "DesktopEntry.h"
#include "UserFolders.h"

namespace {

std::string EntryPath(const std::string& name) {
  const std::string folder = AutoStartFolder();
  return folder.empty() ? std::string() : folder + name + ".desktop";
}

}  // namespace

std::string AutoStartFolder() {
  const std::string config = UserConfigFolder();
  return config.empty() ? std::string() : config + "autostart/";
}

std::string ReadAutoStartValue(const std::string& name) {
  const std::string path = EntryPath(name);
  return path.empty() ? std::string() : ReadDesktopEntryValue(path, "Exec");
}

bool WriteAutoStartValue(const std::string& name, const std::string& command) {
  const std::string path = EntryPath(name);
  if (path.empty()) return false;
  return WriteDesktopEntry(path, {{"Type", "Application"},
                                  {"Name", name},
                                  {"Exec", command},
                                  {"NoDisplay", "true"},
                                  {"X-GNOME-Autostart-enabled", "true"}});
}

bool DeleteAutoStartValue(const std::string& name) {
  const std::string path = EntryPath(name);
  if (path.empty()) return false;
  std::error_code error;
  std::filesystem::remove(path, error);
  return !std::filesystem::exists(path, error);
}

std::string QuoteExecArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + "\"";
}
