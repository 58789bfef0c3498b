#pragma once
// A window of consecutive whole numbers [Low(), Low() + Size()), for the
// per-value loops of an import: a value's slot indexes a small table
// without a data-dependent branch, so a column is examined or mapped in
// one pass whatever order its values come in.
#include <cmath>
#include <cstddef>

namespace kvf::import {

class CodeWindow {
 public:
  // The largest window, and the largest magnitude of its numbers.
  static constexpr size_t kMaxSize = 4096;
  static constexpr double kLargest = 1e15;

  // REQUIRES: low is a whole number with |low| < kLargest, size <= kMaxSize.
  CodeWindow(double low, size_t size) : low_(low), size_(size) {}

  // Slot(x) is x - Low() for a whole number x in the window, NaNSlot() for
  // NaN and OtherSlot() for any other value.
  size_t Slot(double x) const {
    const double offset = x - low_;
    // (x + 1.5 x 2^52) - 1.5 x 2^52 rounds x to a whole number when
    // |x| < 2^51; a larger x is never in the window.
    const bool inside = ((x + kRound) - kRound == x) & (offset >= 0.0) & (offset < static_cast<double>(size_));
    const size_t slot = static_cast<size_t>(inside ? offset : 0.0);
    const size_t outside = x == x ? OtherSlot() : NaNSlot();
    return inside ? slot : outside;
  }
  size_t NaNSlot() const { return size_; }
  size_t OtherSlot() const { return size_ + 1; }
  // Slots in all, NaNSlot() and OtherSlot() included: the size of a table.
  size_t Slots() const { return size_ + 2; }
  double Low() const { return low_; }
  size_t Size() const { return size_; }
  // The number of slot i < Size().
  double Code(size_t i) const { return low_ + static_cast<double>(i); }

  // Whether x can be a bound of a window.
  static bool Usable(double x) { return x == std::floor(x) && std::fabs(x) < kLargest; }

 private:
  static constexpr double kRound = 6755399441055744.0;

  double low_;
  size_t size_;
};

}  // namespace kvf::import
