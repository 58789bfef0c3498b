// The chart generators on the largest legal documents, each against the
// floor of one plain pass over the answer columns it reads for the same
// respondents: on the tall document (100,000 x 10) a total index graph of
// every question split by a dimension, a grouped distribution graph and a
// ranking graph of all ten questions; on the wide one (1,000 x 1,000) a
// total index graph of every question.
#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

#include "Ratios.h"
#include "core/document/KvfReader.h"
#include "core/graphs/ChartDescription.h"
#include "core/graphs/DistributionGraph.h"
#include "core/graphs/IndexGraph.h"
#include "core/graphs/RankingGraph.h"
#include "core/indexes/IndexCalculation.h"
#include "kvfwriter/KvfWriter.h"

namespace {

using kvf::bench::TallyCells;

kvf::SurveyDocument Made(int32_t respondents, int32_t questions) {
  kvf::writer::SyntheticOptions options;
  options.respondents = respondents;
  options.questions = questions;
  options.dimensions = 2;
  options.compress = false;
  kvf::SurveyDocument made;
  kvf::DecodeKvf(kvf::writer::WriteKvf(kvf::writer::MakeSyntheticDescription(options)), made);
  // Every question's index is shown.
  for (kvf::Question& question : made.questions) question.storedIndex = 1.0;
  if (made.info.indexDivisor < 1) made.info.indexDivisor = 1;
  return made;
}

const kvf::SurveyDocument& Tall() {
  static const kvf::SurveyDocument document = Made(100000, 10);
  return document;
}
const kvf::SurveyDocument& Wide() {
  static const kvf::SurveyDocument document = Made(1000, 1000);
  return document;
}

kvf::SubSheet Everyone(const kvf::SurveyDocument& document) {
  kvf::SubSheet sheet;
  sheet.respondents = kvf::AllRespondents(document);
  sheet.selection = kvf::SelectionMatrix::AllSelected(document);
  sheet.description = QStringLiteral("All");
  return sheet;
}

std::vector<int32_t> AllQuestions(const kvf::SurveyDocument& document) {
  std::vector<int32_t> questions(document.questions.size());
  std::iota(questions.begin(), questions.end(), 0);
  return questions;
}

kvf::ChartOptions Options() {
  kvf::ChartOptions options;
  options.locale = QLocale::c();
  return options;
}

void BM_IndexChart(benchmark::State& state, bool wide) {
  const kvf::SurveyDocument& document = wide ? Wide() : Tall();
  const kvf::SubSheet sheet = Everyone(document);
  kvf::IndexGraphRequest request;
  request.showBlocksOrQuestions = true;
  request.showQuestions = true;
  request.splitQuestion = wide ? -1 : document.dimensions[0];
  for (auto _ : state) {
    kvf::ChartDescription chart;
    benchmark::DoNotOptimize(kvf::GenerateIndexGraph(document, sheet, request, Options(), chart).ok());
  }
}

void BM_IndexChartFloor(benchmark::State& state, bool wide) {
  const kvf::SurveyDocument& document = wide ? Wide() : Tall();
  const kvf::SubSheet sheet = Everyone(document);
  const std::vector<int32_t> columns = AllQuestions(document);
  for (auto _ : state) benchmark::DoNotOptimize(TallyCells(document, columns, sheet.respondents));
}

void BM_DistributionChart(benchmark::State& state) {
  const kvf::SubSheet sheet = Everyone(Tall());
  kvf::DistributionGraphRequest request;
  request.type = kvf::kDistributionGrouped;
  request.mainDimension = 0;
  request.groupDimension = 1;
  for (auto _ : state) {
    kvf::ChartDescription chart;
    benchmark::DoNotOptimize(kvf::GenerateDistributionGraph(Tall(), sheet, request, Options(), chart).ok());
  }
}

void BM_DistributionChartFloor(benchmark::State& state) {
  const kvf::SubSheet sheet = Everyone(Tall());
  const std::vector<int32_t> columns = {Tall().dimensions[0], Tall().dimensions[1]};
  for (auto _ : state) benchmark::DoNotOptimize(TallyCells(Tall(), columns, sheet.respondents));
}

void BM_RankingChart(benchmark::State& state) {
  const std::vector<int32_t> respondents = kvf::AllRespondents(Tall());
  kvf::RankingGraphRequest request;
  request.questions = AllQuestions(Tall());
  for (auto _ : state) {
    kvf::ChartDescription chart;
    benchmark::DoNotOptimize(kvf::GenerateRankingGraph(Tall(), respondents, request, Options(), chart).ok());
  }
}

void BM_RankingChartFloor(benchmark::State& state) {
  const std::vector<int32_t> respondents = kvf::AllRespondents(Tall());
  const std::vector<int32_t> columns = AllQuestions(Tall());
  for (auto _ : state) benchmark::DoNotOptimize(TallyCells(Tall(), columns, respondents));
}

BENCHMARK_CAPTURE(BM_IndexChart, tall, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IndexChartFloor, tall, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IndexChart, wide, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IndexChartFloor, wide, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistributionChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistributionChartFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RankingChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RankingChartFloor)->Unit(benchmark::kMillisecond);

const bool kRegistered = kvf::bench::AddRatio("BM_IndexChart/tall", "BM_IndexChartFloor/tall", 2.0) &&
                         kvf::bench::AddRatio("BM_IndexChart/wide", "BM_IndexChartFloor/wide", 2.0) &&
                         kvf::bench::AddRatio("BM_DistributionChart", "BM_DistributionChartFloor", 2.0) &&
                         kvf::bench::AddRatio("BM_RankingChart", "BM_RankingChartFloor", 2.0);

}  // namespace
