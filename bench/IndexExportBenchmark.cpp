// The whole index table of Copy Indexes (every index group; Total plus every
// alternative of two categories) against the floor of one plain pass over
// the overview questions' answer cells per sub-selection: every cell of a
// sub-selection read once into its column's histogram.
//
// Shapes: 1,000 respondents x 1,000 questions and 100,000 x 10, four of the
// questions dimensions; every question and block gets a stored index so that
// every row of every group is made.
#include <benchmark/benchmark.h>

#include <map>
#include <vector>

#include "Ratios.h"
#include "core/document/KvfReader.h"
#include "core/indexes/IndexExport.h"
#include "core/output/OverviewClipboard.h"
#include "core/sheet/SelectionMatrix.h"
#include "core/sheet/ViewState.h"
#include "kvfwriter/KvfWriter.h"

namespace {

kvf::SurveyDocument& Document(int32_t respondents, int32_t questions) {
  static std::map<std::pair<int32_t, int32_t>, kvf::SurveyDocument> cache;
  const auto key = std::make_pair(respondents, questions);
  if (auto found = cache.find(key); found != cache.end()) return found->second;
  kvf::writer::SyntheticOptions options;
  options.respondents = respondents;
  options.questions = questions;
  options.dimensions = 4;
  options.compress = false;
  kvf::SurveyDocument& document = cache[key];
  kvf::DecodeKvf(kvf::writer::WriteKvf(kvf::writer::MakeSyntheticDescription(options)), document);
  for (kvf::Question& question : document.questions) question.storedIndex = 1.0;
  for (kvf::Block& block : document.blocks) block.storedIndex = 1.0;
  document.info.indexLabels[2] = 0;
  return document;
}

kvf::IndexExportSettings Everything(const kvf::SurveyDocument& document) {
  kvf::IndexExportSettings settings;
  settings.totalSubSelection = true;
  settings.categories = {document.dimensions[0], document.dimensions[1]};
  settings.groups = {true, true, true, true, true};
  return settings;
}

void BM_IndexExport(benchmark::State& state, int32_t respondents, int32_t questions) {
  const kvf::SurveyDocument& document = Document(respondents, questions);
  const std::vector<int32_t> all = kvf::AllRespondents(document);
  const kvf::IndexExportSettings settings = Everything(document);
  for (auto _ : state) {
    kvf::Result<kvf::IndexExport> table = kvf::IndexExport::Create(document, all, settings);
    table->Calculate();
    benchmark::DoNotOptimize(table->Text(QStringLiteral("All"), true, false));
  }
}

void BM_IndexExportFloor(benchmark::State& state, int32_t respondents, int32_t questions) {
  const kvf::SurveyDocument& document = Document(respondents, questions);
  const std::vector<kvf::IndexSubSelection> subSelections =
      kvf::BuildIndexSubSelections(document, kvf::AllRespondents(document), Everything(document));
  const kvf::AnswerMatrix& matrix = document.answers;
  std::vector<int64_t> tally(256);
  for (auto _ : state) {
    int64_t check = 0;
    for (const kvf::IndexSubSelection& s : subSelections) {
      for (const int32_t q : document.overviewQuestions) {
        std::fill(tally.begin(), tally.end(), 0);
        const uint8_t* column = matrix.Column(q);  // the synthetic documents are 8-bit
        for (const int32_t r : s.respondents) ++tally[column[r]];
        check += tally[1];
      }
    }
    benchmark::DoNotOptimize(check);
  }
}

// Copy Overview of the largest sheet (1,000 columns, 300 answer rows): the
// EMF, PNG and SVG that go to the clipboard. Reported, no floor.
void BM_CopyOverviewPicture(benchmark::State& state) {
  kvf::bench::EnsureGuiApplication();
  kvf::SurveyDocument& document = Document(1000, 1000);
  kvf::ViewState view;
  view.StartDocument(document);
  if (!view.CreateSubSheet(document, kvf::SelectionMatrix::AllSelected(document)).ok()) {
    state.SkipWithError("the selection was refused");
    return;
  }
  kvf::Result<kvf::SheetDrawer> made = kvf::SheetDrawer::Create(document);
  kvf::SheetDrawer drawer = made ? std::move(made).Value() : kvf::SheetDrawer();
  for (auto _ : state) {
    const kvf::OverviewClipboardPicture picture =
        kvf::DrawOverviewForClipboard(drawer, document, view.Sheet(), kvf::OverviewOptions());
    state.counters["emfMB"] = static_cast<double>(picture.emf.size()) / 1e6;
    state.counters["pngMB"] = static_cast<double>(picture.png.size()) / 1e6;
    state.counters["svgMB"] = static_cast<double>(picture.svg.size()) / 1e6;
  }
}

BENCHMARK(BM_CopyOverviewPicture)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_IndexExport, 1000x1000, 1000, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IndexExport, 100000x10, 100000, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IndexExportFloor, 1000x1000, 1000, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IndexExportFloor, 100000x10, 100000, 10)->Unit(benchmark::kMillisecond);

const bool kRegistered = [] {
  for (const char* shape : {"1000x1000", "100000x10"}) {
    const std::string suffix = std::string("/") + shape;
    kvf::bench::AddRatio("BM_IndexExport" + suffix, "BM_IndexExportFloor" + suffix, 2.0);
  }
  return true;
}();

}  // namespace
