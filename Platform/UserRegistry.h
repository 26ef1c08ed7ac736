#pragma once
// The per-user registry keys of a Windows desktop, kept in one store file of the user's own.
//
// The store is "$XDG_CONFIG_HOME/vellumark-registry" (UserFolders.h): one section per key, the
// key's path in brackets, then one line per value in the form the registry's own export text
// uses: "Name"="text" for a text (backslash and double quote escaped by a backslash, line breaks
// as \n) and "Name"=dword:0000000C for a 32-bit number. Every change rewrites the store whole
// (a temporary file renamed over it); deleting the last key removes the file.
//
// TUserRegistry is the access object: it opens one key at a time, as the programs do. Failures
// are results (false, nothing), never exceptions.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TUserRegistry {
public:
  // The store file; empty when no configuration folder can be had.
  static std::string StorePath();

  bool KeyExists(const std::string& key) const;
  // Opens key, creating it (in memory; the store gets it with its first value) when canCreate.
  // False when the key is missing and may not be created, or the store cannot be read.
  bool OpenKey(const std::string& key, bool canCreate);
  void CloseKey();
  const std::string& CurrentPath() const { return FCurrent; }

  bool ValueExists(const std::string& name) const;
  std::optional<std::string> ReadString(const std::string& name) const;
  // Nothing for a missing value or one that is not a number.
  std::optional<std::int32_t> ReadInteger(const std::string& name) const;
  // Write through to the store; false when it cannot be written (the key must be open).
  bool WriteString(const std::string& name, const std::string& value);
  bool WriteInteger(const std::string& name, std::int32_t value);
  // Removes the key and its values; true when it is gone afterwards. Closes it when open.
  bool DeleteKey(const std::string& key);

private:
  struct TValue {
    std::string Name;
    std::string Stored;  // the text after "=" in the store
  };
  struct TKey {
    std::string Path;
    std::vector<TValue> Values;
  };

  // Reads the store; false when it exists but cannot be read.
  static bool Load(std::vector<TKey>& keys);
  static bool Save(const std::vector<TKey>& keys);
  std::optional<std::string> Stored(const std::string& name) const;
  bool WriteStored(const std::string& name, const std::string& stored);

  std::string FCurrent;
};
