#include "platform/metafile/MetafilePaintEngine.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPixmap>
#include <QTextLayout>

#include <cmath>

namespace kvf::platform {

namespace {

int Round(qreal value) { return static_cast<int>(std::lround(value)); }

QPoint RoundPoint(const QPointF& point) { return QPoint(Round(point.x()), Round(point.y())); }

// The pixels a rectangle covers once its edges are rounded; empty when it
// covers none.
QRect RoundRect(const QRectF& rect) {
  const QRectF r = rect.normalized();
  const int left = Round(r.left());
  const int top = Round(r.top());
  const int right = Round(r.right());
  const int bottom = Round(r.bottom());
  if (right <= left || bottom <= top) return {};
  return QRect(left, top, right - left, bottom - top);
}

QColor BrushColor(const QBrush& brush) {
  if (const QGradient* gradient = brush.gradient(); gradient && !gradient->stops().isEmpty())
    return gradient->stops().first().second;
  return brush.color();
}

}  // namespace

MetafilePaintEngine::MetafilePaintEngine(MetafileDrawing* drawing, int dpiY)
    : QPaintEngine(AllFeatures), drawing_(drawing), dpiY_(dpiY > 0 ? dpiY : 96) {}

bool MetafilePaintEngine::begin(QPaintDevice*) {
  setActive(true);
  clipDirty_ = true;
  return true;
}

bool MetafilePaintEngine::end() {
  if (clip_.enabled) {
    clip_ = MetaClip{};
    drawing_->items.append(clip_);  // the next painter starts unclipped
  }
  setActive(false);
  return true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState& changed) {
  // Draw calls read the pen, brush, font and transform themselves; the clip
  // is worked out again only when it or the transform has changed.
  if (changed.state() & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled | DirtyTransform)) clipDirty_ = true;
}

void MetafilePaintEngine::SyncClip() {
  if (!clipDirty_) return;
  clipDirty_ = false;
  MetaClip clip;
  const QPainter* p = painter();
  if (p && p->hasClipping()) {
    clip.enabled = true;
    const QRectF bounds = state->transform().mapRect(p->clipBoundingRect());
    clip.rect = RoundRect(bounds);
    if (clip.rect.isEmpty()) clip.rect = QRect();
  }
  if (clip.enabled == clip_.enabled && clip.rect == clip_.rect) return;
  clip_ = clip;
  drawing_->items.append(clip);
}

QPaintEngine::Type MetafilePaintEngine::type() const { return QPaintEngine::User; }

MetaPen MetafilePaintEngine::CurrentPen() const {
  const QPen pen = state->pen();
  const QColor color = pen.color();
  if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush || color.alpha() == 0) return {};
  MetaPen result;
  switch (pen.style()) {
    case Qt::DashLine:
    case Qt::DotLine:
    case Qt::DashDotLine:
    case Qt::DashDotDotLine:
      result.style = pen.style();
      break;
    default:
      result.style = Qt::SolidLine;
  }
  qreal width = pen.widthF();
  if (!pen.isCosmetic()) {
    const QTransform& t = state->transform();
    width *= std::sqrt(std::abs(t.determinant()));
  }
  result.width = std::max(1, Round(width));
  result.color = color.rgb();
  return result;
}

MetaBrush MetafilePaintEngine::CurrentBrush() const {
  const QBrush brush = state->brush();
  if (brush.style() == Qt::NoBrush) return {};
  const QColor color = BrushColor(brush);
  if (color.alpha() == 0) return {};
  return MetaBrush{true, color.rgb()};
}

bool MetafilePaintEngine::AxisAligned() const {
  const QTransform& t = state->transform();
  return t.type() <= QTransform::TxScale;
}

void MetafilePaintEngine::drawRects(const QRectF* rects, int rectCount) {
  SyncClip();
  const MetaPen pen = CurrentPen();
  const MetaBrush brush = CurrentBrush();
  const QTransform& t = state->transform();
  for (int i = 0; i < rectCount; ++i) {
    const QRectF& rect = rects[i];
    if (brush.solid) {
      if (AxisAligned()) {
        const QRect fill = RoundRect(t.mapRect(rect));
        if (!fill.isEmpty()) drawing_->items.append(MetaFill{fill, brush.color});
      } else {
        MetaShape shape;
        shape.kind = MetaShape::Kind::Polygons;
        for (const QPointF& p : t.map(QPolygonF(rect))) shape.points.append(RoundPoint(p));
        shape.polygonSizes.append(shape.points.size());
        shape.brush = brush;
        drawing_->items.append(shape);
      }
    }
    if (pen.style != Qt::NoPen) {
      MetaShape outline;
      outline.kind = MetaShape::Kind::Polyline;
      QPolygonF corners(rect);  // closed: five points
      if (corners.size() == 4) corners.append(corners.first());
      for (const QPointF& p : t.map(corners)) outline.points.append(RoundPoint(p));
      outline.pen = pen;
      drawing_->items.append(outline);
    }
  }
}

void MetafilePaintEngine::drawLines(const QLineF* lines, int lineCount) {
  SyncClip();
  const MetaPen pen = CurrentPen();
  if (pen.style == Qt::NoPen) return;
  const QTransform& t = state->transform();
  for (int i = 0; i < lineCount; ++i) {
    MetaShape shape;
    shape.kind = MetaShape::Kind::Polyline;
    shape.points = {RoundPoint(t.map(lines[i].p1())), RoundPoint(t.map(lines[i].p2()))};
    shape.pen = pen;
    drawing_->items.append(shape);
  }
}

void MetafilePaintEngine::drawEllipse(const QRectF& rect) {
  SyncClip();
  if (!AxisAligned()) {
    QPainterPath path;
    path.addEllipse(rect);
    drawPath(path);
    return;
  }
  MetaShape shape;
  shape.kind = MetaShape::Kind::Ellipse;
  shape.rect = RoundRect(state->transform().mapRect(rect));
  shape.pen = CurrentPen();
  shape.brush = CurrentBrush();
  if (shape.rect.isEmpty() || (shape.pen.style == Qt::NoPen && !shape.brush.solid)) return;
  drawing_->items.append(shape);
}

void MetafilePaintEngine::AddArea(const QList<QPolygonF>& polygons, bool winding, const MetaPen& outline) {
  MetaShape area;
  area.kind = MetaShape::Kind::Polygons;
  area.brush = CurrentBrush();
  area.pen = outline;
  area.winding = winding;
  if (!area.brush.solid && area.pen.style == Qt::NoPen) return;
  for (const QPolygonF& polygon : polygons) {
    if (polygon.size() < 2) continue;
    for (const QPointF& p : polygon) area.points.append(RoundPoint(p));
    area.polygonSizes.append(polygon.size());
  }
  if (!area.polygonSizes.isEmpty()) drawing_->items.append(area);
}

void MetafilePaintEngine::AddLines(const QList<QPolygonF>& polygons) {
  const MetaPen pen = CurrentPen();
  if (pen.style == Qt::NoPen) return;
  for (const QPolygonF& polygon : polygons) {
    if (polygon.size() < 2) continue;
    MetaShape line;
    line.kind = MetaShape::Kind::Polyline;
    line.pen = pen;
    for (const QPointF& p : polygon) line.points.append(RoundPoint(p));
    drawing_->items.append(line);
  }
}

void MetafilePaintEngine::drawPath(const QPainterPath& path) {
  SyncClip();
  // A path is filled as closed areas but stroked as drawn: open subpaths
  // stay open, closed ones already end on their first point.
  const QList<QPolygonF> polygons = path.toSubpathPolygons(state->transform());
  AddArea(polygons, path.fillRule() == Qt::WindingFill, MetaPen{});
  AddLines(polygons);
}

void MetafilePaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
  SyncClip();
  if (pointCount < 2) return;
  const QPolygonF polygon = state->transform().map(QPolygonF(QList<QPointF>(points, points + pointCount)));
  if (mode == PolylineMode)
    AddLines({polygon});
  else
    AddArea({polygon}, mode == WindingMode, CurrentPen());
}

void MetafilePaintEngine::drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) {
  drawImage(rect, pixmap.toImage(), source, Qt::AutoColor);
}

void MetafilePaintEngine::drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                                    Qt::ImageConversionFlags) {
  SyncClip();
  if (image.isNull() || !AxisAligned()) return;
  const QRect dest = RoundRect(state->transform().mapRect(rect));
  const QRect part = source.toAlignedRect().intersected(image.rect());
  if (dest.isEmpty() || part.isEmpty()) return;
  QImage copy = image.copy(part).convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                         : QImage::Format_RGB32);
  if (copy.isNull()) return;
  drawing_->items.append(MetaImage{dest, copy});
}

const MetafilePaintEngine::TextMetrics& MetafilePaintEngine::Measure(const MetaFont& font, const QString& text) {
  const QString key = QStringLiteral("%1|%2|%3|%4|%5").arg(font.family).arg(font.pixelHeight).arg(font.weight)
                          .arg(font.italic ? 1 : 0).arg(text);
  auto found = measured_.constFind(key);
  if (found != measured_.constEnd()) return *found;

  QFont qfont(font.family);
  qfont.setPixelSize(font.pixelHeight);
  qfont.setWeight(static_cast<QFont::Weight>(font.weight));
  qfont.setItalic(font.italic);
  TextMetrics metrics;
  const QFontMetricsF fm(qfont);
  metrics.ascent = Round(fm.ascent());
  metrics.descent = Round(fm.descent());

  // Cursor positions of the laid-out run give the real advances, kerning
  // included; rounding them cumulatively keeps the run's total width.
  QTextLayout layout(text, qfont);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  metrics.advances.resize(text.size());
  int previous = 0;
  for (int i = 0; i < text.size(); ++i) {
    const int next = line.isValid() ? Round(line.cursorToX(i + 1)) : previous;
    metrics.advances[i] = std::max(0, next - previous);
    previous = std::max(previous, next);
  }
  if (measured_.size() > 4096) measured_.clear();
  return *measured_.insert(key, metrics);
}

void MetafilePaintEngine::drawTextItem(const QPointF& position, const QTextItem& textItem) {
  SyncClip();
  const QString text = textItem.text();
  if (text.isEmpty() || state->pen().color().alpha() == 0) return;
  const QTransform& t = state->transform();
  const bool uniform = t.type() <= QTransform::TxScale && t.m11() > 0 && t.m22() > 0 &&
                       std::abs(t.m11() - t.m22()) < 1e-6;
  if (!uniform) {
    QPaintEngine::drawTextItem(position, textItem);
    return;
  }
  const QFont qfont = textItem.font();
  qreal pixels = qfont.pixelSize() > 0 ? qfont.pixelSize() : qfont.pointSizeF() * dpiY_ / 72.0;
  MetaText run;
  run.font.family = qfont.family().isEmpty() ? QStringLiteral("Arial") : qfont.family();
  run.font.pixelHeight = std::max(1, Round(pixels * t.m22()));
  run.font.weight = qfont.weight();
  run.font.italic = qfont.italic();
  run.font.underline = qfont.underline() || (textItem.renderFlags() & QTextItem::Underline);
  run.font.strikeOut = qfont.strikeOut() || (textItem.renderFlags() & QTextItem::StrikeOut);
  run.origin = RoundPoint(t.map(position));
  run.text = text;
  const TextMetrics& metrics = Measure(run.font, text);
  run.advances = metrics.advances;
  int width = 0;
  for (int advance : run.advances) width += advance;
  run.box = QRect(run.origin.x(), run.origin.y() - metrics.ascent, std::max(1, width),
                  std::max(1, metrics.ascent + metrics.descent));
  const QColor color = state->pen().color();
  run.color = color.rgb();
  drawing_->items.append(run);
}

}  // namespace kvf::platform
