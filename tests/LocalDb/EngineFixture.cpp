#include "EngineFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "UErrors.h"

namespace {

// Every engine test runs with the engine's field classes registered, as the program does.
class RegisteredFieldClasses : public ::testing::Environment {
public:
  void SetUp() override { RegisterEngineFieldClasses(); }
  void TearDown() override { ClearFieldClassRegistry(); }
};

[[maybe_unused]] const auto* const registeredFieldClasses =
    ::testing::AddGlobalTestEnvironment(new RegisteredFieldClasses);

}  // namespace

ContactTable::ContactTable(const std::string& path) {
  table.SetFileName(path);
  table.SetFields(&schema.fields);
}

ContactTable::~ContactTable() {
  if (table.State() != TTableState::Closed) table.CloseTable();
}

void ContactTable::Open(bool createIfMissing) {
  table.OpenTable(createIfMissing);
  table.AddIndex(&byId);
  table.AddIndex(&byName);
  table.SetIndex(&byName);
}

void ContactTable::Add(const std::string& name, const std::string& phone) {
  table.Insert();
  schema.name.SetAsString(name);
  schema.house.SetAsString(phone);
  table.Post();
}

std::vector<std::string> ContactTable::Names() {
  std::vector<std::string> names;
  for (int i = 0; i < table.RecordCount(); ++i) names.push_back(table.GetCellText(i, 1));
  return names;
}

TempFolder::TempFolder() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("vellumark-test-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EGeneral& error) {
    return error.what();
  }
  return "(no failure)";
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return ReadInt32(bytes.data() + offset);
}

void PutInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
  WriteInt32(value, bytes.data() + offset);
}
