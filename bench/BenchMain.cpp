// Runs every benchmark, then prints each registered ratio to its floor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

#include "Ratios.h"

namespace {

// Reports as usual and remembers each run's CPU time per iteration
// (CPU time: other work on the machine disturbs it least).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  const std::map<std::string, double>& Times() const { return times_; }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\nRatios to the floor:\n");
  int over = 0;
  for (const auto& ratio : kvf::bench::Ratios()) {
    const auto subject = reporter.Times().find(ratio.subject);
    const auto floor = reporter.Times().find(ratio.floor);
    if (subject == reporter.Times().end() || floor == reporter.Times().end() || floor->second <= 0) continue;
    const double value = subject->second / floor->second;
    if (ratio.target == kvf::bench::kNoTarget) {
      std::printf("  %-50s %6.2f x  (over %s)\n", ratio.subject.c_str(), value, ratio.floor.c_str());
      continue;
    }
    const bool ok = value <= ratio.target;
    if (!ok) ++over;
    std::printf("  %-50s %6.2f x  (target <= %.1f) %s\n", ratio.subject.c_str(), value, ratio.target,
                ok ? "ok" : "OVER TARGET");
  }
  return 0;
}
