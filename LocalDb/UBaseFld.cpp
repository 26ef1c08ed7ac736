#include "UBaseFld.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstring>

#include "UCodePage1251.h"
#include "UErrors.h"

namespace {

template <typename T>
const T* VariantAs(const TVariant& value, const char* kindName) {
  const T* held = std::get_if<T>(&value);
  if (held == nullptr) throw EGeneral(std::string("Тип варианта не является ") + kindName);
  return held;
}

// Decimal integer with an optional sign; blanks around it are allowed.
bool TryParseInt32(const std::string& text, std::int32_t& value) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  if (first == std::string::npos) return false;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+' && end - begin > 1 && begin[1] != '-') ++begin;
  const auto [stop, error] = std::from_chars(begin, end, value);
  return error == std::errc() && stop == end;
}

std::int32_t ParseIntegerText(const std::string& text) {
  std::int32_t value = 0;
  if (!text.empty() && !TryParseInt32(text, value)) {
    throw EGeneral("Неверно задано целое число: " + text);
  }
  return value;
}

bool IsTrueText(const std::string& text) {
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper == "TRUE";
}

TDateTime ParseDateTimeText(const std::string& text) {
  TDateTime value = 0;
  if (!TryStrToDateTime(text, DefaultFormatSettings(), value)) {
    throw EGeneral("Неверно задана дата(время): " + text);
  }
  return value;
}

int Sign(int difference) { return (difference > 0) - (difference < 0); }

// Big-endian bytes, so that byte-wise order is numeric order of the unsigned value.
void AppendBigEndian(std::uint64_t value, int bytes, std::string& key) {
  for (int i = bytes - 1; i >= 0; --i) key += static_cast<char>(value >> (8 * i));
}

}  // namespace

std::int32_t ReadInt32(const std::uint8_t* source) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(source[0]) |
                                   static_cast<std::uint32_t>(source[1]) << 8 |
                                   static_cast<std::uint32_t>(source[2]) << 16 |
                                   static_cast<std::uint32_t>(source[3]) << 24);
}

void WriteInt32(std::int32_t value, std::uint8_t* destination) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) destination[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// --- TIntegerField ---

const TFieldClass& TIntegerField::StaticClass() {
  static const TFieldClass fieldClass{"TIntegerField", 1, &FieldBaseClass(), [](int) {
    return std::unique_ptr<TField>(new TIntegerField());
  }};
  return fieldClass;
}

const std::uint8_t* TIntegerField::GetData() {
  WriteInt32(value_, image_);
  return image_;
}

void TIntegerField::SetData(const std::uint8_t* source) { value_ = ReadInt32(source); }

std::string TIntegerField::GetAsString() const { return std::to_string(value_); }

void TIntegerField::SetAsString(const std::string& text) {
  CheckEditable();
  value_ = ParseIntegerText(text);
}

int TIntegerField::CompareData(const std::uint8_t* a, const std::uint8_t* b) const {
  const std::int32_t x = ReadInt32(a);
  const std::int32_t y = ReadInt32(b);
  return (x > y) - (x < y);
}

void TIntegerField::SetFromVariant(const TVariant& value, std::uint8_t* destination) const {
  WriteInt32(*VariantAs<std::int32_t>(value, "Integer"), destination);
}

void TIntegerField::SetFromString(const std::string& text, std::uint8_t* destination) const {
  WriteInt32(ParseIntegerText(text), destination);
}

std::string TIntegerField::DataToString(const std::uint8_t* source) const {
  return std::to_string(ReadInt32(source));
}

bool TIntegerField::SortKey(const std::uint8_t* image, std::string& key) const {
  // Flipping the sign bit puts negative numbers before positive ones.
  AppendBigEndian(static_cast<std::uint32_t>(ReadInt32(image)) ^ 0x80000000u, 4, key);
  return true;
}

// --- TStringField ---

const TFieldClass& TStringField::StaticClass() {
  static const TFieldClass fieldClass{"TStringField", 2, &FieldBaseClass(), [](int size) {
    return std::unique_ptr<TField>(new TStringField(size));
  }};
  return fieldClass;
}

TStringField::TStringField(const TFieldClass& fieldClass, int size)
    : TField(fieldClass), size_(std::max(size, 0)), image_(static_cast<std::size_t>(size_), 0) {}

std::string TStringField::ImageBytes(const std::uint8_t* source) const {
  const auto* end = static_cast<const std::uint8_t*>(std::memchr(source, 0, image_.size()));
  const std::size_t length = end == nullptr ? image_.size() : static_cast<std::size_t>(end - source);
  return std::string(reinterpret_cast<const char*>(source), length);
}

const std::uint8_t* TStringField::GetData() {
  std::fill(image_.begin(), image_.end(), 0);
  std::memcpy(image_.data(), text_.data(), text_.size());
  return image_.data();
}

void TStringField::SetData(const std::uint8_t* source) { text_ = ImageBytes(source); }

std::string TStringField::GetAsString() const { return Cp1251ToUtf8(text_); }

void TStringField::SetAsString(const std::string& text) {
  CheckEditable();
  text_ = Utf8ToCp1251(text).substr(0, image_.size());
}

int TStringField::CompareData(const std::uint8_t* a, const std::uint8_t* b) const {
  for (int i = 0; i < size_; ++i) {
    if (a[i] != b[i]) return Sign(a[i] - b[i]);
    if (b[i] == 0) break;
  }
  return 0;
}

void TStringField::SetFromVariant(const TVariant& value, std::uint8_t* destination) const {
  const std::string bytes = Utf8ToCp1251(*VariantAs<std::string>(value, "String"));
  const std::size_t length = std::min(bytes.size(), image_.size());
  std::memcpy(destination, bytes.data(), length);
  std::memset(destination + length, 0, image_.size() - length);
}

void TStringField::SetFromString(const std::string& text, std::uint8_t* destination) const {
  SetFromVariant(TVariant(text), destination);
}

std::string TStringField::DataToString(const std::uint8_t* source) const {
  return Cp1251ToUtf8(ImageBytes(source));
}

bool TStringField::SortKey(const std::uint8_t* image, std::string& key) const {
  // The text itself: a shorter text orders before a longer one that begins with it.
  key += ImageBytes(image);
  return true;
}

// --- TBooleanField ---

const TFieldClass& TBooleanField::StaticClass() {
  static const TFieldClass fieldClass{"TBooleanField", 3, &FieldBaseClass(), [](int) {
    return std::unique_ptr<TField>(new TBooleanField());
  }};
  return fieldClass;
}

const std::uint8_t* TBooleanField::GetData() {
  WriteInt32(value_, image_);
  return image_;
}

void TBooleanField::SetData(const std::uint8_t* source) { value_ = ReadInt32(source); }

std::string TBooleanField::GetAsString() const { return value_ != 0 ? "True" : "False"; }

void TBooleanField::SetAsString(const std::string& text) {
  CheckEditable();
  value_ = IsTrueText(text) ? -1 : 0;
}

int TBooleanField::CompareData(const std::uint8_t* a, const std::uint8_t* b) const {
  const bool x = ReadInt32(a) != 0;
  const bool y = ReadInt32(b) != 0;
  return (x > y) - (x < y);
}

void TBooleanField::SetFromVariant(const TVariant& value, std::uint8_t* destination) const {
  WriteInt32(*VariantAs<bool>(value, "Boolean") ? 1 : 0, destination);
}

void TBooleanField::SetFromString(const std::string& text, std::uint8_t* destination) const {
  WriteInt32(IsTrueText(text) ? -1 : 0, destination);
}

std::string TBooleanField::DataToString(const std::uint8_t* source) const {
  return ReadInt32(source) != 0 ? "True" : "False";
}

bool TBooleanField::SortKey(const std::uint8_t* image, std::string& key) const {
  key += ReadInt32(image) != 0 ? '\1' : '\0';
  return true;
}

// --- TDateTimeField ---

const TFieldClass& TDateTimeField::StaticClass() {
  static const TFieldClass fieldClass{"TDateTimeField", 4, &FieldBaseClass(), [](int) {
    return std::unique_ptr<TField>(new TDateTimeField());
  }};
  return fieldClass;
}

TDateTime TDateTimeField::ReadImage(const std::uint8_t* source) {
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(source[i]) << (8 * i);
  return std::bit_cast<double>(bits);
}

void TDateTimeField::WriteImage(TDateTime value, std::uint8_t* destination) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) destination[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

const std::uint8_t* TDateTimeField::GetData() {
  WriteImage(value_, image_);
  return image_;
}

void TDateTimeField::SetData(const std::uint8_t* source) { value_ = ReadImage(source); }

std::string TDateTimeField::GetAsString() const { return ValueText(value_); }

void TDateTimeField::SetAsString(const std::string& text) {
  CheckEditable();
  value_ = text.empty() ? 0 : ParseDateTimeText(text);
}

int TDateTimeField::CompareData(const std::uint8_t* a, const std::uint8_t* b) const {
  const TDateTime x = ReadImage(a);
  const TDateTime y = ReadImage(b);
  return (x > y) - (x < y);
}

void TDateTimeField::SetFromVariant(const TVariant& value, std::uint8_t* destination) const {
  WriteImage(VariantAs<TVariantDate>(value, "TDateTime")->Value, destination);
}

void TDateTimeField::SetFromString(const std::string& text, std::uint8_t* destination) const {
  WriteImage(ParseDateTimeText(text), destination);
}

std::string TDateTimeField::DataToString(const std::uint8_t* source) const {
  return ValueText(ReadImage(source));
}

bool TDateTimeField::SortKey(const std::uint8_t* image, std::string& key) const {
  TDateTime value = ReadImage(image);
  if (value == 0) value = 0;  // -0 and 0 compare equal, so they must give one key
  // IEEE 754 bits ordered as numbers: negative values have every bit flipped, others the sign.
  const auto bits = std::bit_cast<std::uint64_t>(value);
  AppendBigEndian(bits >> 63 ? ~bits : bits | (std::uint64_t{1} << 63), 8, key);
  return true;
}

void TDateTimeField::SetAsDateTime(TDateTime value) {
  CheckEditable();
  value_ = value;
}

std::string TDateTimeField::ValueText(TDateTime value) {
  return value == 0 ? std::string() : DateTimeToStr(value, DefaultFormatSettings());
}
