// The selection engine and the index of a selection on the largest legal
// documents (1,000,000 answers), each against the floor of one plain pass
// over the same answer cells: every cell read once and tallied into its
// column's per-answer histogram, the least work any per-alternative count
// or weight sum over those cells needs.
//
// Shapes: 100,000 respondents x 10 questions and 1,000 x 1,000. For
// counting and CreateSubSheet every question is a dimension and the
// selection drops alternative 0 of the first ten dimensions (so every column
// of the tall document filters, and the square one still keeps a few
// respondents). For the total index four questions are dimensions, the rest
// count in the total index, and the selection drops alternative 0 of the
// first dimension.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <vector>

#include "Ratios.h"
#include "core/document/KvfReader.h"
#include "core/indexes/IndexCalculation.h"
#include "core/sheet/SelectionEngine.h"
#include "core/sheet/ViewState.h"
#include "kvfwriter/KvfWriter.h"

namespace {

struct Shape {
  int32_t respondents;
  int32_t questions;
  int32_t dimensions;
};

kvf::SurveyDocument& Document(const Shape& shape) {
  static std::map<std::tuple<int32_t, int32_t, int32_t>, kvf::SurveyDocument> cache;
  auto key = std::make_tuple(shape.respondents, shape.questions, shape.dimensions);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  kvf::writer::SyntheticOptions options;
  options.respondents = shape.respondents;
  options.questions = shape.questions;
  options.dimensions = shape.dimensions;
  options.compress = false;
  kvf::SurveyDocument& document = cache[key];
  kvf::DecodeKvf(kvf::writer::WriteKvf(kvf::writer::MakeSyntheticDescription(options)), document);
  return document;
}

kvf::SelectionMatrix DropFirstAlternatives(const kvf::SurveyDocument& document, int32_t dimensions) {
  kvf::SelectionMatrix selection = kvf::SelectionMatrix::AllSelected(document);
  for (int32_t k = 0; k < dimensions && k < document.DimensionCount(); ++k) selection.Set(k, 0, false);
  return selection;
}

// The floor: each listed cell of each column read once into a histogram.
int64_t TallyCells(const kvf::SurveyDocument& document, const std::vector<int32_t>& questions,
                   const std::vector<int32_t>* respondents) {
  const kvf::AnswerMatrix& matrix = document.answers;
  int64_t check = 0;
  std::vector<int32_t> tally(256);
  for (const int32_t q : questions) {
    std::fill(tally.begin(), tally.end(), 0);
    const uint8_t* column = matrix.Column(q);  // the synthetic documents are 8-bit
    if (respondents == nullptr) {
      const size_t n = static_cast<size_t>(matrix.RespondentCount());
      for (size_t r = 0; r < n; ++r) ++tally[column[r]];
    } else {
      for (const int32_t r : *respondents)
        if (static_cast<uint32_t>(r) < static_cast<uint32_t>(matrix.RespondentCount())) ++tally[column[r]];
    }
    check += tally[1];
  }
  return check;
}

constexpr Shape kTall{100000, 10, 10};
constexpr Shape kSquare{1000, 1000, 1000};
constexpr Shape kTallIndexed{100000, 10, 4};
constexpr Shape kSquareIndexed{1000, 1000, 4};

void BM_CountOptions(benchmark::State& state, Shape shape) {
  const kvf::SurveyDocument& document = Document(shape);
  const kvf::SelectionMatrix selection = DropFirstAlternatives(document, 10);
  kvf::AlternativeCounts counts;
  for (auto _ : state) benchmark::DoNotOptimize(kvf::CountOptions(document, selection, &counts));
}

void BM_CountFloor(benchmark::State& state, Shape shape) {
  const kvf::SurveyDocument& document = Document(shape);
  for (auto _ : state) benchmark::DoNotOptimize(TallyCells(document, document.dimensions, nullptr));
}

void BM_CreateSubSheet(benchmark::State& state, Shape shape) {
  kvf::SurveyDocument& document = Document(shape);
  const kvf::SelectionMatrix selection = DropFirstAlternatives(document, 10);
  kvf::ViewState view;
  view.StartDocument(document);
  for (auto _ : state) benchmark::DoNotOptimize(view.CreateSubSheet(document, selection));
  if (view.Sheet().respondents.empty()) state.SkipWithError("the selection was refused");
}

void BM_SelectionTotalIndex(benchmark::State& state, Shape shape) {
  const kvf::SurveyDocument& document = Document(shape);
  std::vector<int32_t> respondents;
  kvf::CountOptions(document, DropFirstAlternatives(document, 1), nullptr, &respondents);
  for (auto _ : state) benchmark::DoNotOptimize(kvf::CalculateTotalIndex(document, respondents));
}

void BM_SelectionTotalIndexFloor(benchmark::State& state, Shape shape) {
  const kvf::SurveyDocument& document = Document(shape);
  std::vector<int32_t> respondents;
  kvf::CountOptions(document, DropFirstAlternatives(document, 1), nullptr, &respondents);
  const std::vector<int32_t> questions = kvf::TotalIndexQuestions(document);
  for (auto _ : state) benchmark::DoNotOptimize(TallyCells(document, questions, &respondents));
}

BENCHMARK_CAPTURE(BM_CountOptions, 100000x10, kTall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountOptions, 1000x1000, kSquare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountFloor, 100000x10, kTall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountFloor, 1000x1000, kSquare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateSubSheet, 100000x10, kTall)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateSubSheet, 1000x1000, kSquare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SelectionTotalIndex, 100000x10, kTallIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SelectionTotalIndex, 1000x1000, kSquareIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SelectionTotalIndexFloor, 100000x10, kTallIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SelectionTotalIndexFloor, 1000x1000, kSquareIndexed)->Unit(benchmark::kMillisecond);

const bool kRegistered = [] {
  for (const char* shape : {"100000x10", "1000x1000"}) {
    const std::string suffix = std::string("/") + shape;
    kvf::bench::AddRatio("BM_CountOptions" + suffix, "BM_CountFloor" + suffix, 2.0);
    kvf::bench::AddRatio("BM_CreateSubSheet" + suffix, "BM_CountFloor" + suffix, 2.0);
    kvf::bench::AddRatio("BM_SelectionTotalIndex" + suffix, "BM_SelectionTotalIndexFloor" + suffix, 2.0);
  }
  return true;
}();

}  // namespace
