#pragma once
// The paint engine behind the metafile paint devices: it turns what a
// QPainter draws into the items of a MetafileDrawing.
//
// What arrives and what it becomes:
//   rectangles        exact fills (axis-aligned transforms) plus, with a pen,
//                     a closed outline; under rotation, polygons
//   lines, polylines  polylines with the pen
//   polygons, paths   polygons (curves flattened) filled under the fill rule,
//                     outlined with the pen
//   ellipses          ellipses (axis-aligned transforms), else polygons
//   text items        text runs on the baseline with per-character advances;
//                     rotated or sheared text becomes filled outlines
//   images, pixmaps   images (axis-aligned transforms only)
// Brushes are reduced to one solid colour (a gradient to its first stop);
// alpha is ignored except that fully transparent pens and brushes draw
// nothing. Clipping is recorded as a rectangle: the bounding box of the
// painter's clip, in device pixels.
#include <QHash>
#include <QPaintEngine>

#include "platform/metafile/MetafileDrawing.h"

namespace kvf::platform {

class MetafilePaintEngine final : public QPaintEngine {
 public:
  // The engine appends to drawing, which must outlive it. dpiY converts
  // point-sized fonts to pixels.
  MetafilePaintEngine(MetafileDrawing* drawing, int dpiY);

  bool begin(QPaintDevice* device) override;
  bool end() override;
  void updateState(const QPaintEngineState& state) override;
  Type type() const override;

  void drawRects(const QRectF* rects, int rectCount) override;
  void drawLines(const QLineF* lines, int lineCount) override;
  void drawEllipse(const QRectF& rect) override;
  void drawPath(const QPainterPath& path) override;
  void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
  void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override;
  void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags) override;
  void drawTextItem(const QPointF& position, const QTextItem& textItem) override;

 private:
  struct TextMetrics {
    QVector<int> advances;
    int ascent = 0;
    int descent = 0;
  };

  MetaPen CurrentPen() const;
  MetaBrush CurrentBrush() const;
  bool AxisAligned() const;
  // Appends a clip item when the painter's clip has changed since the last
  // one. Every draw call starts with it.
  void SyncClip();
  // One polygons item with the current brush, outlined with outline.
  void AddArea(const QList<QPolygonF>& polygons, bool winding, const MetaPen& outline);
  // One polyline per polygon with the current pen.
  void AddLines(const QList<QPolygonF>& polygons);
  const TextMetrics& Measure(const MetaFont& font, const QString& text);

  MetafileDrawing* drawing_;
  int dpiY_;
  QHash<QString, TextMetrics> measured_;
  bool clipDirty_ = true;
  MetaClip clip_;  // the clip recorded last
};

}  // namespace kvf::platform
