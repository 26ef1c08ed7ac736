#include "BirthdayIndexes.h"

#include <tuple>

#include "UBaseFld.h"

namespace {

struct TCalendarDate {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

TCalendarDate CalendarDate(const std::uint8_t* image) {
  TCalendarDate date;
  const TDateTime value = TDateTimeField::ReadImage(image);
  if (value != 0) DecodeDate(value, date.Year, date.Month, date.Day);
  return date;
}

enum class TOrder { MonthFirst, DayFirst };

// The date's parts in the order's sequence.
std::tuple<int, int, int> OrderedParts(const std::uint8_t* image, TOrder order) {
  const TCalendarDate d = CalendarDate(image);
  return order == TOrder::MonthFirst ? std::tuple(d.Month, d.Day, d.Year)
                                     : std::tuple(d.Day, d.Month, d.Year);
}

int CompareCalendar(const std::uint8_t* a, const std::uint8_t* b, TOrder order) {
  const auto x = OrderedParts(a, order);
  const auto y = OrderedParts(b, order);
  return (x > y) - (x < y);
}

// Month and day in one byte each, the year in two: byte-wise order is the order's.
void AppendCalendarKey(const std::uint8_t* image, TOrder order, std::string& key) {
  const auto [first, second, year] = OrderedParts(image, order);
  key += static_cast<char>(first);
  key += static_cast<char>(second);
  key += static_cast<char>(year >> 8);
  key += static_cast<char>(year & 0xFF);
}

}  // namespace

int TMonthDateIndex::CompareKey(const std::uint8_t* record) const {
  return CompareCalendar(KeyBuffer(), record + Offset(), TOrder::MonthFirst);
}

int TMonthDateIndex::CompareRecords(const std::uint8_t* a, const std::uint8_t* b) const {
  return CompareCalendar(a + Offset(), b + Offset(), TOrder::MonthFirst);
}

int TDayDateIndex::CompareKey(const std::uint8_t* record) const {
  return CompareCalendar(KeyBuffer(), record + Offset(), TOrder::DayFirst);
}

int TDayDateIndex::CompareRecords(const std::uint8_t* a, const std::uint8_t* b) const {
  return CompareCalendar(a + Offset(), b + Offset(), TOrder::DayFirst);
}

bool TMonthDateIndex::SortKey(const std::uint8_t* record, std::string& key) const {
  AppendCalendarKey(record + Offset(), TOrder::MonthFirst, key);
  return true;
}

bool TDayDateIndex::SortKey(const std::uint8_t* record, std::string& key) const {
  AppendCalendarKey(record + Offset(), TOrder::DayFirst, key);
  return true;
}
