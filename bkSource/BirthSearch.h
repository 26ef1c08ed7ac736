#pragma once
// Reading a partly typed birthday "day.month.year", where any part may be left out: a leading
// separator skips the day, two skip day and month. Separators are "." "," "-" and "/".
//
// The typed text is split into its parts, turned into the numbers of a search date, and into a
// pattern of what the typed text covers of a found birthday's text ("*" standing for characters
// to take from the found text), so that the search can hand back the typed text adjusted to the
// found birthday.

#include <string>

#include "UDateTime.h"

enum class TBirthOrder { ByDay, ByMonth, ByYear };

struct TTypedBirthday {
  std::string DayText;
  bool DaySeparator = false;
  std::string MonthText;
  bool MonthSeparator = false;
  std::string YearText;

  // The order to search in, from the leading separators of the typed text.
  TBirthOrder Order = TBirthOrder::ByDay;
  int Year = 1;
  int Month = 1;
  int Day = 1;
};

TTypedBirthday SplitTypedBirthday(const std::string& text);

// The typed parts padded as the found text will show them: with zero filling, a one-digit day or
// month gets its leading zero; an omitted part shows as "**.".
std::string BirthPattern(const TTypedBirthday& typed, bool zeroFilling);

// The search date: year, month and day, the day cut to the last of the month.
TDateTime BirthKeyDate(int year, int month, int day);

// The pattern with every "*" taken from the same position of the found birthday text; a "*"
// beyond the end of that text (a contact without a birthday) is dropped.
std::string FillBirthPattern(const std::string& pattern, const std::string& found);

// The second reading of a typed day or month: 1, 2 or 3 typed without a separator may be the
// first digit of 10 to 39, 1 of a month may be 10. False when neither applies.
bool ReadAsFirstDigits(TTypedBirthday& typed);
