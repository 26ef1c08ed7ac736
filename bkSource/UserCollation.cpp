#include "UserCollation.h"

#include <unicode/ucol.h>

#include <array>
#include <cstdlib>
#include <memory>

#include "UCodePage1251.h"
#include "UErrors.h"

namespace {

constexpr std::size_t kLongestText = 256;  // the longest string field holds 252 characters

// The UTF-16 code unit of every code page 1251 byte, looked up on every comparison.
const std::array<UChar, 256>& Cp1251Units() {
  static const std::array<UChar, 256> units = [] {
    std::array<UChar, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
      table[static_cast<std::size_t>(byte)] = Cp1251CodePoint(static_cast<unsigned char>(byte));
    }
    return table;
  }();
  return units;
}

struct TCollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};

UCollator* UserCollator() {
  static const std::unique_ptr<UCollator, TCollatorCloser> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* opened = ucol_open(UserCollationLocale().c_str(), &status);
    if (U_FAILURE(status)) {
      status = U_ZERO_ERROR;
      opened = ucol_open("", &status);
    }
    Assert(U_SUCCESS(status), "ICU root collation must open", "bkSource/UserCollation");
    ucol_setStrength(opened, UCOL_SECONDARY);
    return std::unique_ptr<UCollator, TCollatorCloser>(opened);
  }();
  return collator.get();
}

std::size_t ToUtf16(const std::uint8_t* text, std::size_t length, UChar* out) {
  const auto& units = Cp1251Units();
  const std::size_t count = length < kLongestText ? length : kLongestText;
  for (std::size_t i = 0; i < count; ++i) out[i] = units[text[i]];
  return count;
}

}  // namespace

std::string UserCollationLocale() {
  for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    std::string name = value;
    name = name.substr(0, name.find_first_of(".@"));  // uk_UA.UTF-8@euro → uk_UA
    return name == "C" || name == "POSIX" ? std::string() : name;
  }
  return std::string();
}

void AppendUserSortKey(const std::uint8_t* text, std::size_t length, std::string& key) {
  UChar units[kLongestText];
  const auto count = static_cast<int32_t>(ToUtf16(text, length, units));
  std::uint8_t buffer[4 * kLongestText + 16];
  int32_t size = ucol_getSortKey(UserCollator(), units, count, buffer, sizeof(buffer));
  if (size > static_cast<int32_t>(sizeof(buffer))) {
    std::string larger(static_cast<std::size_t>(size), '\0');
    ucol_getSortKey(UserCollator(), units, count, reinterpret_cast<std::uint8_t*>(larger.data()), size);
    key += larger;
  } else {
    key.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
  }
}

int CompareUserCollation(const std::uint8_t* a, std::size_t lengthA, const std::uint8_t* b,
                         std::size_t lengthB) {
  UChar unitsA[kLongestText];
  UChar unitsB[kLongestText];
  const std::size_t countA = ToUtf16(a, lengthA, unitsA);
  const std::size_t countB = ToUtf16(b, lengthB, unitsB);
  switch (ucol_strcoll(UserCollator(), unitsA, static_cast<int32_t>(countA), unitsB,
                       static_cast<int32_t>(countB))) {
    case UCOL_LESS: return -1;
    case UCOL_GREATER: return 1;
    default: return 0;
  }
}
