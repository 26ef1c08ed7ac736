#include "UserRegistry.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <strings.h>
#include <unistd.h>

#include "UserFolders.h"

namespace {

// Key paths and value names match without regard to letter case, as in the registry.
bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string QuoteText(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\n') quoted += "\\n";
    else if (c == '\r') quoted += "\\r";
    else {
      if (c == '"' || c == '\\') quoted += '\\';
      quoted += c;
    }
  }
  return quoted + "\"";
}

// The text inside a quoted store field; nothing when the field is not one. Sets end to the
// index after the closing quote.
std::optional<std::string> UnquoteText(const std::string& field, std::size_t& end) {
  if (field.empty() || field[0] != '"') return std::nullopt;
  std::string plain;
  for (std::size_t i = 1; i < field.size(); ++i) {
    if (field[i] == '"') {
      end = i + 1;
      return plain;
    }
    if (field[i] == '\\' && i + 1 < field.size()) {
      ++i;
      plain += field[i] == 'n' ? '\n' : field[i] == 'r' ? '\r' : field[i];
    } else {
      plain += field[i];
    }
  }
  return std::nullopt;
}

}  // namespace

std::string TUserRegistry::StorePath() {
  const std::string config = UserConfigFolder();
  return config.empty() ? std::string() : config + "vellumark-registry";
}

bool TUserRegistry::Load(std::vector<TKey>& keys) {
  keys.clear();
  const std::string path = StorePath();
  if (path.empty()) return false;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return !error;
  std::ifstream store(path, std::ios::binary);
  if (!store) return false;
  for (std::string line; std::getline(store, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      keys.push_back({line.substr(1, line.size() - 2), {}});
      continue;
    }
    std::size_t end = 0;
    const auto name = UnquoteText(line, end);
    if (!name || keys.empty() || end >= line.size() || line[end] != '=') continue;
    keys.back().Values.push_back({*name, line.substr(end + 1)});
  }
  return true;
}

bool TUserRegistry::Save(const std::vector<TKey>& keys) {
  namespace fs = std::filesystem;
  const std::string path = StorePath();
  if (path.empty()) return false;
  std::error_code error;
  if (keys.empty()) {
    fs::remove(path, error);
    return !error;
  }
  fs::create_directories(fs::path(path).parent_path(), error);
  const std::string temporary = path + ".new" + std::to_string(::getpid());
  {
    std::ofstream store(temporary, std::ios::binary | std::ios::trunc);
    for (const TKey& key : keys) {
      store << '[' << key.Path << "]\n";
      for (const TValue& value : key.Values) store << QuoteText(value.Name) << '=' << value.Stored << '\n';
      store << '\n';
    }
    store.flush();
    if (!store) {
      fs::remove(temporary, error);
      return false;
    }
  }
  fs::rename(temporary, path, error);
  if (!error) return true;
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return false;
}

bool TUserRegistry::KeyExists(const std::string& key) const {
  std::vector<TKey> keys;
  if (!Load(keys)) return false;
  return std::any_of(keys.begin(), keys.end(), [&](const TKey& k) { return SameName(k.Path, key); });
}

bool TUserRegistry::OpenKey(const std::string& key, bool canCreate) {
  FCurrent.clear();
  if (key.empty() || (!canCreate && !KeyExists(key))) return false;
  std::vector<TKey> keys;
  if (!Load(keys)) return false;
  FCurrent = key;
  return true;
}

void TUserRegistry::CloseKey() { FCurrent.clear(); }

std::optional<std::string> TUserRegistry::Stored(const std::string& name) const {
  std::vector<TKey> keys;
  if (FCurrent.empty() || !Load(keys)) return std::nullopt;
  for (const TKey& key : keys) {
    if (!SameName(key.Path, FCurrent)) continue;
    for (const TValue& value : key.Values)
      if (SameName(value.Name, name)) return value.Stored;
  }
  return std::nullopt;
}

bool TUserRegistry::ValueExists(const std::string& name) const { return Stored(name).has_value(); }

std::optional<std::string> TUserRegistry::ReadString(const std::string& name) const {
  const auto stored = Stored(name);
  std::size_t end = 0;
  if (!stored) return std::nullopt;
  const auto text = UnquoteText(*stored, end);
  return text && end == stored->size() ? text : std::nullopt;
}

std::optional<std::int32_t> TUserRegistry::ReadInteger(const std::string& name) const {
  const auto stored = Stored(name);
  const std::string prefix = "dword:";
  if (!stored || stored->size() != prefix.size() + 8 || stored->rfind(prefix, 0) != 0)
    return std::nullopt;
  const std::string digits = stored->substr(prefix.size());
  if (digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
  return static_cast<std::int32_t>(std::stoul(digits, nullptr, 16));
}

bool TUserRegistry::WriteStored(const std::string& name, const std::string& stored) {
  std::vector<TKey> keys;
  if (FCurrent.empty() || !Load(keys)) return false;
  auto key = std::find_if(keys.begin(), keys.end(),
                          [&](const TKey& k) { return SameName(k.Path, FCurrent); });
  if (key == keys.end()) key = keys.insert(keys.end(), TKey{FCurrent, {}});
  auto value = std::find_if(key->Values.begin(), key->Values.end(),
                            [&](const TValue& v) { return SameName(v.Name, name); });
  if (value == key->Values.end()) key->Values.push_back({name, stored});
  else value->Stored = stored;
  return Save(keys);
}

bool TUserRegistry::WriteString(const std::string& name, const std::string& value) {
  return WriteStored(name, QuoteText(value));
}

bool TUserRegistry::WriteInteger(const std::string& name, std::int32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<std::uint32_t>(value));
  return WriteStored(name, std::string("dword:") + digits);
}

bool TUserRegistry::DeleteKey(const std::string& key) {
  if (SameName(key, FCurrent)) CloseKey();
  std::vector<TKey> keys;
  if (!Load(keys)) return false;
  const auto size = keys.size();
  std::erase_if(keys, [&](const TKey& k) { return SameName(k.Path, key); });
  return keys.size() == size || Save(keys);
}
