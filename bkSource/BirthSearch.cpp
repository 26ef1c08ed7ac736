#include "BirthSearch.h"

#include <algorithm>
#include <charconv>

namespace {

bool IsSeparator(char c) { return c == '.' || c == ',' || c == '-' || c == '/'; }

// The next part of at most two characters up to a separator, and whether a separator follows.
void ReadPart(const std::string& text, std::size_t& pos, std::string& part, bool& separator) {
  while (pos < text.size() && part.size() < 2 && !IsSeparator(text[pos])) part += text[pos++];
  separator = pos < text.size() && IsSeparator(text[pos]);
  if (separator) ++pos;
}

// The number of a typed part; fallback when it is empty, zero or not a number.
int PartNumber(const std::string& text, int fallback, int largest) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value <= 0) {
    return fallback;
  }
  return std::min(value, largest);
}

bool NeedsLeadingZero(const std::string& part, bool separator, bool zeroFilling) {
  return part.size() == 1 && part != "0" && (separator || zeroFilling);
}

}  // namespace

TTypedBirthday SplitTypedBirthday(const std::string& text) {
  TTypedBirthday typed;
  if (!text.empty() && IsSeparator(text[0])) {
    typed.Order = text.size() > 1 && IsSeparator(text[1]) ? TBirthOrder::ByYear : TBirthOrder::ByMonth;
  }
  std::size_t pos = 0;
  ReadPart(text, pos, typed.DayText, typed.DaySeparator);
  ReadPart(text, pos, typed.MonthText, typed.MonthSeparator);
  for (; pos < text.size() && typed.YearText.size() < 4; ++pos) {
    if (text[pos] >= '0' && text[pos] <= '9') typed.YearText += text[pos];
  }

  std::string year = typed.YearText;
  year.resize(4, '0');  // 19 → 1900
  typed.Year = PartNumber(year, 1, 9999);
  typed.Month = PartNumber(typed.MonthText, 1, 12);
  typed.Day = PartNumber(typed.DayText, 1, 31);
  return typed;
}

std::string BirthPattern(const TTypedBirthday& typed, bool zeroFilling) {
  std::string pattern;
  if (typed.DayText.empty()) {
    if (typed.DaySeparator) pattern += "**.";
  } else {
    if (NeedsLeadingZero(typed.DayText, typed.DaySeparator, zeroFilling)) pattern += '0';
    pattern += typed.DayText;
    if (typed.DaySeparator) pattern += '.';
  }
  if (typed.MonthText.empty()) {
    if (typed.MonthSeparator) pattern += "**.";
  } else {
    if (!typed.DaySeparator) pattern += '.';
    if (NeedsLeadingZero(typed.MonthText, typed.MonthSeparator, zeroFilling)) pattern += '0';
    pattern += typed.MonthText;
    if (typed.MonthSeparator) pattern += '.';
  }
  if (!typed.MonthSeparator && !typed.YearText.empty()) pattern += '.';
  return pattern + typed.YearText;
}

TDateTime BirthKeyDate(int year, int month, int day) {
  return EncodeDate(year, month, std::min(day, DaysInMonth(year, month)));
}

std::string FillBirthPattern(const std::string& pattern, const std::string& found) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '*') {
      result += pattern[i];
    } else if (i < found.size()) {
      result += found[i];
    }
  }
  return result;
}

bool ReadAsFirstDigits(TTypedBirthday& typed) {
  bool changed = false;
  if (!typed.DaySeparator && (typed.DayText == "1" || typed.DayText == "2" || typed.DayText == "3")) {
    typed.Day *= 10;
    changed = true;
  }
  if (!typed.MonthSeparator && typed.MonthText == "1") {
    typed.Month = 10;
    changed = true;
  }
  return changed;
}
