#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "CardinalDate.h"
#include "UErrors.h"

TEST(CardinalDate, StoredFormOfKnownDates) {
  const TDateTime day = EncodeDate(2023, 3, 15);
  EXPECT_EQ(DateToCardinal(day), 0x40E5F900u);
  EXPECT_EQ(DateToCardinal(day + EncodeTime(12, 0, 0)), 0x40E5F910u);
  EXPECT_EQ(DateToCardinal(day + EncodeTime(23, 45, 36)), 0x40E5F91Fu);
  EXPECT_DOUBLE_EQ(CardinalToDate(0x40E5F91F), day + EncodeTime(23, 15, 0));
  EXPECT_EQ(DateToCardinal(0), 0u);
  EXPECT_EQ(CardinalToDate(0), 0.0);
}

TEST(CardinalDate, RoundTripNeverExceedsTheDateAndLosesUnder45Minutes) {
  const TDateTime first = EncodeDate(1990, 1, 1);
  const TDateTime last = EncodeDate(2043, 12, 31);
  const double step = 1.0 + 7.0 / 1440;  // a day and 7 minutes: every time of day comes round
  for (TDateTime d = first; d <= last; d += step) {
    const TDateTime back = CardinalToDate(DateToCardinal(d));
    ASSERT_LE(back, d) << d;
    ASSERT_LT(d - back, 45.0 / 1440) << d;
  }
}

TEST(CardinalDate, NextMonthDate) {
  const struct {
    int y, m, d, hour;
    int ny, nm, nd;
  } cases[] = {
      {2023, 1, 31, 0, 2023, 2, 28},   // month end shortened
      {2024, 1, 31, 0, 2024, 2, 29},   // leap year
      {2023, 3, 31, 0, 2023, 4, 30},
      {2024, 2, 29, 0, 2024, 3, 29},
      {2023, 1, 15, 0, 2023, 2, 15},
      {2023, 12, 15, 0, 2024, 1, 15},  // year end
      {2023, 12, 31, 23, 2024, 1, 31}, // the time of day is dropped
      {1899, 12, 30, 0, 1900, 1, 30},  // the zero date
  };
  for (const auto& c : cases) {
    const TDateTime from = EncodeDate(c.y, c.m, c.d) + EncodeTime(c.hour, 0, 0);
    EXPECT_EQ(NextMonthDate(from), EncodeDate(c.ny, c.nm, c.nd))
        << c.y << "-" << c.m << "-" << c.d;
  }
}

TEST(CardinalDate, NextMonthDateRefusesValuesOutsideTheCalendar) {
  EXPECT_THROW(NextMonthDate(std::numeric_limits<double>::quiet_NaN()), EGeneral);
  EXPECT_THROW(NextMonthDate(std::numeric_limits<double>::infinity()), EGeneral);
  EXPECT_THROW(NextMonthDate(CardinalToDate(0x7FE00000)), EGeneral);  // about 1e308 days
  EXPECT_THROW(NextMonthDate(EncodeDate(9999, 12, 31)), EGeneral);
}
