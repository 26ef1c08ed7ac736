#include "TextIntface.h"

#include <array>
#include <cctype>

#include "Names.h"
#include "UErrors.h"

namespace {

struct TLanguageState {
  TTextRecord Texts;
  TFormatSettings Format;
  std::vector<std::uint8_t> ProductPage;
  std::vector<std::uint8_t> DesignerPage;
};

// Empty until the first SelectLanguage: no language is current before start-up picks one.
TFormatSettings EmptyFormat() {
  TFormatSettings format;
  format.DateSeparator = '\0';
  format.TimeSeparator = '\0';
  format.ShortDateFormat.clear();
  format.LongTimeFormat.clear();
  format.LongMonthNames = {};
  format.ShortMonthNames = {};
  return format;
}

TLanguageState& State() {
  static TLanguageState state = [] {
    TLanguageState empty;
    empty.Texts.CsvSeparator = '\0';
    empty.Format = EmptyFormat();
    return empty;
  }();
  return state;
}

}  // namespace

const TTextRecord& CurrentTexts() { return State().Texts; }
const TFormatSettings& CurrentFormat() { return State().Format; }
const std::vector<std::uint8_t>& CurrentProductPageAddress() { return State().ProductPage; }
const std::vector<std::uint8_t>& CurrentDesignerPageAddress() { return State().DesignerPage; }

void SelectLanguage(int language) {
  Assert(language >= 0 && language < LanguageCount, "Language index must be 0, 1 or 2",
         "bkSource/TextIntface");
  using TTextsOf = const TTextRecord& (*)();
  using TFormatOf = const TFormatSettings& (*)();
  static constexpr std::array<TTextsOf, LanguageCount> texts = {TextRus, TextUkr, TextEng};
  static constexpr std::array<TFormatOf, LanguageCount> formats = {FormatRus, FormatUkr,
                                                                  FormatEng};
  TLanguageState& state = State();
  state.Texts = texts[language]();
  state.Format = formats[language]();
  const auto productPage = ProductPageAddresses[language];
  state.ProductPage.assign(productPage.begin(), productPage.end());
  state.DesignerPage.assign(DesignerPageAddress.begin(), DesignerPageAddress.end());
}

std::string FormatDateTimeLong(TDateTime value) {
  return FormatDateTime(" dd mmmm yyyy, hh:nn:ss ", value, CurrentFormat());
}

std::string FormatDateLong(TDateTime value) {
  return FormatDateTime("dd mmmm yyyy", value, CurrentFormat());
}

namespace {

[[noreturn]] void BadFormat(const std::string& pattern) {
  throw EGeneral("Format '" + pattern + "' invalid or incompatible with argument");
}

// Reads the digits at pattern[pos], advancing pos; -1 when there are none.
int ReadNumber(const std::string& pattern, std::size_t& pos) {
  int number = -1;
  while (pos < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[pos]))) {
    number = (number < 0 ? 0 : number * 10) + (pattern[pos] - '0');
    if (number > 1000) BadFormat(pattern);
    ++pos;
  }
  return number;
}

std::string FormatArgument(const std::string& pattern, char type, const TFormatArg& arg) {
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(type)));
  if (lower == 's' && std::holds_alternative<std::string>(arg)) return std::get<std::string>(arg);
  if (lower == 'd' && std::holds_alternative<long long>(arg))
    return std::to_string(std::get<long long>(arg));
  BadFormat(pattern);
}

}  // namespace

std::string FormatIndexed(const std::string& pattern, std::initializer_list<TFormatArg> args) {
  std::string result;
  std::size_t next = 0;  // the argument a placeholder without a number takes
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char c = pattern[pos++];
    if (c != '%') {
      result += c;
      continue;
    }
    if (pos < pattern.size() && pattern[pos] == '%') {
      result += '%';
      ++pos;
      continue;
    }
    const int number = ReadNumber(pattern, pos);
    if (number >= 0) {
      if (pos >= pattern.size() || pattern[pos] != ':') BadFormat(pattern);
      ++pos;
      next = static_cast<std::size_t>(number);
    }
    if (pos >= pattern.size() || next >= args.size()) BadFormat(pattern);
    result += FormatArgument(pattern, pattern[pos++], *(args.begin() + next));
    ++next;
  }
  return result;
}
