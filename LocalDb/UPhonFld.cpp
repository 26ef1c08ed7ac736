#include "UPhonFld.h"

namespace {

constexpr char kMask[] = "000 000 000 000-00-00";
constexpr int kMaskLength = sizeof(kMask) - 1;  // 21 characters, 16 of them digit places

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

const TFieldClass& TPhoneField::StaticClass() {
  static const TFieldClass fieldClass{"TPhoneField", 6, &TStringField::StaticClass(), [](int) {
    return std::unique_ptr<TField>(new TPhoneField());
  }};
  return fieldClass;
}

std::string TPhoneField::GetAsString() const { return FormatPhone(GetRawString()); }

void TPhoneField::SetAsString(const std::string& text) {
  TStringField::SetAsString(ExtractPhone(text));
}

std::string TPhoneField::DataToString(const std::uint8_t* source) const {
  return FormatPhone(TStringField::DataToString(source));
}

std::string TPhoneField::GetRawString() const { return TStringField::GetAsString(); }

std::string TPhoneField::ExtractPhone(const std::string& text) {
  std::string result;
  for (const char c : text) {
    if (result.size() == StoredSize) break;
    if (IsDigit(c) || (c == '+' && result.empty())) result += c;
  }
  return result;
}

std::string TPhoneField::FormatPhone(const std::string& text) {
  std::string filled = kMask;
  int p = kMaskLength - 1;  // 0-based: the mask's last position
  for (auto c = text.rbegin(); c != text.rend() && p >= 0; ++c) {
    if (!IsDigit(*c)) continue;
    while (p >= 0 && filled[static_cast<std::size_t>(p)] != '0') --p;
    if (p < 0) break;
    filled[static_cast<std::size_t>(p)] = *c;
    --p;
  }
  // p is now one left of the leftmost placed digit (-1 when every place was filled).
  const std::size_t firstNonBlank = text.find_first_not_of(' ');
  const bool plus = firstNonBlank != std::string::npos && text[firstNonBlank] == '+';
  if (plus && p >= 0) {
    std::string result = filled.substr(static_cast<std::size_t>(p));
    result[0] = '+';
    return result;
  }
  return filled.substr(static_cast<std::size_t>(p + 1));
}
