#pragma once
// Uniform random numbers for the shuffled row orders.
//
// SeededRandom is a 64-bit Mersenne Twister (std::mt19937_64, whose output
// sequence the C++ standard fixes for a given seed) turned into doubles in
// [0, 1) by taking the top 53 bits, so one seed gives the same rows on every
// platform and compiler. The viewer seeds it once from the clock; kvf takes
// --seed N.
#include <cstdint>
#include <random>

namespace kvf {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A fresh uniform number in [0, 1).
  virtual double NextUniform() = 0;
};

class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(uint64_t seed) : engine_(seed) {}
  // A seed from the clock.
  static uint64_t ClockSeed();

  void Reseed(uint64_t seed) { engine_.seed(seed); }
  double NextUniform() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

// u × (count - 1) rounded to the nearest integer, ties to even: a position
// in 0 .. count - 1 for u in [0, 1). REQUIRES: count >= 1.
int32_t RandomPosition(double u, int32_t count);

}  // namespace kvf
