// Work on sizes a document or a settings file controls, each with a hostile
// input next to a realistic one: the hostile case must stay within a small
// factor of the work its size justifies (linear or n log n), never
// quadratic. Printed as plain times.
//
//   BandText/realistic      a 40-character block name shortened to a band
//   BandText/hostile        a 32,000-character block name (a 224-byte file)
//   LabelOffsets/realistic  1,000 alternatives with short distinct labels
//   LabelOffsets/hostile    20,000 alternatives sharing one 5,000-character label
//   RegistryValues/N        N values written into one key, then each read
//   LoadRepeatedComments    1,000 x 1,000 answer comments naming one text
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "Ratios.h"
#include "core/document/KvfReader.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SheetLayout.h"
#include "kvfwriter/KvfWriter.h"
#include "platform/registry/RegistryTree.h"

namespace {


void BandText(benchmark::State& state) {
  kvf::bench::EnsureGuiApplication();
  const kvf::SheetFonts fonts(1);
  const QString name(static_cast<qsizetype>(state.range(0)), QLatin1Char('W'));
  for (auto _ : state) benchmark::DoNotOptimize(kvf::ShortenBandText(name, 160, fonts.BoldMetrics()));
}
BENCHMARK(BandText)->Arg(40)->Arg(32000)->Unit(benchmark::kMicrosecond);

kvf::SurveyDocument LabelledAlternatives(int count, bool shared) {
  kvf::writer::KvfDescription d;
  if (shared) d.strings = {QString(5000, QLatin1Char('x'))};
  d.alternatives.resize(static_cast<size_t>(count));
  for (int a = 0; a < count; ++a) {
    if (!shared) d.strings.push_back(QString::number(a % 100));
    d.alternatives[static_cast<size_t>(a)].sheetLabel = shared ? 0 : a;
  }
  kvf::SurveyDocument document;
  (void)kvf::DecodeKvf(kvf::writer::WriteKvf(d), document);
  return document;
}

void LabelOffsets(benchmark::State& state) {
  kvf::bench::EnsureGuiApplication();
  const bool hostile = state.range(0) != 0;
  const kvf::SurveyDocument document = LabelledAlternatives(hostile ? 20000 : 1000, hostile);
  const kvf::SheetFonts fonts(1);
  for (auto _ : state) {
    kvf::SheetDrawer drawer;
    drawer.CreateSheetTextCoordinates(document, fonts, 16);
    benchmark::DoNotOptimize(drawer.AlternativeLabelOffset(0));
  }
}
BENCHMARK(LabelOffsets)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void RegistryValues(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Key");
  QStringList names;
  for (int v = 0; v < count; ++v) names << QStringLiteral("Value %1").arg(v);
  for (auto _ : state) {
    kvf::platform::RegistryTree tree;
    for (const QString& name : names) tree.SetValue(key, name, kvf::platform::RegistryValue::Dword(1));
    for (const QString& name : names) benchmark::DoNotOptimize(tree.FindValue(key, name));
  }
  state.SetComplexityN(count);
}
BENCHMARK(RegistryValues)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void LoadRepeatedComments(benchmark::State& state) {
  kvf::writer::KvfDescription d;
  d.strings = {QString(60, QLatin1Char('x'))};
  d.alternatives.resize(1);
  kvf::writer::QuestionRecord q;
  q.alternativeCount = 1;
  q.isOverviewQuestion = kvf::writer::kTrue;
  d.questions.assign(1000, q);
  d.answers.assign(1000, std::vector<int32_t>(1000, 0));
  d.answerComments.assign(1000, std::vector<int32_t>(1000, 0));
  const QByteArray file = kvf::writer::WriteKvf(d);
  for (auto _ : state) {
    kvf::SurveyDocument document;
    benchmark::DoNotOptimize(kvf::DecodeKvf(file, document).ok());
  }
}
BENCHMARK(LoadRepeatedComments)->Unit(benchmark::kMillisecond);

}  // namespace
