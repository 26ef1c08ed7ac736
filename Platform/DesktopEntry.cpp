#include "DesktopEntry.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include <unistd.h>

std::string EscapeDesktopValue(const std::string& text) {
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

std::string UnescapeDesktopValue(const std::string& text) {
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

bool WriteDesktopEntry(const std::string& path, const TDesktopEntryKeys& keys, bool executable) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  const std::string temporary = path + ".new" + std::to_string(::getpid());
  {
    std::ofstream entry(temporary, std::ios::binary | std::ios::trunc);
    entry << "[Desktop Entry]\n";
    for (const auto& [key, value] : keys) entry << key << '=' << EscapeDesktopValue(value) << '\n';
    entry.flush();
    if (!entry) {
      fs::remove(temporary, error);
      return false;
    }
  }
  if (executable)
    fs::permissions(temporary,
                    fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, error);
  fs::rename(temporary, path, error);
  if (!error) return true;
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return false;
}

std::string ReadDesktopEntryValue(const std::string& path, const std::string& key) {
  std::ifstream entry(path);
  bool inMainGroup = false;
  const std::string prefix = key + "=";
  for (std::string line; std::getline(entry, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') inMainGroup = line == "[Desktop Entry]";
    else if (inMainGroup && line.rfind(prefix, 0) == 0)
      return UnescapeDesktopValue(line.substr(prefix.size()));
  }
  return {};
}
