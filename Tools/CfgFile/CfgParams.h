#pragma once
// The two kinds of setting over the settings store: a 32-bit number and a text.
//
// A number is stored as exactly 8 upper-case hexadecimal digits without prefix (-10 as
// FFFFFFF6). Reading takes the text as hexadecimal: a missing key, an empty text or one that is
// not a hexadecimal number gives 0, and a longer number keeps its low 32 bits. A text is stored
// as it stands and reads as empty when the key is missing.
//
// Setting Value always writes the file through; callers that may set an unchanged value compare
// first (Options.h).

#include <cstdint>
#include <string>

#include "BaseOptions.h"

class TCardinalParam;
class TStringParam;

class ICfgCardinalReader : public ICfgReader {
public:
  // Stops with an assertion failure when parent is null.
  explicit ICfgCardinalReader(TCardinalParam* parent);
  // Throws EGeneral when the stored text is not a hexadecimal number (the parameter then reads
  // as 0).
  void Read(const TIniContents& ini) override;
  void Write(TIniContents& ini) override;

private:
  TCardinalParam* FParent;
};

class ICfgStringReader : public ICfgReader {
public:
  // Stops with an assertion failure when parent is null.
  explicit ICfgStringReader(TStringParam* parent);
  void Read(const TIniContents& ini) override;
  void Write(TIniContents& ini) override;

private:
  TStringParam* FParent;
};

class TCardinalParam : public TParam {
public:
  TCardinalParam(TCfgOptions* owner, std::string prName, std::string scName);

  bool IsEmpty() const override { return FValue == 0; }
  void Clear() override { FValue = 0; }

  std::uint32_t Value();
  void SetValue(std::uint32_t value);

private:
  friend class ICfgCardinalReader;
  std::uint32_t FValue = 0;
};

class TStringParam : public TParam {
public:
  TStringParam(TCfgOptions* owner, std::string prName, std::string scName);

  bool IsEmpty() const override { return FValue.empty(); }
  void Clear() override { FValue.clear(); }

  std::string Value();
  void SetValue(const std::string& value);

private:
  friend class ICfgStringReader;
  std::string FValue;
};

// The number a stored text stands for: hexadecimal digits only, at most 64 bits' worth, cut to
// the low 32 bits. Throws EGeneral for anything else, the empty text included.
std::uint32_t ParseCardinalText(const std::string& text);
// Exactly 8 upper-case hexadecimal digits.
std::string FormatCardinalText(std::uint32_t value);
