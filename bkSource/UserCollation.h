#pragma once
// Case-insensitive comparison of texts in the order of the user's language.
//
// The collation is ICU's for the locale named by LC_ALL, LC_COLLATE or LANG (the first one set);
// C, POSIX or none gives the root collation. Strength is secondary: letter case is ignored,
// accents count. Texts arrive as code page 1251 bytes, as they lie in the records.

#include <cstddef>
#include <cstdint>
#include <string>

// The ICU locale name of the user's collation ("uk_UA", "ru", or "" for root).
std::string UserCollationLocale();

// Appends the text's collation key: byte-wise order of keys is the order of CompareUserCollation.
void AppendUserSortKey(const std::uint8_t* text, std::size_t length, std::string& key);

// -1, 0 or 1 as text a orders before, equal to or after text b.
int CompareUserCollation(const std::uint8_t* a, std::size_t lengthA, const std::uint8_t* b,
                         std::size_t lengthB);
