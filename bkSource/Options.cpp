#include "Options.h"

#include <cmath>
#include <cstdint>
#include <filesystem>

#include "CardinalDate.h"
#include "Names.h"
#include "UErrors.h"

std::unique_ptr<TProgOptions> ProgOptions;

namespace {

const char* const kUnit = "bkSource/Options";

const int kNameWidthDefault = 130;
const int kColumnWidthDefault = 66;
const int kNarrowestColumn = 10;  // a stored width up to this reads as the default

int AsSigned(TCardinalParam& param) { return static_cast<std::int32_t>(param.Value()); }

// Numbers are compared in their stored form, so an unchanged value is never written again.
void StoreNumber(TCardinalParam& param, std::uint32_t value) {
  if (param.Value() != value) param.SetValue(value);
}

void StoreSigned(TCardinalParam& param, int value) {
  StoreNumber(param, static_cast<std::uint32_t>(value));
}

void StoreText(TStringParam& param, const std::string& value) {
  if (param.Value() != value) param.SetValue(value);
}

int ColumnWidth(TCardinalParam& param, int fallback) {
  const int width = AsSigned(param);
  return width <= kNarrowestColumn ? fallback : width;
}

}  // namespace

TProgOptions::TProgOptions(const std::string& path, TOpenRetries retries)
    : TCfgOptions(path, retries),
      FTestDate(std::make_unique<TCardinalParam>(this, "TestDate", "Updates")),
      FLastVersion(std::make_unique<TStringParam>(this, "LastVersion", "Updates")),
      FLeft(std::make_unique<TCardinalParam>(this, "Left", "MainForm")),
      FTop(std::make_unique<TCardinalParam>(this, "Top", "MainForm")),
      FWidth(std::make_unique<TCardinalParam>(this, "Width", "MainForm")),
      FHeight(std::make_unique<TCardinalParam>(this, "Height", "MainForm")),
      FNameWidth(std::make_unique<TCardinalParam>(this, "NameWidth", "Grid")),
      FHouseWidth(std::make_unique<TCardinalParam>(this, "HouseWidth", "Grid")),
      FWorkWidth(std::make_unique<TCardinalParam>(this, "WorkWidth", "Grid")),
      FBirthWidth(std::make_unique<TCardinalParam>(this, "BirthWidth", "Grid")),
      FUpperName(std::make_unique<TCardinalParam>(this, "UpperName", "Options")),
      FProgLang(std::make_unique<TStringParam>(this, "ProgLang", "Language")) {}

// Members are destroyed in reverse order of declaration, the parameters before the store.
TProgOptions::~TProgOptions() = default;

TDateTime TProgOptions::TestDate() {
  // A hand-edited number may stand for no date at all (not a number, or beyond year 9999); it
  // reads as "never checked" so that the monthly check simply runs.
  const TDateTime date = CardinalToDate(FTestDate->Value());
  const bool valid = std::isfinite(date) && date >= EncodeDate(1, 1, 1) &&
                     date < EncodeDate(9999, 12, 31) + 1;
  return valid ? date : 0;
}

void TProgOptions::SetTestDate(TDateTime value) {
  StoreNumber(*FTestDate, DateToCardinal(value));
}

std::string TProgOptions::LastVersion() { return TrimBlanks(FLastVersion->Value()); }

void TProgOptions::SetLastVersion(const std::string& value) {
  StoreText(*FLastVersion, TrimBlanks(value));
}

int TProgOptions::Left() { return AsSigned(*FLeft); }
void TProgOptions::SetLeft(int value) { StoreSigned(*FLeft, value); }
int TProgOptions::Top() { return AsSigned(*FTop); }
void TProgOptions::SetTop(int value) { StoreSigned(*FTop, value); }
int TProgOptions::Width() { return AsSigned(*FWidth); }
void TProgOptions::SetWidth(int value) { StoreSigned(*FWidth, value); }
int TProgOptions::Height() { return AsSigned(*FHeight); }
void TProgOptions::SetHeight(int value) { StoreSigned(*FHeight, value); }

int TProgOptions::NameWidth() { return ColumnWidth(*FNameWidth, kNameWidthDefault); }
void TProgOptions::SetNameWidth(int value) { StoreSigned(*FNameWidth, value); }
int TProgOptions::HouseWidth() { return ColumnWidth(*FHouseWidth, kColumnWidthDefault); }
void TProgOptions::SetHouseWidth(int value) { StoreSigned(*FHouseWidth, value); }
int TProgOptions::WorkWidth() { return ColumnWidth(*FWorkWidth, kColumnWidthDefault); }
void TProgOptions::SetWorkWidth(int value) { StoreSigned(*FWorkWidth, value); }
int TProgOptions::BirthWidth() { return ColumnWidth(*FBirthWidth, kColumnWidthDefault); }
void TProgOptions::SetBirthWidth(int value) { StoreSigned(*FBirthWidth, value); }

bool TProgOptions::UpperName() { return FUpperName->Value() != 0; }
void TProgOptions::SetUpperName(bool value) { StoreNumber(*FUpperName, value ? 1 : 0); }

int TProgOptions::ProgLang() {
  const std::string tag = TrimBlanks(FProgLang->Value());
  // Only the Russian and Ukrainian tags are looked for, letter case counting; anything else is
  // English.
  if (tag == LanguageTags[LangRussian]) return LangRussian;
  if (tag == LanguageTags[LangUkrainian]) return LangUkrainian;
  return LangEnglish;
}

void TProgOptions::SetProgLang(int index) {
  Assert(index >= 0 && index < LanguageCount, "Language index out of range", kUnit);
  StoreText(*FProgLang, std::string(LanguageTags[index]));
}

void CreateProgOptions(const std::string& exeFolder) {
  ProgOptions = std::make_unique<TProgOptions>(
      (std::filesystem::path(exeFolder) / CfgFileName).string());
}

void FreeProgOptions() { ProgOptions.reset(); }
