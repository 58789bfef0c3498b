#pragma once
// Mouse-wheel scrolling of a sheet window: turns wheel deltas (120 per notch)
// into whole scroll-bar steps, keeping what is left of a notch for the next
// turn. Used by the main window and the mini-overview.
#include <cstdint>

namespace kvf::app {

// What the wheel needs to know of a scroll bar.
struct WheelBar {
  bool visible = false;
  int32_t value = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t largeChange = 1;
};

// One wheel turn on one accumulator.
//
// Nothing happens (and the accumulator keeps its value) when the bar is
// hidden. Otherwise delta joins the accumulator; steps = -(accumulator / 120)
// truncated toward zero. With no whole step the accumulator is kept and the
// bar stays. Else the new value is value + amount × steps, where amount is
// the bar's large change when scrollAmount is -1 (one page) and scrollAmount
// otherwise, limited to the maximum (amount × steps >= 0) or the minimum
// (negative); the accumulator keeps the remainder of its division by 120.
// Returns the new value (the old one when nothing moved).
int32_t WheelTurn(int32_t& accumulator, int32_t delta, int32_t scrollAmount, const WheelBar& bar);

// The wheel's settings for a run: lines per notch (vertical) and characters
// per notch (horizontal); -1 scrolls one page.
struct WheelSettings {
  int32_t scrollLines = 3;
  int32_t scrollChars = 3;
};
// From the desktop: QApplication::wheelScrollLines() for the lines (3 when
// it reports nothing usable); the desktop has no character setting, so
// characters use 3, the common default.
WheelSettings SystemWheelSettings();

}  // namespace kvf::app
