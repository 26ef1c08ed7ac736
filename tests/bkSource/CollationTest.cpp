#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "UCodePage1251.h"
#include "UserCollation.h"

namespace {

int SortKeyOrder(const std::string& a, const std::string& b) {
  std::string keyA, keyB;
  AppendUserSortKey(reinterpret_cast<const std::uint8_t*>(a.data()), a.size(), keyA);
  AppendUserSortKey(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), keyB);
  const int rc = keyA.compare(keyB);
  return (rc > 0) - (rc < 0);
}

}  // namespace

TEST(UserCollation, LocaleComesFromTheEnvironment) {
  setenv("LC_ALL", "uk_UA.UTF-8@euro", 1);
  EXPECT_EQ(UserCollationLocale(), "uk_UA");
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(UserCollationLocale(), "");
  unsetenv("LC_ALL");
  setenv("LC_COLLATE", "POSIX", 1);
  EXPECT_EQ(UserCollationLocale(), "");
  unsetenv("LC_COLLATE");
  setenv("LANG", "ru_RU.UTF-8", 1);
  EXPECT_EQ(UserCollationLocale(), "ru_RU");
}

// Sorting goes by collation keys, searching by pairwise comparison: both must give one order.
TEST(UserCollation, SortKeysOrderAsComparisons) {
  const std::string alphabet = Utf8ToCp1251("aAbBzZ ґҐгГєЄеЕіІїЇиИёЁжЖ-'.1");
  std::mt19937 random(11);
  const auto randomText = [&] {
    std::string text;
    for (std::size_t n = random() % 6; n > 0; --n) text += alphabet[random() % alphabet.size()];
    return text;
  };
  for (int i = 0; i < 3000; ++i) {
    const std::string a = randomText();
    const std::string b = i % 5 == 0 ? a : randomText();
    const int compared = CompareUserCollation(reinterpret_cast<const std::uint8_t*>(a.data()), a.size(),
                                              reinterpret_cast<const std::uint8_t*>(b.data()), b.size());
    ASSERT_EQ(SortKeyOrder(a, b), compared) << Cp1251ToUtf8(a) << " / " << Cp1251ToUtf8(b);
  }
  // Letter case does not count; accents do.
  EXPECT_EQ(SortKeyOrder(Utf8ToCp1251("Анна"), Utf8ToCp1251("аННа")), 0);
  EXPECT_NE(SortKeyOrder(Utf8ToCp1251("Ёж"), Utf8ToCp1251("Еж")), 0);
}
