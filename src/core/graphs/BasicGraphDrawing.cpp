#include "core/graphs/BasicGraphDrawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace kvf {

namespace {

constexpr int kWrap = Qt::TextWordWrap;

QColor FromColorRef(Colour colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

QFont ArialPixels(int pixels) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(1, pixels));
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

// The height of text word-wrapped over width (0 for an empty text).
int WrappedHeight(const QFontMetrics& metrics, int width, const QString& text) {
  if (text.isEmpty() || width <= 0) return 0;
  return metrics.boundingRect(QRect(0, 0, width, 1 << 20), kWrap, text).height();
}

// One alternative set's legend: its first entry and its size.
struct LegendSet {
  int32_t first = 0;
  int32_t size = 0;
};

std::vector<LegendSet> LegendSets(const BasicGraphData& data) {
  std::vector<LegendSet> sets(static_cast<size_t>(std::max(0, data.alternativeSetCount)));
  for (const BasicGraphBar& bar : data.bars) {
    if (bar.alternativeSet >= 0 && static_cast<size_t>(bar.alternativeSet) < sets.size())
      sets[static_cast<size_t>(bar.alternativeSet)] = {bar.firstLegend, bar.alternativesShown};
  }
  return sets;
}

QString SetMark(int32_t set) { return QString::number(set + 1) + QLatin1Char('*'); }

// The legends laid out over a width: one block per alternative set, each
// starting on a new line; entries run left to right and wrap.
struct LegendItem {
  int32_t entry;
  QRect box;
  QRect text;
  bool cut;  // the text is wider than its place and is elided
};
struct LegendMark {
  int32_t set;
  QRect rect;
};
struct LegendLayout {
  int height = 0;
  std::vector<LegendItem> items;
  std::vector<LegendMark> marks;
};

LegendLayout LayOutLegends(const BasicGraphData& data, const BasicGraphStyle& style, const QFontMetrics& metrics,
                           int left, int top, int width) {
  LegendLayout layout;
  const std::vector<LegendSet> sets = LegendSets(data);
  const bool marked = sets.size() > 1;
  const int box = metrics.height();
  const int gap = 4 * style.FactorX();
  const int lineHeight = box + 4 * style.FactorY();
  const int markWidth = marked ? metrics.horizontalAdvance(SetMark(static_cast<int32_t>(sets.size()))) + gap : 0;
  int y = top;
  for (size_t s = 0; s < sets.size(); ++s) {
    if (sets[s].size <= 0) continue;
    const int blockLeft = left + markWidth;
    const int blockTop = y;
    int x = blockLeft;
    for (int32_t k = 0; k < sets[s].size; ++k) {
      const int32_t entry = sets[s].first + k;
      if (entry < 0 || static_cast<size_t>(entry) >= data.legend.size()) break;
      const int available = left + width - blockLeft - box - gap;
      const int fullWidth = metrics.horizontalAdvance(data.legend[static_cast<size_t>(entry)].text);
      const int textWidth = std::min(fullWidth, std::max(0, available));
      const int entryWidth = box + gap + textWidth + 2 * gap;
      if (x > blockLeft && x + entryWidth > left + width) {
        x = blockLeft;
        y += lineHeight;
      }
      layout.items.push_back(
          {entry, QRect(x, y, box, box), QRect(x + box + gap, y, textWidth, box), textWidth < fullWidth});
      x += entryWidth;
    }
    y += lineHeight;
    if (marked) layout.marks.push_back({static_cast<int32_t>(s), QRect(left, blockTop, markWidth, y - blockTop)});
  }
  layout.height = y - top;
  return layout;
}

// Nested one-pixel frames (count of them), each inside the previous.
void DrawFrames(QPainter& painter, QRect rect, int count, const QColor& colour) {
  for (int i = 0; i < count && rect.width() > 0 && rect.height() > 0; ++i) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
    rect.adjust(1, 1, -1, -1);
  }
}

int FrameCount(const BasicGraphStyle& style) { return style.scale > 1 ? style.scale : std::max(1, style.lineWidthX); }

void DrawLegends(QPainter& painter, const LegendLayout& layout, const BasicGraphData& data,
                 const BasicGraphStyle& style) {
  const int frames = FrameCount(style);
  for (const LegendItem& item : layout.items) {
    const BasicGraphLegendEntry& entry = data.legend[static_cast<size_t>(item.entry)];
    if (entry.color != -1) painter.fillRect(item.box, FromColorRef(entry.color));
    DrawFrames(painter, item.box, frames, Qt::black);
    if ((entry.options & kGraphOptionOutlined) != 0)
      DrawFrames(painter,
                 item.box.adjusted(style.LineX() + frames - 1, style.LineY() + frames - 1, -style.LineX() - frames + 1,
                                   -style.LineY() - frames + 1),
                 frames, Qt::black);
    if (item.cut)
      painter.drawText(item.text, Qt::AlignLeft | Qt::AlignTop,
                       QFontMetrics(painter.font()).elidedText(entry.text, Qt::ElideRight, item.text.width()));
    else
      painter.drawText(QPoint(item.text.left(), item.text.top() + QFontMetrics(painter.font()).ascent()), entry.text);
  }
  for (const LegendMark& mark : layout.marks)
    painter.drawText(mark.rect, Qt::AlignLeft | Qt::AlignVCenter, SetMark(mark.set));
}

// The texts above the bars: title, subtitle and index text.
struct Heading {
  QRect title;
  QRect subtitle;
  QRect index;
  int bottom = 0;
};

Heading LayOutHeading(const QRect& rect, const BasicGraphData& data, const QFontMetrics& titleMetrics,
                      const QFontMetrics& metrics, int margin) {
  Heading heading;
  int y = rect.top();
  const int titleHeight = WrappedHeight(titleMetrics, rect.width(), data.title);
  heading.title = QRect(rect.left(), y, rect.width(), titleHeight);
  y += titleHeight;
  if (!data.subtitle.isEmpty()) {
    y += margin;
    const int height = WrappedHeight(metrics, rect.width(), data.subtitle);
    heading.subtitle = QRect(rect.left(), y, rect.width(), height);
    y += height;
  }
  if (!data.indexText.isEmpty()) {
    y += margin / 2;
    heading.index = QRect(rect.left(), y, rect.width(), metrics.height());
    y += metrics.height();
  }
  heading.bottom = y;
  return heading;
}

void DrawHeading(QPainter& painter, const Heading& heading, const BasicGraphData& data, const QFont& titleFont,
                 const QFont& font) {
  painter.setFont(titleFont);
  painter.drawText(heading.title, Qt::AlignHCenter | Qt::AlignTop | kWrap, data.title);
  painter.setFont(font);
  if (!data.subtitle.isEmpty())
    painter.drawText(heading.subtitle, Qt::AlignHCenter | Qt::AlignTop | kWrap, data.subtitle);
  if (!data.indexText.isEmpty()) painter.drawText(heading.index, Qt::AlignHCenter | Qt::AlignTop, data.indexText);
}

// Everything both kinds share below the plot: the legends and the
// selection text, measured from the bottom of the rectangle.
struct Footing {
  int selectionHeight = 0;
  LegendLayout legends;
  int top = 0;  // top of the legends
};

Footing LayOutFooting(const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style,
                      const QFontMetrics& metrics, int margin) {
  Footing footing;
  footing.selectionHeight = WrappedHeight(metrics, rect.width(), data.selectionText);
  const LegendLayout probe = LayOutLegends(data, style, metrics, rect.left(), 0, rect.width());
  footing.top = rect.bottom() + 1 - footing.selectionHeight - margin - probe.height;
  footing.legends = LayOutLegends(data, style, metrics, rect.left(), footing.top, rect.width());
  return footing;
}

void DrawFooting(QPainter& painter, const QRect& rect, const Footing& footing, const BasicGraphData& data,
                 const BasicGraphStyle& style) {
  DrawLegends(painter, footing.legends, data, style);
  const QRect selection(rect.left(), rect.bottom() + 1 - footing.selectionHeight, rect.width(),
                        footing.selectionHeight);
  painter.drawText(selection, Qt::AlignHCenter | Qt::AlignTop | kWrap, data.selectionText);
}

const BasicGraphSegment* SegmentAt(const BasicGraphData& data, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= data.segments.size()) return nullptr;
  return &data.segments[static_cast<size_t>(index)];
}

// ---------------------------------------------------------------- kind 2

struct FractionPlan {
  FractionLayout layout;
  Heading heading;
  Footing footing;
  int labelLeft = 0;
  int labelWidth = 0;
  int baseline = 0;
  bool marked = false;
};

FractionPlan PlanFraction(const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style) {
  FractionPlan plan;
  FractionLayout& layout = plan.layout;
  const QFontMetrics metrics(ArialPixels(14 * style.FactorY()));
  const QFontMetrics titleMetrics(ArialPixels(24 * style.FactorY()));
  const int m = 6 * style.FactorY();
  const int lx = style.LineX();
  layout.margin = m;
  plan.heading = LayOutHeading(rect, data, titleMetrics, metrics, m);
  plan.footing = LayOutFooting(rect, data, style, metrics, m);
  const int barsTop = plan.heading.bottom + m;
  // Below the baseline: m, the axis labels, m, then the legends.
  plan.baseline = plan.footing.top - m - metrics.height() - m;
  plan.marked = data.alternativeSetCount > 1;
  // Room for the set numbers, and for half the axis label "100".
  const int rightMargin =
      std::max(plan.marked ? 6 * style.FactorX() + metrics.horizontalAdvance(SetMark(data.alternativeSetCount)) : 0,
               metrics.horizontalAdvance(style.locale.toString(100)) / 2 + 1) +
      lx + m;
  plan.labelLeft = rect.left();
  plan.labelWidth = rect.width() * 3 / 10;
  const int left = rect.left() + plan.labelWidth + m + lx;
  const int right = rect.right() + 1 - rightMargin;
  const int n = static_cast<int>(data.bars.size());
  layout.barArea = QRect(left, barsTop, right - left, plan.baseline - barsTop);
  const int available = plan.baseline - barsTop - (n + 1) * m;
  layout.fixedHeight = rect.height() - std::max(0, available);
  if (right - left < 50 * (style.scale > 1 ? style.scale : 1) || n == 0) return plan;
  layout.barHeight = available / n;
  if (layout.barHeight < metrics.height()) return plan;
  for (int i = 0; i < n; ++i)
    layout.bars.emplace_back(left, barsTop + m / 2 + i * (layout.barHeight + m), right - left, layout.barHeight);
  layout.fits = true;
  return plan;
}

void DrawFraction(QPainter& painter, const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style,
                  const FractionPlan& plan) {
  const QFont font = ArialPixels(14 * style.FactorY());
  const QFont titleFont = ArialPixels(24 * style.FactorY());
  const QFontMetrics metrics(font);
  const FractionLayout& layout = plan.layout;
  const int m = layout.margin;
  const int lx = style.LineX();
  const int ly = style.LineY();
  painter.setPen(Qt::black);
  DrawHeading(painter, plan.heading, data, titleFont, font);
  painter.setFont(font);
  const QRect& area = layout.barArea;
  const int frames = FrameCount(style);

  for (size_t i = 0; i < layout.bars.size(); ++i) {
    const QRect& bar = layout.bars[i];
    const BasicGraphBar& record = data.bars[i];
    // The label, in the column left of the bar.
    const QRect band(plan.labelLeft, bar.top() - m / 2, plan.labelWidth, bar.height() + m);
    const int labelHeight = WrappedHeight(metrics, plan.labelWidth, record.label);
    const int vertical = labelHeight < bar.height() ? Qt::AlignVCenter : Qt::AlignTop;
    painter.drawText(labelHeight < bar.height() ? QRect(band.left(), bar.top(), band.width(), bar.height()) : band,
                     Qt::AlignLeft | vertical | kWrap, record.label);
    const auto extents = SegmentExtents(bar, data, record);
    for (int32_t k = 0; k < record.segmentCount; ++k) {
      const BasicGraphSegment* segment = SegmentAt(data, record.firstSegment + k);
      if (segment == nullptr || segment->count < 1) continue;
      const auto [x0, x1] = extents[static_cast<size_t>(k)];
      QRect cell(x0, bar.top(), x1 - x0, bar.height());
      if (segment->color != -1) painter.fillRect(cell, FromColorRef(segment->color));
      if ((segment->options & kGraphOptionOutlined) != 0) {
        const bool last = k == record.segmentCount - 1;
        DrawFrames(painter, last ? cell.adjusted(0, 0, lx, 0) : cell, frames, Qt::black);
      }
      const QString& text = style.percent ? segment->percentText : segment->countText;
      if (metrics.horizontalAdvance(text) + 2 * style.LineX() <= cell.width())
        painter.drawText(cell, Qt::AlignCenter, text);
    }
    if (plan.marked)
      painter.drawText(QRect(area.right() + 1 + lx + 6 * style.FactorX(), bar.top(),
                             metrics.horizontalAdvance(SetMark(data.alternativeSetCount)) + m, bar.height()),
                       Qt::AlignLeft | Qt::AlignVCenter, SetMark(record.alternativeSet));
  }

  // The value axis: the line at the left edge, the baseline, the ticks at
  // the fifths and their labels.
  painter.fillRect(QRect(area.left() - lx, area.top(), lx, plan.baseline + m - area.top()), Qt::black);
  painter.fillRect(QRect(area.left() - lx, plan.baseline, area.width() + lx + 1, ly), Qt::black);
  for (int k = 0; k <= 5; ++k) {
    const int x = area.left() + area.width() * k / 5;
    painter.fillRect(QRect(x - lx / 2, plan.baseline, lx, m / 2 + ly), Qt::black);
    const QString label = style.locale.toString(k * 20);
    const int width = metrics.horizontalAdvance(label);
    painter.drawText(QRect(x - width / 2, plan.baseline + m, width + 1, metrics.height()), Qt::AlignLeft, label);
  }
  DrawFooting(painter, rect, plan.footing, data, style);
}

// ---------------------------------------------------------------- kind 1

int32_t SegmentValue(const BasicGraphSegment& segment, bool percent) { return percent ? segment.share : segment.count; }

struct HistogramPlan {
  bool fits = false;
  Heading heading;
  Footing footing;
  QRect plot;  // value 0 at the bottom edge, 5 steps at the top
  int axisX = 0;
  int labelHeight = 0;
  int64_t step = 1;
};

HistogramPlan PlanHistogram(const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style) {
  HistogramPlan plan;
  const QFontMetrics metrics(ArialPixels(14 * style.FactorY()));
  const QFontMetrics titleMetrics(ArialPixels(24 * style.FactorY()));
  const int m = 6 * style.FactorY();
  plan.heading = LayOutHeading(rect, data, titleMetrics, metrics, m);
  plan.footing = LayOutFooting(rect, data, style, metrics, m);
  int32_t largest = 0;
  for (const BasicGraphSegment& segment : data.segments)
    largest = std::max(largest, SegmentValue(segment, style.percent));
  plan.step = HistogramStep(largest);
  // The value scale's width: "100" or the widest tick label.
  int scaleWidth = metrics.horizontalAdvance(QStringLiteral("100"));
  for (int k = 0; k <= 5; ++k) {
    const double value = style.percent ? static_cast<double>(plan.step * k) / 10.0 : static_cast<double>(plan.step * k);
    scaleWidth =
        std::max(scaleWidth, metrics.horizontalAdvance(QLatin1Char(' ') + style.locale.toString(value, 'f', 0)));
  }
  plan.axisX = rect.left() + metrics.height() + m + scaleWidth + m;
  const int n = static_cast<int>(data.bars.size());
  const int right = rect.right() + 1 - m;
  const int groupWidth = n > 0 ? (right - plan.axisX - style.LineX()) / n : 0;
  for (const BasicGraphBar& bar : data.bars)
    plan.labelHeight = std::max(plan.labelHeight, WrappedHeight(metrics, groupWidth, bar.label));
  plan.labelHeight = std::min(plan.labelHeight, 3 * metrics.lineSpacing() + 1);
  const int top = plan.heading.bottom + m + metrics.height() / 2;
  const int baseline = plan.footing.top - m - plan.labelHeight - m;
  plan.plot = QRect(plan.axisX + style.LineX(), top, right - plan.axisX - style.LineX(), baseline - top);
  if (n == 0 || plan.plot.height() < 2 * metrics.height()) return plan;
  for (const BasicGraphBar& bar : data.bars)
    if (bar.segmentCount > 0 && groupWidth * 4 / 5 / bar.segmentCount < 1) return plan;
  plan.fits = groupWidth >= 1;
  return plan;
}

void DrawHistogram(QPainter& painter, const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style,
                   const HistogramPlan& plan) {
  const QFont font = ArialPixels(14 * style.FactorY());
  const QFontMetrics metrics(font);
  const int m = 6 * style.FactorY();
  const int lx = style.LineX();
  const int ly = style.LineY();
  painter.setPen(Qt::black);
  DrawHeading(painter, plan.heading, data, ArialPixels(24 * style.FactorY()), font);
  painter.setFont(font);
  const QRect& plot = plan.plot;
  const int baseline = plot.bottom() + 1;
  const int n = static_cast<int>(data.bars.size());
  const int groupWidth = plot.width() / n;
  const double top = static_cast<double>(plan.step) * 5.0;
  const bool marked = data.alternativeSetCount > 1;
  for (int i = 0; i < n; ++i) {
    const BasicGraphBar& bar = data.bars[static_cast<size_t>(i)];
    const int groupLeft = plot.left() + i * groupWidth;
    if (bar.segmentCount > 0) {
      const int columnWidth = groupWidth * 4 / 5 / bar.segmentCount;
      const int start = groupLeft + (groupWidth - columnWidth * bar.segmentCount) / 2;
      for (int32_t k = 0; k < bar.segmentCount; ++k) {
        const BasicGraphSegment* segment = SegmentAt(data, bar.firstSegment + k);
        if (segment == nullptr) continue;
        const double value = std::min<double>(SegmentValue(*segment, style.percent), top);
        const int height = static_cast<int>(plot.height() * value / top + 0.5);
        if (height <= 0 || segment->color == -1) continue;
        painter.fillRect(QRect(start + k * columnWidth, baseline - height, columnWidth, height),
                         FromColorRef(segment->color));
      }
    }
    const QString label = marked ? SetMark(bar.alternativeSet) + QLatin1Char(' ') + bar.label : bar.label;
    painter.save();
    const QRect labelRect(groupLeft, baseline + ly + m, groupWidth, plan.labelHeight);
    painter.setClipRect(labelRect);
    painter.drawText(labelRect, Qt::AlignHCenter | Qt::AlignTop | kWrap, label);
    painter.restore();
  }
  // The axis with 6 labelled ticks and its caption, written vertically.
  painter.fillRect(QRect(plan.axisX, plot.top(), lx, baseline - plot.top() + ly), Qt::black);
  painter.fillRect(QRect(plan.axisX, baseline, plot.right() + 1 - plan.axisX, ly), Qt::black);
  for (int k = 0; k <= 5; ++k) {
    const int y = baseline - plot.height() * k / 5;
    painter.fillRect(QRect(plan.axisX - m / 2, y, m / 2, ly), Qt::black);
    const double value = style.percent ? static_cast<double>(plan.step * k) / 10.0 : static_cast<double>(plan.step * k);
    const QString label = QLatin1Char(' ') + style.locale.toString(value, 'f', 0);
    painter.drawText(QRect(rect.left(), y - metrics.height() / 2, plan.axisX - m / 2 - rect.left(), metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, label);
  }
  const QString caption = data.swedishDocument ? (style.percent ? QStringLiteral("Procent") : QStringLiteral("Antal"))
                                               : (style.percent ? QStringLiteral("Percent") : QStringLiteral("Number"));
  painter.save();
  painter.translate(rect.left(), plot.top() + plot.height() / 2);
  painter.rotate(-90);
  painter.drawText(QRect(-plot.height() / 2, 0, plot.height(), metrics.height()), Qt::AlignCenter, caption);
  painter.restore();
  DrawFooting(painter, rect, plan.footing, data, style);
}

}  // namespace

int32_t HistogramStep(int32_t largest) {
  static constexpr int32_t kSteps[] = {1, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000, 2500, 5000, 10000};
  for (const int32_t step : kSteps)
    if (static_cast<int64_t>(step) * 5 >= largest) return step;
  // Beyond the table the steps go on as 25, 50 and 100 times a power of
  // ten, so that the axis always holds the largest value.
  for (int64_t power = 1000; power <= 1000000000LL; power *= 10)
    for (const int64_t step : {25 * power, 50 * power, 100 * power})
      if (step * 5 >= largest) return static_cast<int32_t>(step);
  return 1000000000;
}

std::vector<std::pair<int32_t, int32_t>> SegmentExtents(const QRect& bar, const BasicGraphData& data,
                                                        const BasicGraphBar& record) {
  std::vector<std::pair<int32_t, int32_t>> extents;
  const int32_t scale = data.scale > 0 ? data.scale : kBasicGraphScale;
  const int32_t right = bar.left() + bar.width();
  int64_t running = 0;
  int32_t start = bar.left();
  for (int32_t k = 0; k < record.segmentCount; ++k) {
    const BasicGraphSegment* segment = SegmentAt(data, record.firstSegment + k);
    running += segment != nullptr ? segment->share : 0;
    int32_t end = k == record.segmentCount - 1
                      ? right
                      : static_cast<int32_t>(bar.left() + static_cast<int64_t>(bar.width()) * running / scale + 1);
    end = std::clamp(end, start, right);
    extents.emplace_back(start, end);
    start = end;
  }
  return extents;
}

FractionLayout LayOutFractionGraph(const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style) {
  return PlanFraction(rect, data, style).layout;
}

bool BasicGraphFits(const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style) {
  if (rect.width() <= 0 || rect.height() <= 0) return false;
  return data.kind == kFractionGraph ? PlanFraction(rect, data, style).layout.fits
                                     : PlanHistogram(rect, data, style).fits;
}

bool DrawBasicGraph(QPainter& painter, const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style) {
  if (rect.width() <= 0 || rect.height() <= 0) return false;
  painter.save();
  bool fits = false;
  if (data.kind == kFractionGraph) {
    const FractionPlan plan = PlanFraction(rect, data, style);
    fits = plan.layout.fits;
    if (fits) DrawFraction(painter, rect, data, style, plan);
  } else {
    const HistogramPlan plan = PlanHistogram(rect, data, style);
    fits = plan.fits;
    if (fits) DrawHistogram(painter, rect, data, style, plan);
  }
  painter.restore();
  return fits;
}

bool DrawBasicGraphScaled(QPainter& painter, const QRect& rect, double deviceDpi, const BasicGraphData& data,
                          const BasicGraphStyle& style) {
  if (deviceDpi <= 0) return false;
  const double factor = deviceDpi / 96.0;
  const QRect logical(0, 0, static_cast<int>(rect.width() / factor), static_cast<int>(rect.height() / factor));
  if (!BasicGraphFits(logical, data, style)) return false;
  painter.save();
  painter.translate(rect.topLeft());
  painter.scale(factor, factor);
  const bool drawn = DrawBasicGraph(painter, logical, data, style);
  painter.restore();
  return drawn;
}

}  // namespace kvf
