#include "TextConst.h"

TFormatSettings LanguageFormat(const std::array<std::string, 12>& longMonthNames) {
  TFormatSettings format;
  format.DateSeparator = '.';
  format.TimeSeparator = ':';
  format.ShortDateFormat = "dd/mm/yyyy";
  format.LongMonthNames = longMonthNames;
  // No user-visible pattern of the program asks for abbreviated month names; left empty so
  // that English abbreviations never appear in a Ukrainian or Russian text.
  format.ShortMonthNames = {};
  // The long time stays "hh:nn:ss" rather than empty, so that a date-time shown with its
  // time never loses the time part.
  format.LongTimeFormat = "hh:nn:ss";
  return format;
}
