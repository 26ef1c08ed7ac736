#pragma once
// What a user types into the book's searches, taken from generated contacts: the values of
// sampled contacts (names, house numbers, birthdays in the three typed forms) and every beginning
// of such a value, as it grows key by key. The samples are spread over the whole contact list
// by fixed strides, so the same contacts give the same texts on every run.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "ContactGenerator.h"

// The first n characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t n);

// Every beginning of a UTF-8 text, one character longer each, up to the whole text. The first
// `skipped` characters (leading separators) are never a text of their own.
std::vector<std::string> EveryBeginning(const std::string& text, std::size_t skipped = 0);

std::vector<std::string> SampledNames(const std::vector<TContact>& contacts, std::size_t count);
// Only contacts that have a house number.
std::vector<std::string> SampledHouses(const std::vector<TContact>& contacts, std::size_t count);

// The birthday forms, by the order the typed text selects: "d.m.y" (day first), ".m.y" (month
// first), "..y" (year only).
enum { BirthByDay, BirthByMonth, BirthByYear };
// Only contacts that have a birthday. A day or month below 10 is typed sometimes with its
// leading zero, sometimes without.
std::array<std::vector<std::string>, 3> SampledBirths(const std::vector<TContact>& contacts,
                                                      std::size_t count);
