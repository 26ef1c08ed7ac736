// The shared name tables and the scrambled web addresses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Names.h"

TEST(NamesTest, TablesFollowTheLanguageIndex) {
  EXPECT_EQ(LanguageTags[LangRussian], "RUS");
  EXPECT_EQ(LanguageTags[LangUkrainian], "UKR");
  EXPECT_EQ(LanguageTags[LangEnglish], "ENG");
  for (auto name : ShortcutNames) EXPECT_EQ(name, "Vellumark.lnk");
  EXPECT_EQ(UninstallShortcutNames[LangRussian], "Удаление программы.lnk");
  EXPECT_EQ(UninstallShortcutNames[LangUkrainian], "Vellumark - видалення.lnk");
  EXPECT_EQ(UninstallShortcutNames[LangEnglish], "Uninstall.lnk");
}

TEST(NamesTest, AddressesAreStoredScrambledByPosition) {
  // Byte i, counting from 1, is the character XOR-ed with i: "http" becomes 69 76 77 70.
  const std::uint8_t expected[] = {'h' ^ 1, 't' ^ 2, 't' ^ 3, 'p' ^ 4};
  for (auto address : ProductPageAddresses)
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), address.begin()));

  EXPECT_EQ(ProductPageAddresses[LangRussian].size(), 33u);
  EXPECT_EQ(ProductPageAddresses[LangUkrainian].size(), 39u);
  EXPECT_EQ(ProductPageAddresses[LangEnglish].size(), 39u);
  EXPECT_EQ(UnscrambleAddress(ProductPageAddresses[LangRussian]),
            "https://www.vellumark.example/rus");
  EXPECT_EQ(UnscrambleAddress(ProductPageAddresses[LangUkrainian]),
            "https://www.vellumark.example/langs/ukr");
  EXPECT_EQ(UnscrambleAddress(ProductPageAddresses[LangEnglish]),
            "https://www.vellumark.example/langs/eng");
  EXPECT_EQ(UnscrambleAddress(DesignerPageAddress), "https://icons.example/");
}
