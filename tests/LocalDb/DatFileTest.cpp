#include <gtest/gtest.h>

#include <functional>

#include "EngineFixture.h"
#include "UErrors.h"

namespace {

std::string OpenFailure(const std::string& path) {
  ContactTable contacts(path);
  const std::string failure = FailureOf([&] { contacts.Open(false); });
  EXPECT_FALSE(contacts.table.IsOpen());
  return failure;
}

class DatFileTest : public ::testing::Test {
protected:
  TempFolder folder;
  std::string path = folder.File("book.dat");

  // A contact file with three records, the second deleted; returns its bytes.
  std::vector<std::uint8_t> ThreeRecordsSecondDeleted() {
    ContactTable contacts(path);
    contacts.Open();
    contacts.table.SetIndex(nullptr);
    contacts.Add("Anna");
    contacts.Add("Boris");
    contacts.Add("Oksana");
    contacts.table.GoTo(1);
    contacts.table.Delete();
    contacts.table.CloseTable();
    return ReadBytes(path);
  }
};

}  // namespace

TEST_F(DatFileTest, NewContactFileLayout) {
  ContactTable contacts(path);
  contacts.Open(true);
  EXPECT_EQ(contacts.table.ElemSize(), 352);
  EXPECT_EQ(contacts.table.MaxCount(), 6100805);
  EXPECT_EQ(contacts.table.RecordCount(), 0);
  contacts.table.CloseTable();

  const auto bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 284u);
  const std::vector<std::uint8_t> header(bytes.begin(), bytes.begin() + 32);
  const std::vector<std::uint8_t> expectedHeader = {
      0x57, 0x72, 0x44, 0x74, 0, 0, 0, 0, 0x1C, 0x01, 0, 0, 7, 0, 0, 0,
      0x64, 0x01, 0, 0,       0, 0, 0, 0, 0,    0,    0, 0, 0, 0, 0, 0};
  EXPECT_EQ(header, expectedHeader);
  std::vector<std::uint8_t> firstDescriptor = {1, 0, 0, 0, 4, 0, 0, 0, 2, 'I', 'D'};
  firstDescriptor.resize(32, 0);
  firstDescriptor.insert(firstDescriptor.end(), {1, 0, 0, 0});
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 32, bytes.begin() + 68), firstDescriptor);

  struct Descriptor { std::int32_t type, size; std::string name; };
  const Descriptor descriptors[] = {{1, 4, "ID"},    {2, 36, "Name"}, {6, 16, "House"}, {6, 16, "Work"},
                                    {6, 16, "Mobile"}, {4, 8, "Birth"}, {2, 252, "Note"}};
  for (std::size_t i = 0; i < 7; ++i) {
    const std::size_t at = 32 + 36 * i;
    EXPECT_EQ(Int32At(bytes, at), descriptors[i].type) << i;
    EXPECT_EQ(Int32At(bytes, at + 4), descriptors[i].size) << i;
    EXPECT_EQ(std::string(bytes.begin() + at + 9, bytes.begin() + at + 9 + bytes[at + 8]), descriptors[i].name);
    EXPECT_EQ(Int32At(bytes, at + 32), i == 0 ? 1 : 0) << i;
  }
}

TEST_F(DatFileTest, AppendsDeletesAndRewritesReachTheBytesOnDisk) {
  ContactTable contacts(path);
  contacts.Open();
  contacts.Add("Anna", "+380441234567");
  contacts.Add("Boris");
  contacts.Add("Clara");

  auto bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 284u + 3 * 356);
  EXPECT_EQ(Int32At(bytes, 20), 3);               // RecordCount
  EXPECT_EQ(Int32At(bytes, 32 + 32), 4);          // ID's NextKey
  for (int k = 0; k < 3; ++k) EXPECT_EQ(Int32At(bytes, 284 + 356 * k + 8), k + 1);
  EXPECT_EQ(std::string(bytes.begin() + 284 + 12, bytes.begin() + 284 + 16), "Anna");
  EXPECT_EQ(std::string(bytes.begin() + 284 + 48, bytes.begin() + 284 + 61), "+380441234567");

  contacts.table.GoTo(1);  // Boris, in name order
  contacts.table.Delete();
  bytes = ReadBytes(path);
  EXPECT_EQ(bytes.size(), 284u + 3 * 356);
  EXPECT_EQ(Int32At(bytes, 284 + 356), -1);
  EXPECT_EQ(Int32At(bytes, 24), 1);               // DeletedCount

  contacts.table.GoTo(0);  // Anna → Zoe, rewritten in place
  contacts.table.Edit();
  contacts.schema.name.SetAsString("Zoe");
  contacts.table.Post();
  bytes = ReadBytes(path);
  EXPECT_EQ(std::string(bytes.begin() + 284 + 12, bytes.begin() + 284 + 16), std::string("Zoe\0", 4));
  EXPECT_EQ(Int32At(bytes, 20), 3);

  contacts.table.EmptyFile();
  bytes = ReadBytes(path);
  EXPECT_EQ(bytes.size(), 284u);
  EXPECT_EQ(Int32At(bytes, 20), 0);
  EXPECT_EQ(Int32At(bytes, 24), 0);
  EXPECT_EQ(Int32At(bytes, 32 + 32), 1);
}

TEST_F(DatFileTest, LoadSkipsDeletedRecordsAndKeepsFileOffsets) {
  ThreeRecordsSecondDeleted();
  ContactTable contacts(path);
  contacts.Open(false);
  contacts.table.SetIndex(nullptr);
  ASSERT_EQ(contacts.table.RecordCount(), 2);
  contacts.table.GoTo(1);
  EXPECT_EQ(contacts.table.CurrentFilePos(), 284 + 2 * 356);
  EXPECT_EQ(contacts.schema.name.GetAsString(), "Oksana");
  EXPECT_EQ(contacts.schema.id.NextKey(), 4);
}

TEST_F(DatFileTest, HeaderValidation) {
  const auto valid = ThreeRecordsSecondDeleted();
  using Patch = std::function<void(std::vector<std::uint8_t>&)>;
  const std::pair<Patch, std::string> cases[] = {
      {[](auto& b) { b.resize(31); }, "Неверный размер заголовка файла"},
      {[](auto& b) { b.resize(32); b[0] = 'X'; }, "Неверный тип файла"},
      {[](auto& b) { b[0] = 'w'; }, "Неверный тип файла"},
      {[](auto& b) { PutInt32(b, 8, 283); }, "Неверный размер заголовка файла"},
      {[](auto& b) { PutInt32(b, 12, 8); }, "Неверный размер заголовка файла"},
      {[](auto& b) { b.resize(200); }, "Неверный размер заголовка файла"},
      {[](auto& b) { PutInt32(b, 16, 357); }, "Неверный размер записи"},
      {[](auto& b) { b.pop_back(); }, "Неверное количество записей"},
      {[](auto& b) { PutInt32(b, 20, 4); }, "Неверное количество записей"},
      {[](auto& b) { PutInt32(b, 24, 4); PutInt32(b, 20, 3); }, "Неверное количество записей"},
      {[](auto& b) { PutInt32(b, 32 + 36, 4); }, "Неверный тип поля"},
      {[](auto& b) { PutInt32(b, 32 + 36 + 4, 40); PutInt32(b, 32 + 36 * 6 + 4, 248); }, "Неверный размер поля"},
      {[](auto& b) { PutInt32(b, 32 + 32, 0); }, "Неверное очередное значение ключевого поля"},
  };
  for (const auto& [patch, message] : cases) {
    auto bytes = valid;
    patch(bytes);
    WriteBytes(path, bytes);
    EXPECT_EQ(OpenFailure(path), message);
    EXPECT_EQ(ReadBytes(path), bytes) << "a refused file stays as it was: " << message;
  }
}

TEST_F(DatFileTest, AFileOfAnotherShapeIsRefused) {
  TIntegerField number;
  TStringField text(348 - 4);  // the same record size as a contact, in two fields
  number.SetKey(true);
  TFields twoFields{&number, &text};
  TTable table;
  table.SetFileName(path);
  table.SetFields(&twoFields);
  table.CreateFile(false);
  table.Close();
  EXPECT_EQ(OpenFailure(path), "Поврежден заголовок файла");
}

TEST_F(DatFileTest, FieldNamesAreNotCompared) {
  ThreeRecordsSecondDeleted();
  ContactTable contacts(path);
  contacts.schema.name.SetName("FullName");
  contacts.Open(false);
  EXPECT_EQ(contacts.table.RecordCount(), 2);
}

TEST_F(DatFileTest, AFileWithoutFieldSetBuildsItsOwn) {
  ThreeRecordsSecondDeleted();
  TTable table;
  table.SetFileName(path);
  table.OpenTable(false);
  ASSERT_EQ(table.Fields()->Count(), 7);
  EXPECT_EQ(table.Fields()->Items(6)->Name(), "Note");
  EXPECT_EQ(&table.Fields()->Items(1)->Class(), &TStringField::StaticClass());
  EXPECT_EQ(&table.Fields()->Items(4)->Class(), &TPhoneField::StaticClass());
  EXPECT_TRUE(table.Fields()->Items(0)->IsKey());
  EXPECT_EQ(table.Fields()->Items(0)->NextKey(), 4);
  EXPECT_EQ(table.GetCellText(1, 1), "Oksana");
  table.CloseTable();
  EXPECT_EQ(table.Fields(), nullptr);
}

TEST_F(DatFileTest, OpenAndCreateRules) {
  ContactTable contacts(path);
  EXPECT_EQ(OpenFailure(path), "Файл не найден");
  contacts.Open(true);
  EXPECT_THROW(contacts.table.SetFileName(folder.File("other.dat")), EGeneral);

  ContactTable second(path);  // the same process, a second handle
  EXPECT_EQ(FailureOf([&] { second.Open(false); }), "Ошибка открытия файла");
  contacts.table.CloseTable();

  TTable table;
  table.SetFileName(path);
  table.SetFields(&contacts.schema.fields);
  EXPECT_EQ(FailureOf([&] { table.CreateFile(false); }), "Файл существует");
  EXPECT_EQ(FailureOf([&] { table.SetFileName(""); }), "Пустое имя файла");
}

TEST_F(DatFileTest, PositionsAreWholeRecordsUpToTheEnd) {
  ContactTable contacts(path);
  contacts.Open();
  contacts.Add("Anna");
  contacts.Add("Boris");
  const std::int64_t end = 284 + 2 * 356;
  contacts.table.SetPosition(end);
  contacts.table.SetPosition(284);
  for (const std::int64_t bad : {end + 1, std::int64_t{284 + 10}, std::int64_t{283}}) {
    EXPECT_EQ(FailureOf([&] { contacts.table.SetPosition(bad); }), "Неверное смещение записи в файле") << bad;
  }
}

TEST_F(DatFileTest, UnacknowledgedTailIsRemovedOnOpen) {
  auto bytes = ThreeRecordsSecondDeleted();
  const auto acknowledged = bytes;
  bytes.resize(bytes.size() + 356 + 100, 0x5A);  // an append cut before its header write
  WriteBytes(path, bytes);

  ContactTable contacts(path);
  contacts.Open(false);
  EXPECT_EQ(contacts.table.RecordCount(), 2);
  contacts.table.CloseTable();
  EXPECT_EQ(ReadBytes(path), acknowledged);
}

TEST_F(DatFileTest, NextKeyNeverRepeatsAKeyFoundInTheFile) {
  auto bytes = ThreeRecordsSecondDeleted();
  PutInt32(bytes, 32 + 32, 2);  // a descriptor write lost after the header's
  WriteBytes(path, bytes);

  ContactTable contacts(path);
  contacts.Open(false);
  EXPECT_EQ(contacts.schema.id.NextKey(), 4);  // 3 is taken, by a live record
  contacts.Add("Dora");
  EXPECT_EQ(contacts.schema.id.GetAsString(), "4");
}

TEST_F(DatFileTest, LiveRecordsDifferingFromTheCountsAreRecounted) {
  auto bytes = ThreeRecordsSecondDeleted();
  PutInt32(bytes, 284 + 356, 0);  // the deletion mark never reached the disk
  WriteBytes(path, bytes);
  {
    ContactTable contacts(path);
    contacts.Open(false);
    EXPECT_EQ(contacts.table.RecordCount(), 3);
    contacts.table.GoTo(0);
    contacts.table.Delete();
    contacts.table.GoTo(0);
    contacts.table.Delete();
    contacts.table.GoTo(0);
    contacts.table.Delete();
  }
  bytes = ReadBytes(path);
  EXPECT_EQ(Int32At(bytes, 24), 3);  // each delete counted once: the file still opens
  ContactTable contacts(path);
  contacts.Open(false);
  EXPECT_EQ(contacts.table.RecordCount(), 0);
}
