// WheelTurn: whole notches scroll, fractions wait, ends limit, hidden bars ignore the wheel.
#include <gtest/gtest.h>

#include "app/mainwindow/WheelScroll.h"

namespace kvf::app {
namespace {

WheelBar Bar(int value, int maximum, int largeChange = 10) { return WheelBar{true, value, 0, maximum, largeChange}; }

TEST(WheelTurn, NotchesScrollPartsWaitEndsLimit) {
  struct Case {
    int32_t accumulator, delta, lines;
    WheelBar bar;
    int expected;
    int32_t accumulatorAfter;
  };
  const Case cases[] = {
      {0, 120, 3, Bar(10, 50), 7, 0},         // one notch forward scrolls up
      {0, -60, 3, Bar(10, 50), 10, -60},      // a fraction of a notch waits
      {70, 200, 3, Bar(13, 50), 7, 30},       // +270: two notches, 30 left
      {0, -120, -1, Bar(0, 100, 17), 17, 0},  // the page setting uses the large change
      {0, -1200, 3, Bar(45, 50), 50, 0},      // stops at either end
      {0, 1200, 3, Bar(4, 50), 0, 0},
      {40, -240, 3, WheelBar{false, 5, 0, 50, 10}, 5, 40},  // a hidden bar keeps both
  };
  for (const Case& c : cases) {
    int32_t accumulator = c.accumulator;
    EXPECT_EQ(std::make_tuple(WheelTurn(accumulator, c.delta, c.lines, c.bar), accumulator),
              std::make_tuple(c.expected, c.accumulatorAfter))
        << c.accumulator << " " << c.delta;
  }
  int32_t accumulator = 0;  // huge deltas do not overflow
  EXPECT_EQ(WheelTurn(accumulator, std::numeric_limits<int32_t>::min(), 1000, Bar(0, 1 << 30)), 1 << 30);
  EXPECT_EQ(WheelTurn(accumulator, std::numeric_limits<int32_t>::max(), 1000, Bar(7, 50)), 0);
}

}  // namespace
}  // namespace kvf::app
