#pragma once
// Date-time values and their conversions.
//
// A TDateTime is a double counting days since 1899-12-30; the fraction is the time of day and 0
// means "no date". Texts are formatted and parsed under a TFormatSettings, so the same code
// serves the engine's default settings and each program language's date settings.

#include <array>
#include <functional>
#include <string>

using TDateTime = double;

struct TFormatSettings {
  char DateSeparator = '.';
  char TimeSeparator = ':';
  // Patterns: d dd (day), m mm (month number), mmm mmmm (month name), yy yyyy (year),
  // h hh (hour), n nn (minute), s ss (second); "/" is the date separator and ":" the time
  // separator; text in double or single quotes is copied as it stands.
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string LongTimeFormat = "hh:nn:ss";
  std::array<std::string, 12> LongMonthNames = {"January", "February", "March",     "April",
                                                "May",     "June",     "July",      "August",
                                                "September", "October", "November", "December"};
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};

// The settings the engine's own fields convert with.
const TFormatSettings& DefaultFormatSettings();

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Year 1..9999, month 1..12, day 1..DaysInMonth; false (result untouched) otherwise.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
// As TryEncodeDate, but an invalid date throws EGeneral.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
// The date part (midnight of the same day).
TDateTime DateOf(TDateTime value);

std::string FormatDateTime(const std::string& pattern, TDateTime value,
                           const TFormatSettings& settings);
// The short date, then a blank and the long time when the time of day is not midnight.
std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Parses numbers for day, month and year in the order of ShortDateFormat, separated by
// DateSeparator, optionally followed by blanks and a time "h:n[:s]". A missing year is the
// current year; a year of one or two digits lies in the current century. Blanks around the
// text are ignored. False for anything else, including dates that do not exist.
bool TryStrToDateTime(const std::string& text, const TFormatSettings& settings,
                      TDateTime& result);
// The same for a date alone: a time after it is refused.
bool TryStrToDate(const std::string& text, const TFormatSettings& settings, TDateTime& result);

// The clock of the whole program; tests replace it to fix "now".
TDateTime Now();
TDateTime Today();
void SetClock(std::function<TDateTime()> clock);  // an empty function restores the system clock
