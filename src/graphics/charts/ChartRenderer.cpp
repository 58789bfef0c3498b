#include "graphics/charts/ChartRenderer.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <memory>

namespace kvf::graphics {

namespace {

constexpr double kBarWidth = 0.7;  // of a category's width, shared by its sets

QFont Arial(int pixels, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

bool Is3D(const ChartDescription& chart) { return chart.type == ChartType::Pie3D || chart.type == ChartType::Bars3D; }
bool IsPie(const ChartDescription& chart) { return chart.type == ChartType::Pie || chart.type == ChartType::Pie3D; }

QColor SetColour(const ChartDescription& chart, int32_t set) {
  if (chart.colorCode9 && chart.sets == 1) return kColorCode9;
  const std::vector<QColor>& palette = ChartPalette();
  return palette[static_cast<size_t>(set) % palette.size()];
}

// The text written on a bar: the description's value labels when the
// generator set any, else the value itself.
QString BarLabel(const ChartDescription& chart, int32_t set, int32_t point, bool anyLabels) {
  if (anyLabels) return chart.ValueLabel(set, point);
  return QLocale::system().toString(chart.Value(set, point), 'g', 15);
}

void StyleAxis(QAbstractAxis* axis, const QString& title) {
  axis->setLabelsFont(Arial(11));
  axis->setLabelsBrush(Qt::black);
  axis->setTitleFont(Arial(12));
  axis->setTitleBrush(Qt::black);
  axis->setTitleText(title);
}

// Everything Qt Charts draws, plus where our own drawing goes.
struct Scene {
  QGraphicsScene scene;
  QChart* chart = nullptr;  // owned by scene
  QAbstractSeries* bars = nullptr;
  QPieSeries* pie = nullptr;
  std::vector<QLineSeries*> lines;
};

void BuildPie(Scene& built, const ChartDescription& chart) {
  auto* series = new QPieSeries();
  const std::vector<QColor>& palette = ChartPalette();
  for (int32_t p = 0; p < chart.points; ++p) {
    QPieSlice* slice = series->append(chart.pointLabels[static_cast<size_t>(p)], std::max(0.0, chart.Value(0, p)));
    slice->setColor(palette[static_cast<size_t>(p) % palette.size()]);
    slice->setBorderColor(Qt::white);
    slice->setLabelVisible(slice->value() > 0);
    slice->setLabelFont(Arial(11));
    slice->setLabelBrush(Qt::black);
    slice->setLabelColor(Qt::black);
  }
  series->setPieSize(0.6);
  built.chart->addSeries(series);
  built.chart->legend()->hide();
  built.pie = series;
}

void BuildBars(Scene& built, const ChartDescription& chart) {
  const bool horizontal = chart.horizontal.value_or(false);
  QAbstractBarSeries* series = horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries())
                                          : static_cast<QAbstractBarSeries*>(new QBarSeries());
  series->setBarWidth(kBarWidth);
  for (int32_t s = 0; s < chart.sets; ++s) {
    const QString legend = chart.setLegends ? chart.setLegends->at(static_cast<size_t>(s)) : QString();
    auto* set = new QBarSet(legend);
    set->setColor(SetColour(chart, s));
    set->setBorderColor(SetColour(chart, s).darker(130));
    for (int32_t p = 0; p < chart.points; ++p) set->append(std::max(0.0, chart.Value(s, p)));
    series->append(set);
  }
  built.chart->addSeries(series);
  built.bars = series;

  auto* categories = new QBarCategoryAxis();
  QStringList labels;
  for (const QString& label : chart.pointLabels) labels << label;
  categories->append(labels);
  if (chart.verticalLabels.value_or(false) && !horizontal) categories->setLabelsAngle(-90);
  auto* values = new QValueAxis();
  if (chart.axis) {
    values->setRange(0.0, chart.axis->max > 0 ? chart.axis->max : 1.0);
    if (chart.axis->steps) values->setTickCount(*chart.axis->steps + 1);
  } else {
    double top = chart.LargestValue();
    if (chart.lines)
      for (const ChartLine& line : *chart.lines) top = std::max(top, line.value);
    values->setRange(0.0, top > 0 ? top * 1.1 : 1.0);
    values->applyNiceNumbers();
  }
  values->setLabelFormat(QStringLiteral("%g"));
  const QString bottom = chart.bottomTitle.value_or(QString());
  const QString left = chart.leftTitle.value_or(QString());
  StyleAxis(categories, horizontal ? left : bottom);
  StyleAxis(values, horizontal ? bottom : left);
  built.chart->addAxis(categories, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
  built.chart->addAxis(values, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
  series->attachAxis(categories);
  series->attachAxis(values);

  if (chart.lines) {
    const double from = -0.5;
    const double to = chart.points - 0.5;
    for (const ChartLine& line : *chart.lines) {
      auto* series = new QLineSeries();
      if (horizontal) {
        series->append(line.value, from);
        series->append(line.value, to);
      } else {
        series->append(from, line.value);
        series->append(to, line.value);
      }
      series->setPen(QPen(QColor(200, 0, 0), 2, Qt::DashLine));
      built.chart->addSeries(series);
      series->attachAxis(categories);
      series->attachAxis(values);
      built.lines.push_back(series);
    }
  }

  QLegend* legend = built.chart->legend();
  const int32_t code = chart.legendPlacement.value_or(kLegendBelow);
  if (chart.sets < 2 || code == kLegendNone) {
    legend->hide();
  } else {
    legend->setAlignment(code == kLegendBelow ? Qt::AlignBottom : Qt::AlignRight);
    legend->setFont(Arial(11));
    legend->setLabelColor(Qt::black);
    for (QLegendMarker* marker : legend->markers())
      if (marker->series() != series) marker->setVisible(false);
  }
}

// The rectangle of a bar in scene coordinates.
QRectF BarRect(const Scene& built, const ChartDescription& chart, int32_t set, int32_t point) {
  const double width = kBarWidth / std::max(1, chart.sets);
  const double left = point - kBarWidth / 2 + set * width;
  const double value = std::max(0.0, chart.Value(set, point));
  if (chart.horizontal.value_or(false)) {
    const QPointF a = built.chart->mapToPosition(QPointF(0.0, left), built.bars);
    const QPointF b = built.chart->mapToPosition(QPointF(value, left + width), built.bars);
    return QRectF(a, b).normalized();
  }
  const QPointF a = built.chart->mapToPosition(QPointF(left, 0.0), built.bars);
  const QPointF b = built.chart->mapToPosition(QPointF(left + width, value), built.bars);
  return QRectF(a, b).normalized();
}

// The top and right faces of the 3-D bars, drawn behind the bars.
void DrawBarDepth(QPainter& painter, const Scene& built, const ChartDescription& chart) {
  for (int32_t s = 0; s < chart.sets; ++s) {
    const QColor colour = SetColour(chart, s);
    for (int32_t p = 0; p < chart.points; ++p) {
      const QRectF bar = BarRect(built, chart, s, p);
      const double d =
          std::min(8.0, std::max(2.0, (chart.horizontal.value_or(false) ? bar.height() : bar.width()) / 3));
      const QPointF o(d, -d);
      const QPolygonF top({bar.topLeft(), bar.topRight(), bar.topRight() + o, bar.topLeft() + o});
      const QPolygonF side({bar.topRight(), bar.bottomRight(), bar.bottomRight() + o, bar.topRight() + o});
      painter.setPen(QPen(colour.darker(170), 0));
      painter.setBrush(colour.lighter(120));
      painter.drawPolygon(top);
      painter.setBrush(colour.darker(150));
      painter.drawPolygon(side);
    }
  }
}

// The thickness of a 3-D pie: its slices repeated downwards in darker
// colours, drawn before the pie itself.
void DrawPieDepth(QPainter& painter, const Scene& built, const ChartDescription& chart) {
  const QRectF area = built.chart->plotArea();
  const double diameter = std::min(area.width(), area.height()) * built.pie->pieSize();
  QRectF pie(0, 0, diameter, diameter);
  pie.moveCenter(area.center());
  const double total = built.pie->sum();
  if (total <= 0) return;
  const std::vector<QColor>& palette = ChartPalette();
  const int depth = std::max(3, static_cast<int>(diameter / 15));
  painter.setPen(Qt::NoPen);
  for (int k = depth; k > 0; --k) {
    double start = 90.0;  // Qt Charts starts at 12 o'clock and goes clockwise
    for (int32_t p = 0; p < chart.points; ++p) {
      const double span = std::max(0.0, chart.Value(0, p)) / total * 360.0;
      painter.setBrush(palette[static_cast<size_t>(p) % palette.size()].darker(160));
      painter.drawPie(pie.translated(0, k), qRound(start * 16), qRound(-span * 16));
      start -= span;
    }
  }
}

void DrawValueLabels(QPainter& painter, const Scene& built, const ChartDescription& chart) {
  bool anyLabels = false;
  for (const std::vector<QString>& set : chart.valueLabels)
    anyLabels = anyLabels || std::any_of(set.begin(), set.end(), [](const QString& t) { return !t.isEmpty(); });
  painter.setFont(Arial(10));
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(painter.font());
  const double lift = Is3D(chart) ? 8.0 : 0.0;
  for (int32_t s = 0; s < chart.sets; ++s)
    for (int32_t p = 0; p < chart.points; ++p) {
      const QString text = BarLabel(chart, s, p, anyLabels);
      if (text.isEmpty()) continue;
      const QRectF bar = BarRect(built, chart, s, p);
      const double w = metrics.horizontalAdvance(text);
      if (chart.horizontal.value_or(false))
        painter.drawText(QPointF(bar.right() + 3 + lift, bar.center().y() + metrics.ascent() / 2 - 1), text);
      else
        painter.drawText(QPointF(bar.center().x() - w / 2, bar.top() - 3 - lift), text);
    }
}

void DrawLineExplanations(QPainter& painter, const Scene& built, const ChartDescription& chart) {
  painter.setFont(Arial(10));
  painter.setPen(QColor(200, 0, 0));
  const QFontMetricsF metrics(painter.font());
  for (size_t i = 0; i < built.lines.size(); ++i) {
    const ChartLine& line = chart.lines->at(i);
    if (line.explanation.isEmpty()) continue;
    const QPointF end = built.lines[i]->at(1);
    const QPointF at = built.chart->mapToPosition(end, built.lines[i]);
    const double w = metrics.horizontalAdvance(line.explanation);
    if (chart.horizontal.value_or(false))
      painter.drawText(QPointF(at.x() + 3, at.y() + metrics.ascent()), line.explanation);
    else
      painter.drawText(QPointF(at.x() - w - 3, at.y() - 3), line.explanation);
  }
}

}  // namespace

const std::vector<QColor>& ChartPalette() {
  static const std::vector<QColor> palette = {
      QColor(31, 119, 180),  QColor(255, 127, 14),  QColor(44, 160, 44),   QColor(214, 39, 40),
      QColor(148, 103, 189), QColor(140, 86, 75),   QColor(227, 119, 194), QColor(127, 127, 127),
      QColor(188, 189, 34),  QColor(23, 190, 207),  QColor(174, 199, 232), QColor(255, 187, 120),
      QColor(152, 223, 138), QColor(255, 152, 150), QColor(197, 176, 213), QColor(196, 156, 148)};
  return palette;
}

bool DrawChart(QPainter& painter, const QRect& rect, const ChartDescription& chart, const QStringList& extraLabels) {
  if (!painter.isActive() || rect.isEmpty()) return false;
  const int dpi = painter.device() != nullptr ? std::max(1, painter.device()->logicalDpiX()) : 96;
  const QSizeF logical(std::max(1.0, rect.width() * 96.0 / dpi), std::max(1.0, rect.height() * 96.0 / dpi));

  Scene built;
  built.chart = new QChart();
  built.scene.addItem(built.chart);
  built.chart->setAnimationOptions(QChart::NoAnimation);
  built.chart->setTheme(QChart::ChartThemeLight);
  built.chart->setBackgroundVisible(false);
  built.chart->setDropShadowEnabled(false);
  built.chart->setTitleFont(Arial(14, true));
  built.chart->setTitleBrush(Qt::black);
  built.chart->setTitle(chart.title.value_or(QString()));
  const bool pie = IsPie(chart);
  if (pie)
    BuildPie(built, chart);
  else
    BuildBars(built, chart);
  const QString pieCaption = pie ? chart.bottomTitle.value_or(QString()) : QString();
  if (!pieCaption.isEmpty()) {
    QMargins margins = built.chart->margins();
    margins.setBottom(margins.bottom() + 24);
    built.chart->setMargins(margins);
  }
  built.chart->setGeometry(QRectF(QPointF(0, 0), logical));
  built.scene.setSceneRect(QRectF(QPointF(0, 0), logical));
  // Lays the chart out now, so its plot area is known before drawing.
  QGraphicsView view(&built.scene);
  view.resize(logical.toSize());
  if (built.chart->layout() != nullptr) built.chart->layout()->activate();
  QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
  {
    QPainter probePainter(&probe);
    built.scene.render(&probePainter, QRectF(0, 0, 1, 1), QRectF(QPointF(0, 0), logical));
  }

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(rect.topLeft());
  painter.scale(rect.width() / logical.width(), rect.height() / logical.height());
  painter.fillRect(QRectF(QPointF(0, 0), logical), Qt::white);
  if (Is3D(chart)) {
    if (pie)
      DrawPieDepth(painter, built, chart);
    else
      DrawBarDepth(painter, built, chart);
  }
  built.scene.render(&painter, QRectF(QPointF(0, 0), logical), QRectF(QPointF(0, 0), logical));
  if (!pie) {
    if (chart.dataLabels.value_or(false)) DrawValueLabels(painter, built, chart);
    if (chart.lines) DrawLineExplanations(painter, built, chart);
  } else if (!pieCaption.isEmpty()) {
    painter.setFont(Arial(12));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, logical.height() - 30, logical.width(), 24), Qt::AlignCenter, pieCaption);
  }
  if (!extraLabels.isEmpty()) {
    painter.setFont(Arial(11));
    painter.setPen(Qt::black);
    const QRectF area = built.chart->plotArea();
    painter.drawText(area.adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop, extraLabels.join(QLatin1Char('\n')));
  }
  painter.restore();
  return true;
}

}  // namespace kvf::graphics
