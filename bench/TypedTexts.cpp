#include "TypedTexts.h"

#include <cstdio>

std::string FirstCharacters(const std::string& text, std::size_t n) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == n) return text.substr(0, i);
  }
  return text;
}

std::vector<std::string> EveryBeginning(const std::string& text, std::size_t skipped) {
  std::vector<std::string> beginnings;
  for (std::size_t length = skipped + 1; FirstCharacters(text, length - 1) != text; ++length) {
    beginnings.push_back(FirstCharacters(text, length));
  }
  return beginnings;
}

namespace {

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof(text), "%02d", value);
  return text;
}

// Up to count contacts, the s-th at s * stride (modulo the size), skipping those without.
template <typename Has, typename Take>
void Sample(const std::vector<TContact>& contacts, std::size_t count, std::size_t stride, Has has,
            Take take) {
  const std::size_t n = contacts.size();
  for (std::size_t s = 0, taken = 0; taken < count && s < n; ++s) {
    const TContact& contact = contacts[s * stride % n];
    if (!has(contact)) continue;
    take(contact, ++taken);
  }
}

}  // namespace

std::vector<std::string> SampledNames(const std::vector<TContact>& contacts, std::size_t count) {
  std::vector<std::string> names;
  Sample(contacts, count, 7919, [](const TContact&) { return true; },
         [&](const TContact& contact, std::size_t) { names.push_back(contact.name); });
  return names;
}

std::vector<std::string> SampledHouses(const std::vector<TContact>& contacts, std::size_t count) {
  std::vector<std::string> houses;
  Sample(contacts, count, 104729, [](const TContact& contact) { return !contact.house.empty(); },
         [&](const TContact& contact, std::size_t) { houses.push_back(contact.house); });
  return houses;
}

std::array<std::vector<std::string>, 3> SampledBirths(const std::vector<TContact>& contacts,
                                                      std::size_t count) {
  std::array<std::vector<std::string>, 3> births;
  Sample(contacts, count, 15485863, [](const TContact& contact) { return contact.birth != 0; },
         [&](const TContact& contact, std::size_t taken) {
           int year = 0, month = 0, day = 0;
           DecodeDate(contact.birth, year, month, day);
           const std::string dayText = taken % 2 ? TwoDigits(day) : std::to_string(day);
           const std::string monthText = taken % 3 ? TwoDigits(month) : std::to_string(month);
           births[BirthByDay].push_back(dayText + "." + monthText + "." + std::to_string(year));
           births[BirthByMonth].push_back("." + monthText + "." + std::to_string(year));
           births[BirthByYear].push_back(".." + std::to_string(year));
         });
  return births;
}
