#pragma once
// Whether the user's locale can show Cyrillic text.
//
// The Russian and Ukrainian interfaces are offered only where the locale's character set holds
// Cyrillic letters: UTF-8 (any spelling), CP1251, KOI8-R, KOI8-U and ISO-8859-5. The locale is
// the one the environment names for character classification (LC_ALL, LC_CTYPE, LANG); "C" and
// "POSIX" are plain ASCII. A locale that the system does not have installed counts by the
// character set written in its name ("uk_UA.UTF-8").

#include <string>

// The character set of the environment's locale, e.g. "UTF-8" or "ANSI_X3.4-1968".
std::string LocaleCharset();
// True for the character sets listed above, in any letter case and with or without hyphens.
bool CharsetShowsCyrillic(const std::string& charset);
bool LocaleShowsCyrillic();
