#include "BookFields.h"

#include <cstring>

#include "TextIntface.h"
#include "UErrors.h"
#include "UserCollation.h"

namespace {

std::size_t TextLength(const std::uint8_t* image, int size) {
  const void* zero = std::memchr(image, 0, static_cast<std::size_t>(size));
  return zero == nullptr ? static_cast<std::size_t>(size)
                         : static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - image);
}

std::string BirthdayText(TDateTime value) {
  return value == 0 ? std::string() : FormatDateTime(CurrentFormat().ShortDateFormat, value, CurrentFormat());
}

TDateTime ParseBirthday(const std::string& text, const char* operation) {
  TDateTime value = 0;
  if (!TryStrToDateTime(text, CurrentFormat(), value)) {
    throw EGeneral(std::string("TShowDateTimeField.") + operation + " convert error:" + text);
  }
  return value;
}

}  // namespace

const TFieldClass& TCompareStringField::StaticClass() {
  static const TFieldClass fieldClass{"TCompareStringField", 2, &TStringField::StaticClass(),
                                      [](int size) {
                                        return std::unique_ptr<TField>(new TCompareStringField(size));
                                      }};
  return fieldClass;
}

int TCompareStringField::CompareData(const std::uint8_t* a, const std::uint8_t* b) const {
  return CompareUserCollation(a, TextLength(a, Size()), b, TextLength(b, Size()));
}

bool TCompareStringField::SortKey(const std::uint8_t* image, std::string& key) const {
  AppendUserSortKey(image, TextLength(image, Size()), key);
  return true;
}

const TFieldClass& TShowDateTimeField::StaticClass() {
  static const TFieldClass fieldClass{"TShowDateTimeField", 4, &TDateTimeField::StaticClass(),
                                      [](int) { return std::unique_ptr<TField>(new TShowDateTimeField()); }};
  return fieldClass;
}

std::string TShowDateTimeField::GetAsString() const { return BirthdayText(AsDateTime()); }

void TShowDateTimeField::SetAsString(const std::string& text) {
  CheckEditable();
  SetAsDateTime(text.empty() ? 0 : ParseBirthday(text, "SetAsString"));
}

void TShowDateTimeField::SetFromString(const std::string& text, std::uint8_t* destination) const {
  WriteImage(ParseBirthday(text, "SetFromString"), destination);
}

std::string TShowDateTimeField::DataToString(const std::uint8_t* source) const {
  return BirthdayText(ReadImage(source));
}

bool TryReadBirthday(const std::string& text, TDateTime& date) {
  return TryStrToDate(text, CurrentFormat(), date);
}
