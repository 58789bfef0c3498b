#include "core/sheet/RandomSource.h"

#include <chrono>
#include <cmath>

namespace kvf {

uint64_t SeededRandom::ClockSeed() {
  return static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

int32_t RandomPosition(double u, int32_t count) {
  if (count <= 1 || !(u > 0.0)) return 0;
  const double scaled = u * static_cast<double>(count - 1);
  // Round half to even without depending on the floating-point environment.
  double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  if (whole >= static_cast<double>(count - 1)) return count - 1;
  return static_cast<int32_t>(whole);
}

}  // namespace kvf
