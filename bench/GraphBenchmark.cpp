// The basic graph data on the largest legal tall document (100,000
// respondents x 10 questions), against the floor of one plain pass over the
// same answer columns for the same respondents: a block graph of all ten
// questions and a question split by another. And, for the record, drawing
// a fraction graph of 40 bars into an enhanced metafile.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <numeric>
#include <vector>

#include "Ratios.h"
#include "core/document/KvfReader.h"
#include "core/graphs/BasicGraph.h"
#include "core/graphs/BasicGraphDrawing.h"
#include "kvfwriter/KvfWriter.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace {

using kvf::bench::TallyCells;

const kvf::SurveyDocument& Tall() {
  static const kvf::SurveyDocument document = [] {
    kvf::writer::SyntheticOptions options;
    options.respondents = 100000;
    options.questions = 10;
    options.dimensions = 2;
    options.compress = false;
    kvf::SurveyDocument made;
    kvf::DecodeKvf(kvf::writer::WriteKvf(kvf::writer::MakeSyntheticDescription(options)), made);
    return made;
  }();
  return document;
}

std::vector<int32_t> Everyone(const kvf::SurveyDocument& document) {
  std::vector<int32_t> respondents(static_cast<size_t>(document.RespondentCount()));
  std::iota(respondents.begin(), respondents.end(), 0);
  return respondents;
}

kvf::BasicGraphRequest Request(bool split) {
  const kvf::SurveyDocument& document = Tall();
  kvf::BasicGraphRequest request;
  request.respondents = Everyone(document);
  if (split) {
    request.questions = {2};
    request.splitQuestion = 0;
  } else {
    request.questions = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  }
  return request;
}

void BM_GenerateBasicGraph(benchmark::State& state, bool split) {
  const kvf::BasicGraphRequest request = Request(split);
  const kvf::BasicGraphSelection selection{QStringLiteral("All"), 100000, QString(), 0};
  for (auto _ : state)
    benchmark::DoNotOptimize(kvf::GenerateBasicGraph(Tall(), request, selection, {}, QLocale::c()).ok());
}

void BM_GenerateBasicGraphFloor(benchmark::State& state, bool split) {
  const kvf::BasicGraphRequest request = Request(split);
  std::vector<int32_t> columns = request.questions;
  if (split) columns.push_back(request.splitQuestion);
  for (auto _ : state) benchmark::DoNotOptimize(TallyCells(Tall(), columns, request.respondents));
}

// A fraction graph of 40 bars of five segments each.
void BM_FractionGraphToEmf(benchmark::State& state) {
  kvf::bench::EnsureGuiApplication();
  kvf::BasicGraphData data;
  data.kind = kvf::kFractionGraph;
  data.title = QStringLiteral("Forty bars");
  data.selectionText = QStringLiteral("All respondents [100000]");
  data.alternativeSetCount = 1;
  for (int b = 0; b < 40; ++b) {
    data.bars.push_back({b * 5, 5, QStringLiteral("Question %1 with a label that wraps").arg(b), 0, 5, 0});
    for (int k = 0; k < 5; ++k)
      data.segments.push_back({20, 200, QStringLiteral("20"), QStringLiteral("20"), 0x3366CC + k * 0x101010, k == 4});
  }
  for (int k = 0; k < 5; ++k) data.legend.push_back({QStringLiteral("Alternative %1").arg(k), 0x3366CC, 0});
  const QSize size(1240, 40 * 92 + 400);
  for (auto _ : state) {
    kvf::platform::EmfPaintDevice emf(size, QStringLiteral("Bench"));
    QPainter painter(&emf);
    kvf::BasicGraphStyle style;
    style.scale = 2;
    benchmark::DoNotOptimize(kvf::DrawBasicGraph(painter, QRect(QPoint(0, 0), size), data, style));
    painter.end();
    benchmark::DoNotOptimize(emf.ToBytes());
  }
}

BENCHMARK_CAPTURE(BM_GenerateBasicGraph, block10, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateBasicGraphFloor, block10, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateBasicGraph, split, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateBasicGraphFloor, split, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FractionGraphToEmf)->Unit(benchmark::kMillisecond);

const bool kRegistered =
    kvf::bench::AddRatio("BM_GenerateBasicGraph/block10", "BM_GenerateBasicGraphFloor/block10", 2.0) &&
    kvf::bench::AddRatio("BM_GenerateBasicGraph/split", "BM_GenerateBasicGraphFloor/split", 2.0);

}  // namespace
