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

int CompareCalendar(const std::uint8_t* a, const std::uint8_t* b, TOrder order) {
  const TCalendarDate x = CalendarDate(a);
  const TCalendarDate y = CalendarDate(b);
  const auto key = [order](const TCalendarDate& d) {
    return order == TOrder::MonthFirst ? std::tuple(d.Month, d.Day, d.Year)
                                       : std::tuple(d.Day, d.Month, d.Year);
  };
  return (key(x) > key(y)) - (key(x) < key(y));
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
