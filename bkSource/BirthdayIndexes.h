#pragma once
// Orders of birthdays by their place in the calendar rather than by age. Both compare only the
// date; no birthday (0) counts as year 0, month 0, day 0 and so comes before every date.
// - TMonthDateIndex: month, then day, then year (the order of the reminders);
// - TDayDateIndex: day, then month, then year.

#include "UIndex.h"

class TMonthDateIndex : public TIndex {
public:
  using TIndex::TIndex;
  int CompareKey(const std::uint8_t* record) const override;
  int CompareRecords(const std::uint8_t* a, const std::uint8_t* b) const override;
  bool SortKey(const std::uint8_t* record, std::string& key) const override;
};

class TDayDateIndex : public TIndex {
public:
  using TIndex::TIndex;
  int CompareKey(const std::uint8_t* record) const override;
  int CompareRecords(const std::uint8_t* a, const std::uint8_t* b) const override;
  bool SortKey(const std::uint8_t* record, std::string& key) const override;
};
