#pragma once
// A telephone number field: a 16-byte string field that stores only an optional leading "+" and
// digits, and shows them grouped from the right in the mask "000 000 000 000-00-00".
//
// Searching stores search texts unchanged (SetFromVariant and SetFromString are the string
// field's): callers pass text that ExtractPhone has already reduced.

#include "UBaseFld.h"

class TPhoneField : public TStringField {
public:
  static constexpr int StoredSize = 16;

  static const TFieldClass& StaticClass();
  TPhoneField() : TStringField(StaticClass(), StoredSize) {}

  std::string GetAsString() const override;
  void SetAsString(const std::string& text) override;
  std::string DataToString(const std::uint8_t* source) const override;
  // The stored text, unformatted.
  virtual std::string GetRawString() const;

  // Any typed text to the stored form: "+" only first, digits, at most 16 characters.
  static std::string ExtractPhone(const std::string& text);
  // Stored or typed text to the display form.
  static std::string FormatPhone(const std::string& text);
};
