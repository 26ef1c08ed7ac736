#include <gtest/gtest.h>

#include <functional>

#include "EngineFixture.h"
#include "UErrors.h"

namespace {

class DatArrTest : public ::testing::Test {
protected:
  TempFolder folder;
  ContactTable contacts{folder.File("book.dat")};
  TTable& array = contacts.table;

  void SetUp() override { contacts.Open(); }
};

}  // namespace

TEST_F(DatArrTest, GrowthRule) {
  const std::pair<int, int> steps[] = {{1, 16},   {17, 32},  {63, 64},   {64, 64}, {65, 80},
                                       {100, 112}, {130, 160}, {5, 16},  {0, 0}};
  for (const auto& [count, capacity] : steps) {
    array.SetElemCount(count);
    EXPECT_EQ(array.Capacity(), capacity) << count;
    EXPECT_EQ(array.ElemCount(), count);
  }
  array.SetElemCount(100);
  array.SetElemCount(90);  // fewer elements: the block shrinks to fit
  EXPECT_EQ(array.Capacity(), 96);
  array.SetElemCount(95);  // more, within the capacity: the block stays
  EXPECT_EQ(array.Capacity(), 96);
  EXPECT_EQ(FailureOf([&] { array.SetElemCount(-1); }),
            "Задано отрицательное количество элементов массива");
  EXPECT_EQ(FailureOf([&] { array.SetElemCount(6100806); }),
            "Задано слишком большое количество элементов массива данных");
  array.SetElemCount(0);
}

TEST_F(DatArrTest, ElementsKeptThroughGrowth) {
  for (int i = 0; i < 70; ++i) contacts.Add("N" + std::to_string(100 + i));
  EXPECT_EQ(array.Capacity(), 80);
  EXPECT_EQ(array.GetCellText(0, 1), "N100");
  EXPECT_EQ(array.GetCellText(69, 1), "N169");
}

TEST_F(DatArrTest, CurrentAndCellBounds) {
  array.SetCurrent(0);  // nothing to make current: nothing happens
  contacts.Add("Anna");
  contacts.Add("Boris");
  EXPECT_EQ(FailureOf([&] { array.SetCurrent(2); }), "Неверный номер текущего элемента массива");
  EXPECT_EQ(FailureOf([&] { array.GetCellText(5, 1); }),
            "Неверный индекс для получения строки данных\r\nElem = 5\r\nFElemCount = 2\r\n"
            "Field = 1\r\nFields.Count = 7");
  EXPECT_EQ(FailureOf([&] { array.GetCellData(0, 7); }),
            "Неверный индекс для получения значения элемента массива");
  EXPECT_EQ(FailureOf([&] { array.LocateFilePos(285); }), "Неверный физический номер записи");
  array.LocateFilePos(284);
  EXPECT_EQ(contacts.schema.name.GetAsString(), "Anna");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(array.GetCellData(1, 1))), "Boris");
}

TEST_F(DatArrTest, AppendWithoutIndexGoesLast) {
  array.SetIndex(nullptr);
  contacts.Add("Zoe");
  contacts.Add("Anna");
  EXPECT_EQ(array.RecNo(), 1);
  EXPECT_EQ(array.CurrentFilePos(), 284 + 356);
  EXPECT_EQ(contacts.Names(), (std::vector<std::string>{"Zoe", "Anna"}));
}

TEST(IndexConstruction, TheFieldMustBeInTheSet) {
  ContactSchema schema;
  TStringField lookalike(36);
  lookalike.SetName("Name");
  EXPECT_EQ(FailureOf([&] { TIndex index(&schema.fields, "IndName", &lookalike); }),
            "В наборе полей не найдено индексное поле: Name");
  EXPECT_EQ(FailureOf([&] { TIndex index(nullptr, "IndName", &schema.name); }),
            "Не определен объект полей");
  EXPECT_EQ(FailureOf([&] { TIndex index(&schema.fields, "IndName", nullptr); }),
            "Не определено индексное поле");
  TIndex index(&schema.fields, "IndBirth", &schema.birth);
  EXPECT_EQ(index.Offset(), 4 + 36 + 16 * 3);
  EXPECT_FALSE(index.IsPrimary());
}
