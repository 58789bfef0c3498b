// Drawing a bar chart of 40 points in 5 sets: into a window-sized image (what
// a resize redraws), into an enhanced metafile, and into a PNG at the size a
// new chart window gets. These report times; there is no floor to compare
// with, the window's aim is a redraw within 50 ms.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "Ratios.h"
#include "core/graphs/ChartDescription.h"
#include "graphics/charts/ChartRenderer.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace {

constexpr int kPoints = 40;
constexpr int kSets = 5;

kvf::ChartDescription FortyPointsFiveSets() {
  kvf::ChartDescription chart;
  chart.HoldDrawing();
  chart.SetChartType(kvf::ChartType::Bars);
  chart.SetMainTitle(QStringLiteral("Block index by department"));
  chart.SetBottomTitle(QStringLiteral("All respondents [100000]"));
  chart.SetLeftTitle(QStringLiteral("Index"));
  chart.SetVerticalLabels(true);
  chart.SetDataLabels(true);
  chart.SetLegendPlacement(kvf::kLegendBelow);
  chart.SetPointCount(kPoints);
  chart.SetSetCount(kSets);
  for (int set = 0; set < kSets; ++set) {
    chart.SetCurrentSet(set);
    chart.SetSetLegend(set, QStringLiteral("Department %1 [%2]").arg(set + 1).arg(1000 * (set + 1)));
    for (int point = 0; point < kPoints; ++point) {
      const double value = 1.0 + ((point * 7 + set * 3) % 40) / 10.0;
      chart.SetValue(point, value);
      chart.SetValueLabel(point, QString::number(value, 'f', 1));
    }
  }
  for (int point = 0; point < kPoints; ++point) chart.SetPointLabel(point, QStringLiteral("Question %1").arg(point + 1));
  chart.SetFixedAxis(5, 5);
  chart.SetLineCount(1);
  chart.SetLine(0, 3.2, QStringLiteral("Total index, total (3.2)"));
  chart.Draw();
  return chart;
}

void BM_ChartRedraw800x600(benchmark::State& state) {
  kvf::bench::EnsureGuiApplication();
  const kvf::ChartDescription chart = FortyPointsFiveSets();
  QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    benchmark::DoNotOptimize(kvf::graphics::DrawChart(painter, image.rect(), chart));
  }
}

void BM_ChartToEmf(benchmark::State& state) {
  kvf::bench::EnsureGuiApplication();
  const kvf::ChartDescription chart = FortyPointsFiveSets();
  const QSize size(680, (kPoints + 2) * 24);
  for (auto _ : state) {
    kvf::platform::EmfPaintDevice emf(size, QStringLiteral("Benchmark"));
    {
      QPainter painter(&emf);
      kvf::graphics::DrawChart(painter, QRect(QPoint(0, 0), size), chart);
    }
    benchmark::DoNotOptimize(emf.ToBytes());
  }
}

void BM_ChartToPng(benchmark::State& state) {
  kvf::bench::EnsureGuiApplication();
  const kvf::ChartDescription chart = FortyPointsFiveSets();
  const QSize size(680, (kPoints + 2) * 24);
  for (auto _ : state) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      kvf::graphics::DrawChart(painter, image.rect(), chart);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    benchmark::DoNotOptimize(bytes);
  }
}

}  // namespace

BENCHMARK(BM_ChartRedraw800x600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartToEmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartToPng)->Unit(benchmark::kMillisecond);
