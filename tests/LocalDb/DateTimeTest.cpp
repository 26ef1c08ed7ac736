#include <gtest/gtest.h>

#include "UDateTime.h"

namespace {

class DateTimeTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetClock([] { return EncodeDate(2026, 12, 11) + EncodeTime(10, 30, 0); });
  }
  void TearDown() override { SetClock(nullptr); }
};

}  // namespace

TEST_F(DateTimeTest, EncodesAndDecodesAcrossTheEpoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1800, 1, 1), -36522.0);
  int year = 0, month = 0, day = 0;
  DecodeDate(EncodeDate(2024, 2, 29), year, month, day);
  EXPECT_EQ(year * 10000 + month * 100 + day, 20240229);
  DecodeDate(-36522.0, year, month, day);
  EXPECT_EQ(year * 10000 + month * 100 + day, 18000101);
  TDateTime unused = 0;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, unused));
  EXPECT_FALSE(TryEncodeDate(2100, 2, 29, unused));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, unused));
}

TEST_F(DateTimeTest, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 11)), 6);  // Friday
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 13)), 1);  // Sunday
}

TEST_F(DateTimeTest, FormatsPatterns) {
  const TFormatSettings& settings = DefaultFormatSettings();
  const TDateTime value = EncodeDate(1985, 3, 5) + EncodeTime(7, 8, 9);
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss", value, settings), "05.03.1985 07:08:09");
  EXPECT_EQ(FormatDateTime("d mmmm yy 'at' h", value, settings), "5 March 85 at 7");
  EXPECT_EQ(DateTimeToStr(EncodeDate(1985, 3, 5), settings), "05.03.1985");
  EXPECT_EQ(DateTimeToStr(value, settings), "05.03.1985 07:08:09");
}

TEST_F(DateTimeTest, ParsesStrictlyUnderTheSettings) {
  const TFormatSettings& settings = DefaultFormatSettings();
  struct Case {
    const char* text;
    bool ok;
    TDateTime expected;
  };
  const Case cases[] = {
      {"05.03.1985", true, EncodeDate(1985, 3, 5)},
      {" 5.3.85 ", true, EncodeDate(2085, 3, 5)},  // two digits: the current century
      {"5.3", true, EncodeDate(2026, 3, 5)},        // no year: the current year
      {"31.12.1999 23:59", true, EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 0)},
      {"29.02.2023", false, 0},
      {"31.04.2020", false, 0},
      {"5", false, 0},
      {"05.03.1985x", false, 0},
      {"05-03-1985", false, 0},
      {"", false, 0},
      {"05.03.1985 25:00", false, 0},
  };
  for (const Case& c : cases) {
    TDateTime value = -1;
    EXPECT_EQ(TryStrToDateTime(c.text, settings, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(value, c.expected) << c.text;
    }
  }
  TDateTime date = 0;
  EXPECT_TRUE(TryStrToDate(" 05.03.1985 ", settings, date));
  EXPECT_FALSE(TryStrToDate("05.03.1985 10:00", settings, date));
}
