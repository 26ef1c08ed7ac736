#pragma once
// The current interface language: its texts, its date settings and its web addresses.
//
// All three are empty until the first SelectLanguage, which start-up runs before any window
// or message box uses them; afterwards they change only through SelectLanguage. A switch does
// not touch what is already on the screen: windows read their captions again themselves. This
// unit also formats dates for users and fills the numbered placeholders of the texts.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "TextConst.h"
#include "UDateTime.h"

const TTextRecord& CurrentTexts();
const TFormatSettings& CurrentFormat();
// The scrambled addresses of the current language (see Names.h for the scrambling).
const std::vector<std::uint8_t>& CurrentProductPageAddress();
const std::vector<std::uint8_t>& CurrentDesignerPageAddress();

// Makes language 0 (Russian), 1 (Ukrainian) or 2 (English) current: copies its texts, date
// settings and addresses. Another index is a programming error (Assert).
void SelectLanguage(int language);

// " dd mmmm yyyy, hh:nn:ss " (a blank at both ends) in the current language, month names
// in the genitive where the language has one, e.g. " 05 грудня 2024, 09:07:03 ".
std::string FormatDateTimeLong(TDateTime value);
// "dd mmmm yyyy" in the current language, e.g. "05 December 2024".
std::string FormatDateLong(TDateTime value);

// Fills the placeholders of a text: "%0:s" is argument 0 as text, "%1:d" argument 1 as a
// decimal integer; the number and colon may be left out ("%s" takes the argument after the
// last one used); "%%" is a percent sign. A placeholder without its argument, or whose type
// letter does not fit the argument, throws EGeneral.
using TFormatArg = std::variant<std::string, long long>;
std::string FormatIndexed(const std::string& pattern, std::initializer_list<TFormatArg> args);
