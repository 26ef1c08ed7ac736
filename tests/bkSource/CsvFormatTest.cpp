#include <gtest/gtest.h>

#include "CsvFormat.h"
#include "UCodePage1251.h"

TEST(CsvFormat, ValuesRoundTripThroughALine) {
  const TContactTexts contacts[] = {
      {"Anna", "044 123-45-67", "", "+38 050 111-22-33", "05.03.1980", "two\r\nlines"},
      {"Smith; John", "", "", "", "", "says \"hi\""},
      {"O\"Brien", "", "", "", "", "a ~ b"},
      {" padded ", "", "", "", "", ""},
      {"Анна Ґонта", "", "", "", "", "нотатка"},
  };
  for (const TContactTexts& contact : contacts) {
    const std::string line = CsvJoinLine(contact);
    const TContactTexts back = CsvSplitLine(line);
    EXPECT_EQ(back.Name, contact.Name) << line;
    EXPECT_EQ(back.Mobile, contact.Mobile) << line;
    EXPECT_EQ(back.Birth, contact.Birth) << line;
    // " ~ " is the note's line break, so a note that held one comes back with a line break.
    std::string note = contact.Note;
    if (const auto at = note.find(" ~ "); at != std::string::npos) note.replace(at, 3, "\r\n");
    EXPECT_EQ(back.Note, note) << line;
  }
  EXPECT_EQ(CsvJoinLine(contacts[0]), "Anna;044 123-45-67;;+38 050 111-22-33;05.03.1980;two ~ lines");
  EXPECT_EQ(CsvJoinLine(contacts[1]), "\"Smith; John\";;;;;\"says \"\"hi\"\"\"");
}

TEST(CsvFormat, SplittingShortLongAndOddLines) {
  TContactTexts three = CsvSplitLine("Anna;111;222");
  EXPECT_EQ(three.Work, "222");
  EXPECT_EQ(three.Mobile, "");
  EXPECT_EQ(three.Note, "");
  EXPECT_EQ(CsvSplitLine("a;b;c;d;e;f;seventh").Note, "f");
  EXPECT_EQ(CsvSplitLine("ab\"c;x").Name, "ab\"c");            // a quote inside a bare token
  EXPECT_EQ(CsvSplitLine("\"quoted\"tail;x").Name, "\"quoted\"tail");  // not closed by a quote
  EXPECT_EQ(CsvSplitLine("\"ab\"c\"").Name, "ab");  // after the closing quote: dropped
  EXPECT_EQ(CsvSplitLine("\"").Name, "");
  std::size_t position = 0;
  EXPECT_EQ(CsvNextToken("\"a;b\";c", position), "\"a;b\"");
  EXPECT_EQ(position, 6u);
}

TEST(CsvFormat, HeadersOfEveryLanguage) {
  EXPECT_TRUE(IsCsvHeader("Name;Domestic;Working;Mobile;Birthday;Note"));
  EXPECT_TRUE(IsCsvHeader("  name;DOMESTIC;working;mobile;birthday;note \t"));
  EXPECT_TRUE(IsCsvHeader("абонент;домашній;робочий;мобільний;дата;примітка"));
  EXPECT_TRUE(IsCsvHeader("АБОНЕНТ;ДОМАШНИЙ;РАБОЧИЙ;МОБИЛЬНЫЙ;ДАТА;ПРИМЕЧАНИЕ"));
  EXPECT_FALSE(IsCsvHeader("Name;Domestic;Working;Mobile;Birthday"));
}

TEST(CsvFormat, FileLinesInEitherEncoding) {
  const std::string utf8 = "Name;Domestic\r\nАнна;1\nБорис;2\rLast";
  const std::vector<std::string> expected = {"Name;Domestic", "Анна;1", "Борис;2", "Last"};
  EXPECT_EQ(CsvFileLines(utf8), expected);
  EXPECT_EQ(CsvFileLines(Utf8ToCp1251(utf8)), expected);
  EXPECT_EQ(CsvFileLines("\xEF\xBB\xBF" "a\r\n"), std::vector<std::string>{"a"});
  EXPECT_EQ(CsvFileLine("Анна;1"), "\xC0\xED\xED\xE0;1\r\n");
}
