#include "CardinalDate.h"

#include <bit>
#include <cmath>

#include "UErrors.h"

std::uint32_t DateToCardinal(TDateTime date) {
  return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(date) >> 32);
}

TDateTime CardinalToDate(std::uint32_t value) {
  return std::bit_cast<TDateTime>(static_cast<std::uint64_t>(value) << 32);
}

TDateTime NextMonthDate(TDateTime date) {
  // DecodeDate has no defined result outside the calendar's range, so such a value is refused
  // here instead of being turned into a random date.
  const double first = EncodeDate(1, 1, 1);
  const double afterLast = EncodeDate(9999, 12, 31) + 1;
  if (!std::isfinite(date) || date < first || date >= afterLast) {
    throw EGeneral("Invalid date value");
  }
  int year = 0, month = 0, day = 0;
  DecodeDate(date, year, month, day);
  if (++month > 12) {
    month = 1;
    ++year;  // December 9999 has no next month: EncodeDate refuses year 10000
  }
  const int lastDay = DaysInMonth(year, month);
  return EncodeDate(year, month, day > lastDay ? lastDay : day);
}
