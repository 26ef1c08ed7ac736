#include <gtest/gtest.h>

#include <map>
#include <random>

#include "EngineFixture.h"

// Activating an index sorts by sort keys; the order must be exactly the one the pairwise
// comparisons give, equal records keeping their previous order.
TEST(KeySort, AgreesWithPairwiseComparisonAndIsStable) {
  TempFolder folder;
  TIntegerField number;
  TStringField text(6);
  TDateTimeField date;
  TBooleanField flag;
  TFields fields{&number, &text, &date, &flag};
  TIndex indexes[] = {{&fields, "Number", &number}, {&fields, "Text", &text},
                      {&fields, "Date", &date}, {&fields, "Flag", &flag}};
  TTable table;
  table.SetFileName(folder.File("mixed.dat"));
  table.SetFields(&fields);
  table.OpenTable(true);
  for (TIndex& index : indexes) table.AddIndex(&index);

  std::mt19937 random(7);
  const TDateTime dates[] = {0, -0.0, -36522.25, 1.5, 36526, 36526.75, 2958465};
  for (int i = 0; i < 400; ++i) {
    table.Insert();
    number.SetAsString(std::to_string(static_cast<int>(random() % 21) - 10 +
                                      (i % 50 == 0 ? 2147483637 : 0)));
    std::string bytes;
    for (std::size_t n = random() % 7; n > 0; --n) bytes += static_cast<char>(1 + random() % 255);
    text.SetData(reinterpret_cast<const std::uint8_t*>((bytes + std::string(6, '\0')).data()));
    date.SetAsDateTime(dates[random() % std::size(dates)]);
    flag.SetAsString(random() % 2 ? "true" : "false");
    table.Post();
  }

  const auto filePositions = [&] {
    std::vector<std::int32_t> positions;
    for (int i = 0; i < table.RecordCount(); ++i) {
      table.GoTo(i);
      positions.push_back(table.CurrentFilePos());
    }
    return positions;
  };
  for (TIndex& index : indexes) {
    table.SetIndex(nullptr);  // keeps the present order, which the sort must respect for equals
    std::map<std::int32_t, int> previousRank;
    const auto before = filePositions();
    for (std::size_t i = 0; i < before.size(); ++i) previousRank[before[i]] = static_cast<int>(i);

    table.SetIndex(&index);
    const auto after = filePositions();
    for (int i = 1; i < table.RecordCount(); ++i) {
      const int rc = index.CompareRecords(table.GetCellData(i - 1, 0), table.GetCellData(i, 0));
      ASSERT_LE(rc, 0) << index.Name() << " at " << i;
      if (rc == 0) {
        ASSERT_LT(previousRank[after[i - 1]], previousRank[after[i]]) << index.Name() << " at " << i;
      }
    }
  }
}
