// Drawing the whole screen sheet image (mode 0) of 300 shown rows against the floor of
// filling the same cells with their colours and no text: 150 columns, and
// the widest sheet (1,000 columns).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <random>

#include "Ratios.h"
#include "core/sheet/SheetDrawer.h"

namespace {

constexpr int32_t kRows = 300;
constexpr int32_t kAlternatives = 6;


// columns overview questions of six coloured alternatives labelled "-",
// "1" .. "5", in blocks of five under sub-blocks of ten, answered at random
// by kRows respondents.
struct Fixture {
  kvf::SurveyDocument document;
  kvf::SubSheet sheet;
  kvf::SheetDrawer drawer;
};

Fixture* MakeFixture(int32_t columns) {
  kvf::bench::EnsureGuiApplication();
  auto* f = new Fixture;
  kvf::SurveyDocument& d = f->document;
  d.strings = {QStringLiteral("-"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
               QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("Q"), QStringLiteral("Block")};
  d.info.levelColors = {0xF1E6DC, 0xE4CCB8, 0xDEF1EB, 0xBCE4D7};
  d.info.sheetColor1 = 0x404040;
  const kvf::Colour colours[kAlternatives] = {0xD0D0D0, 0x2020D0, 0x4090F0, 0x90E0F0, 0x70D090, 0x409020};
  for (int32_t b = 0; b < columns / 5 + 1; ++b) {
    kvf::Block block;
    block.name = 7;
    block.fromFile = true;
    d.blocks.push_back(block);
  }
  std::mt19937 random(7);
  std::vector<uint8_t> answers;
  for (int32_t q = 0; q < columns; ++q) {
    kvf::Question question;
    question.sheetLabel = 6;
    question.isOverviewQuestion = true;
    question.backColor = 0xF0F0F0;
    question.primaryBlock = q / 10;
    question.secondaryBlock = q / 5;
    question.firstAlternative = static_cast<int32_t>(d.alternatives.size());
    question.alternativeCount = kAlternatives;
    for (int32_t a = 0; a < kAlternatives; ++a) {
      kvf::Alternative alternative;
      alternative.sheetLabel = a;
      alternative.backColor = colours[a];
      alternative.value = a == 0 ? -1 : a;
      d.alternatives.push_back(alternative);
    }
    d.questions.push_back(question);
    d.overviewQuestions.push_back(q);
    for (int32_t r = 0; r < kRows; ++r) answers.push_back(static_cast<uint8_t>(random() % kAlternatives));
  }
  d.answers.Assign(1, kRows, columns, std::move(answers), 1);
  f->sheet.present = true;
  f->sheet.columns = d.overviewQuestions;
  for (int32_t r = 0; r < kRows; ++r) f->sheet.respondents.push_back(r);
  f->sheet.rowLimit = -1;
  kvf::Result<kvf::SheetDrawer> made = kvf::SheetDrawer::Create(d);
  if (made) f->drawer = std::move(made).Value();
  return f;
}

Fixture& Sheet(int32_t columns) {
  static Fixture* narrow = MakeFixture(150);
  static Fixture* wide = MakeFixture(1000);
  return columns == 150 ? *narrow : *wide;
}

void BM_DrawSheetScreen(benchmark::State& state) {
  Fixture& f = Sheet(static_cast<int32_t>(state.range(0)));
  kvf::SheetRequest request;
  request.maxRows = kRows;
  int64_t bytes = 0;
  for (auto _ : state) {
    kvf::Result<QImage> drawn = kvf::DrawSheetImage(f.drawer, f.document, f.sheet, request);
    if (!drawn) state.SkipWithError("not drawn");
    const QImage image = drawn ? std::move(drawn).Value() : QImage();
    bytes = image.sizeInBytes();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["image_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_DrawSheetScreen)->Arg(150)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same image, the same cells and colours, no texts, no group lines.
void BM_DrawSheetScreenFloor(benchmark::State& state) {
  Fixture& f = Sheet(static_cast<int32_t>(state.range(0)));
  const kvf::SurveyDocument& d = f.document;
  const int32_t columns = static_cast<int32_t>(d.questions.size());
  const int32_t headerRows = 3;
  for (auto _ : state) {
    QImage image(columns * 16, (kRows + headerRows) * 16, QImage::Format_RGB32);
    image.fill(0);
    QPainter painter(&image);
    for (int32_t c = 0; c < columns; ++c) painter.fillRect(QRect(c * 16, 2 * 16, 16, 16), *f.drawer.QuestionBrush(c));
    for (int32_t r = 0; r < kRows; ++r) {
      for (int32_t c = 0; c < columns; ++c) {
        const int32_t alternative = d.questions[static_cast<size_t>(c)].firstAlternative + d.GetData(r, c);
        painter.fillRect(QRect(c * 16, (headerRows + r) * 16, 16, 16), *f.drawer.AlternativeBrush(alternative));
      }
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_DrawSheetScreenFloor)->Arg(150)->Arg(1000)->Unit(benchmark::kMillisecond);

const bool kRegistered = kvf::bench::AddRatio("BM_DrawSheetScreen/150", "BM_DrawSheetScreenFloor/150", 3.0) &&
                         kvf::bench::AddRatio("BM_DrawSheetScreen/1000", "BM_DrawSheetScreenFloor/1000", 3.0);

}  // namespace
