#pragma once
// Conversion between UTF-8 (every text inside the program) and code page 1251 (the bytes of
// data files, CSV files and the settings file). Code page 1251 holds Latin and Cyrillic; a
// character it cannot hold becomes "?", so a conversion never fails.

#include <string>
#include <string_view>

std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

// The Unicode code point of one code page 1251 byte ("?" for the one undefined byte).
char16_t Cp1251CodePoint(unsigned char byte);

// Upper case of code page 1251 text: Latin and Cyrillic letters, the Ukrainian ones included.
std::string Cp1251UpperCase(std::string_view cp1251);

// True when the text is well-formed UTF-8 (overlong forms and surrogates refused).
bool IsValidUtf8(std::string_view text);
