#pragma once
// Shared pieces of the engine's tests: a table over the contact schema, a temporary folder, and
// file helpers that read and patch the bytes on disk.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ContactSchema.h"
#include "UTable.h"

// A table over the contact schema with an index on each of ID and Name; opening it makes the
// name order active, as the contact book does.
class ContactTable {
public:
  explicit ContactTable(const std::string& path);
  ~ContactTable();

  TTable table;
  ContactSchema schema;
  TIndex byId{&schema.fields, "IndID", &schema.id};
  TIndex byName{&schema.fields, "IndName", &schema.name};

  void Open(bool createIfMissing = true);
  // Inserts one contact with the given name (and phone), posted at once.
  void Add(const std::string& name, const std::string& phone = "");
  // The names of all records in array order.
  std::vector<std::string> Names();
};

// A fresh empty folder, removed with everything in it when the object goes.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
  std::filesystem::path path_;
};

// The message of the failure the action raises, or "(no failure)".
std::string FailureOf(const std::function<void()>& action);

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);
void PutInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value);

// Contact file geometry.
constexpr int kContactHeaderSize = 284;
constexpr int kContactRecordSize = 356;
