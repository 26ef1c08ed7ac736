#include <gtest/gtest.h>

#include "UCodePage1251.h"

TEST(CodePage1251, CyrillicAndLatinRoundTrip) {
  const std::string text = "Анна Ґонта, Їжак є; Ёлка №5 — ok";
  const std::string bytes = Utf8ToCp1251(text);
  EXPECT_EQ(bytes.size(), 32u);  // one byte per character
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC0);  // А
  EXPECT_EQ(Cp1251ToUtf8(bytes), text);
}

TEST(CodePage1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("日本 €"), "?? \x88");
  EXPECT_EQ(Utf8ToCp1251("a\xFF" "b"), "a?b");       // malformed UTF-8
  EXPECT_EQ(Utf8ToCp1251("\xC0\x80"), "??");         // overlong form
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");              // the one undefined byte
}

TEST(CodePage1251, Utf8Validation) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("Київ"));
  EXPECT_FALSE(IsValidUtf8(Utf8ToCp1251("Київ")));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
}
