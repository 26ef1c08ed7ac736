#pragma once
// The two field classes that make contact data behave as users expect:
// - TCompareStringField: a string field ordered by the user's language, ignoring letter case
//   (names and notes);
// - TShowDateTimeField: a date-time field whose every text, read or written, follows the
//   current program language's date settings (the birthday).
// Neither is registered: both pass the registry test through their registered ancestors, and a
// file opened without a field set gives them as their plain ancestors.

#include "UBaseFld.h"

class TCompareStringField : public TStringField {
public:
  static const TFieldClass& StaticClass();
  explicit TCompareStringField(int size) : TStringField(StaticClass(), size) {}

  int CompareData(const std::uint8_t* a, const std::uint8_t* b) const override;
  bool SortKey(const std::uint8_t* image, std::string& key) const override;
};

class TShowDateTimeField : public TDateTimeField {
public:
  static const TFieldClass& StaticClass();
  TShowDateTimeField() : TDateTimeField(StaticClass()) {}

  // The date alone in the language's short date pattern; empty for no date.
  std::string GetAsString() const override;
  // Day, month and optional year (two digits: this century; none: this year), optionally a time.
  void SetAsString(const std::string& text) override;
  void SetFromString(const std::string& text, std::uint8_t* destination) const override;
  std::string DataToString(const std::uint8_t* source) const override;
};

// The birthday text under the current language's settings, without a time; false when the text
// is not a date.
bool TryReadBirthday(const std::string& text, TDateTime& date);
