#include "UDateTime.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

#include "UErrors.h"

namespace {

// Days from 0000-03-01 based civil calendar arithmetic (proleptic Gregorian).
std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;  // days since 1970-01-01
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
  month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

const std::int64_t kUnixEpochAsDateTime = 25569;  // 1970-01-01 counted from 1899-12-30

std::function<TDateTime()>& Clock() {
  static std::function<TDateTime()> clock;
  return clock;
}

TDateTime SystemNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                          now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(millis));
}

std::string TwoDigits(int value) {
  std::string text = std::to_string(value);
  return text.size() < 2 ? "0" + text : text;
}

// Length of the run of letter c starting at pattern[pos], case-insensitively.
std::size_t RunLength(const std::string& pattern, std::size_t pos, char c) {
  std::size_t end = pos;
  while (end < pattern.size() && (pattern[end] | 0x20) == c) {
    ++end;
  }
  return end - pos;
}

std::string FormatNumberToken(char letter, std::size_t run, int year, int month, int day,
                              int hour, int minute, int second,
                              const TFormatSettings& settings) {
  switch (letter) {
    case 'd': return run >= 2 ? TwoDigits(day) : std::to_string(day);
    case 'm':
      if (run >= 4) return settings.LongMonthNames[month - 1];
      if (run == 3) return settings.ShortMonthNames[month - 1];
      return run == 2 ? TwoDigits(month) : std::to_string(month);
    case 'y': {
      if (run <= 2) return TwoDigits(year % 100);
      std::string text = std::to_string(year);
      while (text.size() < 4) text = "0" + text;
      return text;
    }
    case 'h': return run >= 2 ? TwoDigits(hour) : std::to_string(hour);
    case 'n': return run >= 2 ? TwoDigits(minute) : std::to_string(minute);
    default:  return run >= 2 ? TwoDigits(second) : std::to_string(second);  // 's'
  }
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool ParseDateText(const std::string& text, const TFormatSettings& settings, bool allowTime,
                   TDateTime& result);

// Reads an unsigned decimal number of at most maxDigits digits; false when none is there.
bool ReadNumber(const std::string& text, std::size_t& pos, int maxDigits, int& value,
                int& digits) {
  value = 0;
  digits = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    if (digits == maxDigits) return false;
    value = value * 10 + (text[pos] - '0');
    ++digits;
    ++pos;
  }
  return digits > 0;
}

// The order in which day, month and year appear in the short date pattern, as "dmy" letters.
std::string DateOrder(const std::string& pattern) {
  std::string order;
  for (const char c : pattern) {
    const char lower = static_cast<char>(c | 0x20);
    if ((lower == 'd' || lower == 'm' || lower == 'y') && order.find(lower) == std::string::npos) {
      order += lower;
    }
  }
  return order.size() == 3 ? order : "dmy";
}

bool ParseTime(const std::string& text, std::size_t& pos, char separator, TDateTime& time) {
  int parts[3] = {0, 0, 0};
  int count = 0;
  int digits = 0;
  while (count < 3) {
    if (!ReadNumber(text, pos, 2, parts[count], digits)) return false;
    ++count;
    if (pos < text.size() && text[pos] == separator) {
      ++pos;
      continue;
    }
    break;
  }
  if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return false;
  time = EncodeTime(parts[0], parts[1], parts[2]);
  return true;
}

}  // namespace

const TFormatSettings& DefaultFormatSettings() {
  static const TFormatSettings settings;
  return settings;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    return false;
  }
  result = static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochAsDateTime);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime result = 0;
  if (!TryEncodeDate(year, month, day, result)) {
    throw EGeneral("Invalid date: " + std::to_string(year) + "-" + std::to_string(month) + "-" +
                   std::to_string(day));
  }
  return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

namespace {

// A value read from a damaged file may be no date at all; it decodes as day 0.
TDateTime Decodable(TDateTime value) {
  return std::isfinite(value) && std::fabs(value) < 2958466.0 ? value : 0;
}

}  // namespace

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  value = Decodable(value);
  const auto days = static_cast<std::int64_t>(std::trunc(value));
  CivilFromDays(days - kUnixEpochAsDateTime, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  value = Decodable(value);
  const double fraction = std::fabs(value - std::trunc(value));
  auto millis = static_cast<std::int64_t>(std::llround(fraction * 86400000.0));
  if (millis >= 86400000) millis = 86399999;
  hour = static_cast<int>(millis / 3600000);
  minute = static_cast<int>(millis / 60000 % 60);
  second = static_cast<int>(millis / 1000 % 60);
  millisecond = static_cast<int>(millis % 1000);
}

int DayOfWeek(TDateTime value) {
  // 1899-12-30 was a Saturday (7).
  const auto days = static_cast<std::int64_t>(std::trunc(Decodable(value)));
  return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime value) { return std::trunc(value); }

std::string FormatDateTime(const std::string& pattern, TDateTime value,
                           const TFormatSettings& settings) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, millisecond);
  std::string out;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char c = pattern[pos];
    const char lower = static_cast<char>(c | 0x20);
    if (c == '"' || c == '\'') {
      const std::size_t close = pattern.find(c, pos + 1);
      const std::size_t end = close == std::string::npos ? pattern.size() : close;
      out.append(pattern, pos + 1, end - pos - 1);
      pos = end + 1;
    } else if (c == '/') {
      out += settings.DateSeparator;
      ++pos;
    } else if (c == ':') {
      out += settings.TimeSeparator;
      ++pos;
    } else if (lower == 'd' || lower == 'm' || lower == 'y' || lower == 'h' || lower == 'n' ||
               lower == 's') {
      const std::size_t run = RunLength(pattern, pos, lower);
      out += FormatNumberToken(lower, run, year, month, day, hour, minute, second, settings);
      pos += run;
    } else {
      out += c;
      ++pos;
    }
  }
  return out;
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  std::string text = FormatDateTime(settings.ShortDateFormat, value, settings);
  if (value != std::trunc(value)) {
    text += " " + FormatDateTime(settings.LongTimeFormat, value, settings);
  }
  return text;
}

bool TryStrToDateTime(const std::string& text, const TFormatSettings& settings,
                      TDateTime& result) {
  return ParseDateText(text, settings, true, result);
}

bool TryStrToDate(const std::string& text, const TFormatSettings& settings, TDateTime& result) {
  return ParseDateText(text, settings, false, result);
}

namespace {

bool ParseDateText(const std::string& text, const TFormatSettings& settings, bool allowTime,
                   TDateTime& result) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;

  const std::string order = DateOrder(settings.ShortDateFormat);
  int numbers[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
  int count = 0;
  while (count < 3) {
    if (!ReadNumber(text, pos, 4, numbers[count], digits[count])) return false;
    ++count;
    if (count < 3 && pos < text.size() && text[pos] == settings.DateSeparator) {
      ++pos;
      continue;
    }
    break;
  }
  if (count < 2) return false;

  int year = 0, month = 0, day = 0, yearDigits = 0;
  int currentYear = 0, currentMonth = 0, currentDay = 0;
  DecodeDate(Today(), currentYear, currentMonth, currentDay);
  if (count == 2) {
    // Without a year the two numbers are day and month in the pattern's order.
    const bool dayFirst = order.find('d') < order.find('m');
    day = numbers[dayFirst ? 0 : 1];
    month = numbers[dayFirst ? 1 : 0];
    year = currentYear;
    yearDigits = 4;
  } else {
    for (int i = 0; i < 3; ++i) {
      if (order[i] == 'd') day = numbers[i];
      if (order[i] == 'm') month = numbers[i];
      if (order[i] == 'y') { year = numbers[i]; yearDigits = digits[i]; }
    }
  }
  if (yearDigits <= 2) year += currentYear / 100 * 100;
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) return false;

  TDateTime time = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (allowTime && pos < text.size() && pos > 0 && IsBlank(text[pos - 1]) &&
      !ParseTime(text, pos, settings.TimeSeparator, time)) {
    return false;
  }
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos != text.size()) return false;
  result = date >= 0 ? date + time : date - time;
  return true;
}

}  // namespace

TDateTime Now() { return Clock() ? Clock()() : SystemNow(); }

TDateTime Today() { return DateOf(Now()); }

void SetClock(std::function<TDateTime()> clock) { Clock() = std::move(clock); }
