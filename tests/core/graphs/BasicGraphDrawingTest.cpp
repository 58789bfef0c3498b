// The drawing routine of the basic graphs: the histogram's step table, the
// fraction graph's layout and segments, and that a graph that does not fit
// draws nothing.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/graphs/BasicGraphDrawing.h"
#include "core/sheet/SheetTestSupport.h"

namespace kvf::testing {
namespace {

// Two bars of three segments (shares 250, 250, 500), the last segment
// outlined, one alternative set.
BasicGraphData TwoBars(int32_t kind) {
  EnsureGuiApplication();
  BasicGraphData data;
  data.kind = kind;
  data.title = QStringLiteral("Title");
  data.selectionText = QStringLiteral("All [4]");
  data.alternativeSetCount = 1;
  for (int b = 0; b < 2; ++b) {
    data.bars.push_back({b * 3, 3, QStringLiteral("Bar %1").arg(b), 0, 3, 0});
    for (int k = 0; k < 3; ++k) {
      const int32_t share = k == 2 ? 500 : 250;
      data.segments.push_back({share / 250, share, QString::number(share / 250), QString::number(share / 10), 0x0000FF,
                               k == 2 ? kGraphOptionOutlined : 0});
    }
  }
  for (int k = 0; k < 3; ++k) data.legend.push_back({QStringLiteral("Alt %1").arg(k), 0x0000FF, 0});
  return data;
}

TEST(BasicGraphDrawing, HistogramStepTable) {
  const std::pair<int32_t, int32_t> cases[] = {{0, 1},      {5, 1},         {6, 5},         {25, 5},
                                               {26, 10},    {100, 20},      {101, 25},      {126, 50},
                                               {1001, 250}, {50000, 10000}, {50001, 25000}, {100000, 25000}};
  for (const auto& [largest, step] : cases) EXPECT_EQ(HistogramStep(largest), step) << largest;
}

TEST(BasicGraphDrawing, FractionLayoutBarsAndSegmentEnds) {
  const BasicGraphData data = TwoBars(kFractionGraph);
  const BasicGraphStyle style;
  const QRect rect(10, 10, 600, 400);
  const FractionLayout layout = LayOutFractionGraph(rect, data, style);
  ASSERT_TRUE(layout.fits);
  const int m = layout.margin;
  EXPECT_EQ(m, 6);
  EXPECT_EQ(layout.barHeight, (layout.barArea.height() - 3 * m) / 2);
  EXPECT_EQ(layout.bars[0].top(), layout.barArea.top() + m / 2);
  EXPECT_EQ(layout.bars[1].top(), layout.barArea.top() + m / 2 + layout.barHeight + m);
  const int rest = rect.height() - layout.fixedHeight - 2 * layout.barHeight;
  EXPECT_TRUE(rest >= 0 && rest < 2) << rest;

  const QRect bar(100, 0, 200, 10);
  const auto extents = SegmentExtents(bar, data, data.bars[0]);
  EXPECT_EQ(extents, (std::vector<std::pair<int32_t, int32_t>>{{100, 151}, {151, 201}, {201, 300}}));

  // Too narrow for 50 pixels of bars, or too low for bars of one text line.
  EXPECT_FALSE(LayOutFractionGraph(QRect(0, 0, 90, 400), data, style).fits);
  EXPECT_FALSE(LayOutFractionGraph(QRect(0, 0, 600, 120), data, style).fits);
}

TEST(BasicGraphDrawing, OutlinedLastSegmentReachesOneLineBeyondTheBar) {
  const BasicGraphData data = TwoBars(kFractionGraph);
  BasicGraphStyle style;
  style.lineWidthX = 2;
  const QRect rect(0, 0, 600, 400);
  QImage image(rect.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  ASSERT_TRUE(DrawBasicGraph(painter, rect, data, style));
  painter.end();
  const FractionLayout layout = LayOutFractionGraph(rect, data, style);
  const QRect& bar = layout.bars[0];
  const int y = bar.top() + bar.height() / 2;
  EXPECT_EQ(image.pixel(bar.left() + 5, y), qRgb(255, 0, 0));  // COLORREF 0x0000FF is red
  EXPECT_EQ(image.pixel(bar.right() + 2, y), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(bar.right() + 3, y), qRgb(255, 255, 255));
}

TEST(BasicGraphDrawing, AGraphThatDoesNotFitDrawsNothing) {
  for (const int32_t kind : {kHistogram, kFractionGraph}) {
    const BasicGraphData data = TwoBars(kind);
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_FALSE(DrawBasicGraph(painter, image.rect(), data, BasicGraphStyle()));
    EXPECT_FALSE(BasicGraphFits(image.rect(), data, BasicGraphStyle()));
    painter.end();
    QImage white(image.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(image, white) << kind;
    EXPECT_TRUE(BasicGraphFits(QRect(0, 0, 600, 400), data, BasicGraphStyle())) << kind;
  }
}

}  // namespace
}  // namespace kvf::testing
