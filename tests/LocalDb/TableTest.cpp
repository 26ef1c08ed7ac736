#include <gtest/gtest.h>

#include <functional>

#include "EngineFixture.h"
#include "UErrors.h"

namespace {

class TableTest : public ::testing::Test {
protected:
  TempFolder folder;
  ContactTable contacts{folder.File("book.dat")};
  TTable& table = contacts.table;

  void SetUp() override { contacts.Open(); }

  void AddNames(std::initializer_list<const char*> names) {
    for (const char* name : names) contacts.Add(name);
  }

  // Asserts that the action fails with the message and leaves the state as it was.
  void ExpectRefused(const std::function<void()>& action, const std::string& message) {
    const TTableState before = table.State();
    EXPECT_EQ(FailureOf(action), message);
    EXPECT_EQ(table.State(), before);
  }
};

}  // namespace

TEST_F(TableTest, EmptyTable) {
  EXPECT_EQ(table.State(), TTableState::Browse);
  EXPECT_TRUE(table.Eof());
  EXPECT_EQ(table.RecordCount(), 0);
  ExpectRefused([&] { table.Edit(); }, "Недопустимая операция при пустой таблице");
  ExpectRefused([&] { table.Delete(); }, "Недопустимая операция при пустой таблице");
  table.GoTo(0);
  table.SetIndex(&contacts.byName);  // nothing to sort, nothing fails
  table.FindText("Anna");
  EXPECT_TRUE(table.Eof());
}

TEST_F(TableTest, InsertPostAndCancel) {
  table.Insert();
  contacts.schema.name.SetAsString("Anna");
  EXPECT_EQ(table.GetCellText(0, 1), "Anna");  // the row being typed
  table.Post();
  EXPECT_EQ(table.RecordCount(), 1);
  EXPECT_EQ(contacts.schema.id.GetAsString(), "1");
  EXPECT_FALSE(table.Eof());
  EXPECT_EQ(contacts.schema.id.NextKey(), 2);

  table.Insert();
  contacts.schema.name.SetAsString("Boris");
  table.Cancel();
  EXPECT_EQ(table.RecordCount(), 1);
  EXPECT_EQ(contacts.schema.name.GetAsString(), "Anna");

  ExpectRefused([&] { contacts.schema.name.SetAsString("x"); }, "Поле нельзя редактировать");

  TempFolder other;
  ContactTable empty(other.File("book.dat"));
  empty.Open();
  empty.table.Insert();
  empty.schema.name.SetAsString("Typed");
  empty.table.Cancel();
  EXPECT_EQ(empty.schema.name.GetAsString(), "");
  EXPECT_TRUE(empty.table.Eof());
}

TEST_F(TableTest, StatesRefuseWhatTheyDoNotAllow) {
  AddNames({"Anna"});
  table.Edit();
  ExpectRefused([&] { table.Insert(); }, "Таблица уже находится в режиме редактирования");
  ExpectRefused([&] { table.GoTo(0); }, "Таблица уже находится в режиме редактирования");
  ExpectRefused([&] { table.SetIndex(&contacts.byId); }, "Таблица не переведена в режим просмотра");
  ExpectRefused([&] { table.First(); }, "Таблица не переведена в режим просмотра");
  ExpectRefused([&] { table.Delete(); }, "Таблица не переведена в режим просмотра");
  ExpectRefused([&] { table.EmptyFile(); }, "Таблица не переведена в режим просмотра");
  table.Cancel();
  ExpectRefused([&] { table.Post(); }, "Таблица не переведена в режим редактирования");
  ExpectRefused([&] { table.Cancel(); }, "Таблица не переведена в режим редактирования");
  ExpectRefused([&] { table.GoTo(1); }, "Неправильное значение номера записи");
  ExpectRefused([&] { table.GoTo(-1); }, "Неправильное значение номера записи");

  TIndex stranger(&contacts.schema.fields, "Stranger", &contacts.schema.note);
  ExpectRefused([&] { table.SetIndex(&stranger); }, "Индекс не найден в массиве индексов");
  TIndex twin(&contacts.schema.fields, "indname", &contacts.schema.note);
  ExpectRefused([&] { table.AddIndex(&twin); }, "Совпадение имен индексов");
  TIndex unnamed(&contacts.schema.fields, "", &contacts.schema.note);
  ExpectRefused([&] { table.AddIndex(&unnamed); }, "Не задано имя индекса");
  ExpectRefused([&] { table.AddIndex(nullptr); }, "Не определен индексный объект");
  table.SetIndex(nullptr);
  ExpectRefused([&] { table.FindText("A"); }, "Не задан индексный объект");

  table.CloseTable();
  ExpectRefused([&] { table.RecordCount(); }, "Недопустимая операция при закрытой таблице");
  ExpectRefused([&] { table.Insert(); }, "Недопустимая операция при закрытой таблице");
  ExpectRefused([&] { table.GoTo(0); }, "Недопустимая операция при закрытой таблице");
}

TEST_F(TableTest, CursorWalkAndDeletePositions) {
  AddNames({"Anna", "Boris", "Clara"});
  std::vector<int> visited;
  for (table.First(); !table.Eof(); table.Next()) visited.push_back(table.RecNo());
  EXPECT_EQ(visited, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(table.RecNo(), 2);

  table.GoTo(2);
  table.Delete();  // the last: the one before it becomes current, at the end
  EXPECT_EQ(table.RecNo(), 1);
  EXPECT_TRUE(table.Eof());
  EXPECT_EQ(contacts.schema.name.GetAsString(), "Boris");

  contacts.Add("Clara");
  table.GoTo(0);
  table.Delete();  // the first: the next one moves into its place
  EXPECT_EQ(table.RecNo(), 0);
  EXPECT_FALSE(table.Eof());
  EXPECT_EQ(contacts.schema.name.GetAsString(), "Boris");

  table.Delete();
  table.Delete();
  EXPECT_EQ(table.RecordCount(), 0);
  EXPECT_TRUE(table.Eof());
  EXPECT_EQ(contacts.schema.name.GetAsString(), "");
}

TEST_F(TableTest, IndexOrderSearchesAndInsertPositions) {
  table.SetIndex(nullptr);
  AddNames({"Oksana", "Boris", "Anna", "Boris"});
  EXPECT_EQ(contacts.Names(), (std::vector<std::string>{"Oksana", "Boris", "Anna", "Boris"}));
  table.GoTo(1);  // the first Boris (ID 2) stays current through the sort
  table.SetIndex(&contacts.byName);
  EXPECT_EQ(table.IndexName(), "IndName");
  EXPECT_EQ(contacts.Names(), (std::vector<std::string>{"Anna", "Boris", "Boris", "Oksana"}));
  EXPECT_EQ(table.RecNo(), 1);
  EXPECT_EQ(contacts.schema.id.GetAsString(), "2");

  struct Search { const char* key; int recNo; };
  for (const Search s : {Search{"Boris", 1}, {"Bo", 1}, {"Zoya", 3}, {"A", 0}, {"Anna", 0}}) {
    table.FindText(s.key);
    EXPECT_EQ(table.RecNo(), s.recNo) << s.key;
  }
  for (const Search s : {Search{"Boris", 3}, {"Anna", 1}, {"Aaron", 0}, {"Zoya", 4}}) {
    contacts.byName.SetKeyText(s.key);
    EXPECT_EQ(table.InsertPosition(), s.recNo) << s.key;
  }

  contacts.Add("Boris");  // follows the equal names already there
  EXPECT_EQ(table.RecNo(), 3);
  EXPECT_EQ(contacts.schema.id.GetAsString(), "5");
}

TEST_F(TableTest, RewriteMovesTheRecordToItsNewPlace) {
  AddNames({"Anna", "Boris", "Clara", "Dora"});
  table.GoTo(0);
  table.Edit();
  contacts.schema.name.SetAsString("Zoe");
  EXPECT_EQ(table.GetCellText(0, 1), "Zoe");
  table.Post();
  EXPECT_EQ(contacts.Names(), (std::vector<std::string>{"Boris", "Clara", "Dora", "Zoe"}));
  EXPECT_EQ(table.RecNo(), 3);

  table.Edit();
  contacts.schema.name.SetAsString("Carl");
  table.Post();
  EXPECT_EQ(contacts.Names(), (std::vector<std::string>{"Boris", "Carl", "Clara", "Dora"}));
  EXPECT_EQ(table.RecNo(), 1);

  table.Edit();
  contacts.schema.name.SetAsString("Cecil");  // stays between its neighbours
  table.Post();
  EXPECT_EQ(table.RecNo(), 1);
}

TEST_F(TableTest, PrimaryIndexPlacesByKey) {
  AddNames({"Clara", "Anna", "Boris"});  // keys 1, 2, 3; name order 2, 3, 1
  table.GoTo(1);
  table.SetIndex(&contacts.byId);
  EXPECT_EQ(contacts.Names(), (std::vector<std::string>{"Clara", "Anna", "Boris"}));
  EXPECT_EQ(contacts.schema.name.GetAsString(), "Boris");  // the same record stays current
  table.FindKey(TVariant(std::int32_t{2}));
  EXPECT_EQ(contacts.schema.name.GetAsString(), "Anna");
  table.FindKey(TVariant(std::int32_t{7}));  // no such key: the last one looked at
  EXPECT_EQ(table.RecNo(), 2);
  EXPECT_THROW(table.FindKey(TVariant(std::string("2"))), EGeneral);
}

TEST_F(TableTest, SortsAreStable) {
  table.SetIndex(nullptr);
  std::vector<std::string> expected[3];
  for (int i = 0; i < 40; ++i) {
    const std::string name = std::string(1, static_cast<char>('A' + (i * 7) % 3));
    contacts.Add(name, std::to_string(100 + i));
    expected[(i * 7) % 3].push_back(contacts.schema.house.GetAsString());
  }
  table.SetIndex(&contacts.byName);
  std::vector<std::string> phones;
  for (int i = 0; i < 40; ++i) phones.push_back(table.GetCellText(i, 2));
  std::vector<std::string> flat;
  for (const auto& group : expected) flat.insert(flat.end(), group.begin(), group.end());
  EXPECT_EQ(phones, flat);
}

TEST_F(TableTest, ClosingAndReopening) {
  AddNames({"Anna"});
  table.Insert();
  table.CloseTable();  // drops the pending insert
  EXPECT_EQ(table.State(), TTableState::Closed);
  EXPECT_FALSE(contacts.schema.name.CanEdit());
  EXPECT_TRUE(table.Indexes().empty());
  contacts.Open(false);  // lists its indexes anew without a name clash
  EXPECT_EQ(table.RecordCount(), 1);
  EXPECT_EQ(table.Indexes().size(), 2u);
}
