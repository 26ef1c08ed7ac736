#include "AutoStart.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace {

std::string EntryPath(const std::string& name) {
  const std::string folder = AutoStartFolder();
  return folder.empty() ? std::string() : folder + name + ".desktop";
}

// A desktop file's string values escape the backslash and the control characters.
std::string EscapeValue(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': escaped += "\\r"; break;
      case '\t': escaped += "\\t"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string UnescapeValue(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      plain += text[i];
      continue;
    }
    switch (text[++i]) {
      case 'n': plain += '\n'; break;
      case 'r': plain += '\r'; break;
      case 't': plain += '\t'; break;
      case 's': plain += ' '; break;
      default: plain += text[i];
    }
  }
  return plain;
}

}  // namespace

std::string AutoStartFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + "/autostart/";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/autostart/";
  return {};
}

std::string ReadAutoStartValue(const std::string& name) {
  std::ifstream entry(EntryPath(name));
  bool inMainGroup = false;
  for (std::string line; std::getline(entry, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') inMainGroup = line == "[Desktop Entry]";
    else if (inMainGroup && line.rfind("Exec=", 0) == 0) return UnescapeValue(line.substr(5));
  }
  return {};
}

bool WriteAutoStartValue(const std::string& name, const std::string& command) {
  const std::string path = EntryPath(name);
  if (path.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  const std::string temporary = path + ".new" + std::to_string(::getpid());
  {
    std::ofstream entry(temporary, std::ios::binary | std::ios::trunc);
    entry << "[Desktop Entry]\n"
          << "Type=Application\n"
          << "Name=" << EscapeValue(name) << "\n"
          << "Exec=" << EscapeValue(command) << "\n"
          << "NoDisplay=true\n"
          << "X-GNOME-Autostart-enabled=true\n";
    entry.flush();
    if (!entry) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (!error) return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return false;
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
