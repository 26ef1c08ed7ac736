// The width distribution as plain arithmetic: proportional spreading, exact restoring, the
// minimum width.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "UErrors.h"
#include "WidthChanger.h"

namespace {

std::vector<int> Widths(const TWidthChanger& changer) {
  std::vector<int> widths;
  for (int i = 0; i < changer.Count(); ++i) widths.push_back(changer.SectionWidth(i));
  return widths;
}

TEST(WidthChangerTest, GrowingThenShrinkingRestoresEveryWidth) {
  const std::vector<std::vector<int>> layouts = {
      {131, 67, 67, 67}, {12, 12, 200}, {50}, {13, 500, 17, 90, 12}};
  for (const auto& start : layouts) {
    for (int n : {1, 2, 7, 64, 333, 1000}) {
      TWidthChanger changer(start, 12);
      changer.Grow(n);
      EXPECT_EQ(changer.Total(), std::accumulate(start.begin(), start.end(), 0) + n);
      changer.Shrink(n);
      EXPECT_EQ(Widths(changer), start) << "grow and shrink by " << n;
      const int room = changer.Total() - changer.Count() * 12;
      const int m = std::min(n, room);
      changer.Shrink(m);
      changer.Grow(m);
      EXPECT_EQ(Widths(changer), start) << "shrink and grow by " << m;
    }
  }
}

TEST(WidthChangerTest, ChangeIsSpreadInProportionAndTotalIsKept) {
  TWidthChanger changer({100, 200, 100}, 12);
  changer.SetTotal(800);
  EXPECT_EQ(Widths(changer), (std::vector<int>{200, 400, 200}));
  changer.SetTotal(200);
  EXPECT_EQ(Widths(changer), (std::vector<int>{50, 100, 50}));
  // Narrower than the minimum: the shown widths stop at 12 and the total is their sum.
  changer.SetTotal(30);
  EXPECT_EQ(Widths(changer), (std::vector<int>{12, 12, 12}));
  EXPECT_EQ(changer.Total(), 36);
  changer.SetTotal(400);
  EXPECT_EQ(Widths(changer), (std::vector<int>{100, 200, 100}));
}

TEST(WidthChangerTest, ResetMakesTheNewWidthsTheProportions) {
  TWidthChanger changer({100, 100}, 12);
  changer.SetTotal(300);
  changer.Reset({50, 250});
  changer.SetTotal(600);
  EXPECT_EQ(Widths(changer), (std::vector<int>{100, 500}));
}

TEST(WidthChangerTest, MisuseStopsWithAnAssertion) {
  EXPECT_THROW(TWidthChanger({}, 12), EGeneral);
  TWidthChanger changer({20, 30}, 12);
  EXPECT_THROW(changer.SectionWidth(2), EGeneral);
  EXPECT_THROW(changer.SectionWidth(-1), EGeneral);
}

}  // namespace
