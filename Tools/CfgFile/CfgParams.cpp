#include "CfgParams.h"

#include <cstdio>

#include "UErrors.h"

namespace {

const char* const kUnit = "Tools/CfgFile/CfgParams";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::uint32_t ParseCardinalText(const std::string& text) {
  if (text.empty()) throw EGeneral("'" + text + "' is not a valid integer value");
  std::uint64_t value = 0;
  for (const char c : text) {
    const int digit = HexDigit(c);
    // A digit that would push a set bit out of the 64 bits is an overflow.
    if (digit < 0 || (value >> 60) != 0) {
      throw EGeneral("'" + text + "' is not a valid integer value");
    }
    value = value << 4 | static_cast<std::uint64_t>(digit);
  }
  return static_cast<std::uint32_t>(value);
}

std::string FormatCardinalText(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return text;
}

// ---- readers ----

ICfgCardinalReader::ICfgCardinalReader(TCardinalParam* parent) : FParent(parent) {
  Assert(FParent != nullptr, "Not Assigned parent param", kUnit);
}

void ICfgCardinalReader::Read(const TIniContents& ini) {
  FParent->FValue =
      ParseCardinalText(ini.ReadString(FParent->ScName(), FParent->PrName(), "0"));
}

void ICfgCardinalReader::Write(TIniContents& ini) {
  ini.WriteString(FParent->ScName(), FParent->PrName(), FormatCardinalText(FParent->FValue));
}

ICfgStringReader::ICfgStringReader(TStringParam* parent) : FParent(parent) {
  Assert(FParent != nullptr, "Not Assigned parent param", kUnit);
}

void ICfgStringReader::Read(const TIniContents& ini) {
  FParent->FValue = ini.ReadString(FParent->ScName(), FParent->PrName(), "");
}

void ICfgStringReader::Write(TIniContents& ini) {
  ini.WriteString(FParent->ScName(), FParent->PrName(), FParent->FValue);
}

// ---- parameters ----

TCardinalParam::TCardinalParam(TCfgOptions* owner, std::string prName, std::string scName)
    : TParam(owner, std::move(prName), std::move(scName)) {
  SetReader(std::make_unique<ICfgCardinalReader>(this));
}

std::uint32_t TCardinalParam::Value() {
  Load();
  return FValue;
}

void TCardinalParam::SetValue(std::uint32_t value) {
  FValue = value;
  Save();
}

TStringParam::TStringParam(TCfgOptions* owner, std::string prName, std::string scName)
    : TParam(owner, std::move(prName), std::move(scName)) {
  SetReader(std::make_unique<ICfgStringReader>(this));
}

std::string TStringParam::Value() {
  Load();
  return FValue;
}

void TStringParam::SetValue(const std::string& value) {
  FValue = value;
  Save();
}
