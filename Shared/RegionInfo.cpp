#include "RegionInfo.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

namespace {

// The locale name that decides character classification, as the C library picks it.
std::string EnvironmentCtypeName() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

// "uk_UA.UTF-8@variant" -> "UTF-8"; a name without a character set part gives "".
std::string CharsetOfName(const std::string& name) {
  const std::size_t dot = name.find('.');
  if (dot == std::string::npos) return {};
  return name.substr(dot + 1, name.find('@', dot) - dot - 1);
}

std::string Normalised(const std::string& charset) {
  std::string plain;
  for (unsigned char c : charset)
    if (c != '-' && c != '_') plain += static_cast<char>(std::toupper(c));
  return plain;
}

}  // namespace

std::string LocaleCharset() {
  const std::string name = EnvironmentCtypeName();
  locale_t locale = ::newlocale(LC_CTYPE_MASK, name.c_str(), static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return CharsetOfName(name);
  std::string charset = ::nl_langinfo_l(CODESET, locale);
  ::freelocale(locale);
  return charset;
}

bool CharsetShowsCyrillic(const std::string& charset) {
  static constexpr std::array<const char*, 7> kCyrillic = {
      "UTF8", "CP1251", "WINDOWS1251", "KOI8R", "KOI8U", "ISO88595", "ISO885951988"};
  const std::string plain = Normalised(charset);
  return std::any_of(kCyrillic.begin(), kCyrillic.end(),
                     [&](const char* known) { return plain == known; });
}

bool LocaleShowsCyrillic() { return CharsetShowsCyrillic(LocaleCharset()); }
