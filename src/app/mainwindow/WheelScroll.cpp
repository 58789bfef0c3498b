#include "app/mainwindow/WheelScroll.h"

#include <QApplication>
#include <algorithm>

namespace kvf::app {

namespace {
constexpr int64_t kNotch = 120;
// Keeps a runaway accumulator (a driver sending huge deltas) in range.
constexpr int64_t kAccumulatorLimit = int64_t{1} << 30;
}  // namespace

int32_t WheelTurn(int32_t& accumulator, int32_t delta, int32_t scrollAmount, const WheelBar& bar) {
  if (!bar.visible) return bar.value;
  const int64_t amount = scrollAmount == -1 ? bar.largeChange : scrollAmount;
  int64_t sum = std::clamp<int64_t>(int64_t{accumulator} + delta, -kAccumulatorLimit, kAccumulatorLimit);
  const int64_t steps = -(sum / kNotch);  // C++ division truncates toward zero
  if (steps == 0) {
    accumulator = static_cast<int32_t>(sum);
    return bar.value;
  }
  const int64_t product = amount * steps;
  int64_t value = int64_t{bar.value} + product;
  if (product >= 0)
    value = std::min<int64_t>(value, bar.maximum);
  else
    value = std::max<int64_t>(value, bar.minimum);
  accumulator = static_cast<int32_t>(sum % kNotch);  // remainder takes the dividend's sign
  return static_cast<int32_t>(value);
}

WheelSettings SystemWheelSettings() {
  WheelSettings settings;
  const int lines = QApplication::wheelScrollLines();
  settings.scrollLines = lines > 0 ? lines : 3;
  settings.scrollChars = 3;
  return settings;
}

}  // namespace kvf::app
