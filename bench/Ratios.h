#pragma once
// Pairs of benchmarks whose times are printed as a ratio after the run:
// the measured operation over its floor (the least work the same data
// needs), with the target the ratio must not exceed.
#include <cstdint>
#include <string>
#include <vector>

#include "core/document/SurveyDocument.h"

namespace kvf::bench {

struct Ratio {
  std::string subject;  // benchmark name as reported
  std::string floor;
  double target;
};

// A ratio printed for information (an old way against its replacement).
inline constexpr double kNoTarget = 0.0;

// Makes the offscreen application that fonts, painting and Qt Charts need, once.
void EnsureGuiApplication();

// The floor of the graph and chart benchmarks: each listed cell of each
// column read once into a histogram. REQUIRES: 8-bit answer columns (the
// synthetic documents).
int64_t TallyCells(const kvf::SurveyDocument& document, const std::vector<int32_t>& questions,
                   const std::vector<int32_t>& respondents);

// Registers a ratio; call from a static initialiser next to the benchmarks.
bool AddRatio(const std::string& subject, const std::string& floor, double target);
const std::vector<Ratio>& Ratios();

}  // namespace kvf::bench
