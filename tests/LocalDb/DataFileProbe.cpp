#include "DataFileProbe.h"

#include <memory>
#include <set>

#include "EngineFixture.h"
#include "UErrors.h"

namespace {

const std::string kProbePath = "/probe/book.dat";

// The messages with which an open refuses a file.
bool IsOpenRefusal(const std::string& message) {
  static const std::set<std::string> messages = {
      "Неверный размер заголовка файла", "Неверный тип файла", "Неверный размер записи",
      "Неверное количество записей",     "Поврежден заголовок файла", "Неверный тип поля",
      "Неверный размер поля",            "Неверное очередное значение ключевого поля",
  };
  return messages.count(message) != 0 || message.rfind("Класс поля не зарегистрирован: ", 0) == 0;
}

// Reads every cell, activates each index, appends a record and deletes the first one.
void Use(TTable& table, TField* text) {
  for (int i = 0; i < table.RecordCount(); ++i) {
    for (int f = 0; f < table.Fields()->Count(); ++f) table.GetCellText(i, f);
  }
  for (TIndex* index : table.Indexes()) table.SetIndex(index);
  table.Insert();
  if (text != nullptr) text->SetAsString("Probe");
  try {
    table.Post();
  } catch (const EGeneral& error) {
    // A file whose keys are used up takes no further record; anything else is a fault.
    if (std::string(error.what()) != "Неверное очередное значение ключевого поля") throw;
    table.Cancel();
  }
  table.First();
  if (table.RecordCount() > 0) table.Delete();
}

// A table over the field set built from the file, with an index on each of its first fields.
struct TBuiltTable {
  TTable table;
  std::vector<std::unique_ptr<TIndex>> indexes;

  void Open() {
    table.OpenTable(false);
    for (int f = 0; f < std::min(table.Fields()->Count(), 4); ++f) {
      indexes.push_back(std::make_unique<TIndex>(table.Fields(), "I" + std::to_string(f), table.Fields()->Items(f)));
      table.AddIndex(indexes.back().get());
    }
  }
  void Close() {
    table.CloseTable();
    indexes.clear();
  }
};

// Opens with the given steps; a refusal is recorded and checked, an opened file is used and
// opened again.
template <typename TOpen, typename TUse, typename TClose>
void Probe(TFaultyFileSystem& fileSystem, const std::vector<std::uint8_t>& bytes, std::string& refusal,
           std::string& fault, TOpen open, TUse use, TClose close) {
  fileSystem.SetFile(kProbePath, bytes);
  try {
    open();
  } catch (const EGeneral& error) {
    refusal = error.what();
    if (!IsOpenRefusal(refusal)) fault = "refused with a message open does not give: " + refusal;
    if (fileSystem.File(kProbePath) != bytes) fault = "a refused file was changed";
    return;
  }
  try {
    use();
    close();
    open();
    close();
  } catch (const EGeneral& error) {
    fault = std::string("failed after opening: ") + error.what();
  }
}

}  // namespace

TProbeResult ProbeDataFile(TFaultyFileSystem& fileSystem, const std::vector<std::uint8_t>& bytes) {
  TProbeResult result;
  {
    ContactTable contact(kProbePath);
    Probe(
        fileSystem, bytes, result.refusal[0], result.fault, [&] { contact.Open(false); },
        [&] { Use(contact.table, &contact.schema.name); }, [&] { contact.table.CloseTable(); });
  }
  if (!result.fault.empty()) return result;
  TBuiltTable built;
  built.table.SetFileName(kProbePath);
  Probe(
      fileSystem, bytes, result.refusal[1], result.fault, [&] { built.Open(); },
      [&] { Use(built.table, nullptr); }, [&] { built.Close(); });
  return result;
}

std::vector<std::vector<std::uint8_t>> ValidDataFiles(TFaultyFileSystem& fileSystem) {
  std::vector<std::vector<std::uint8_t>> files;
  const std::string path = "/probe/valid.dat";
  fileSystem.Remove(path);
  {
    ContactTable contact(path);
    contact.Open(true);
    contact.table.CloseTable();
    files.push_back(fileSystem.File(path));
    contact.Open(false);
    for (const char* name : {"Алексей Петров", "Zoe", "Мария", "Bob Smith", "Яна"}) contact.Add(name, "8 (812) 555-01-02");
    contact.table.GoTo(2);
    contact.table.Delete();
    contact.table.CloseTable();
    files.push_back(fileSystem.File(path));
  }
  {
    TIntegerField key;
    TBooleanField flag;
    TDateTimeField when;
    TPhoneField phone;
    TStringField text{5};
    key.SetKey(true);
    TFields fields{&key, &flag, &when, &phone, &text};
    TTable table;
    fileSystem.Remove(path);
    table.SetFileName(path);
    table.SetFields(&fields);
    table.OpenTable(true);
    for (const char* value : {"abc", "de", "fghij"}) {
      table.Insert();
      text.SetAsString(value);
      table.Post();
    }
    table.First();
    table.Delete();
    table.CloseTable();
    files.push_back(fileSystem.File(path));
  }
  return files;
}
