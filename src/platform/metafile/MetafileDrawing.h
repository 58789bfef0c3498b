#pragma once
// The recorded drawing that the metafile paint devices keep: a display list
// in device pixels, with everything a GDI metafile needs already resolved
// (rounded coordinates, solid colours, pixel font heights, per-character
// advances). The EMF and the WMF writer both serialise this one list, so
// the two files always show the same picture.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QVector>

#include <variant>

class QScreen;

namespace kvf::platform {

// The reference device a metafile is made for: its size in pixels and in
// millimetres (the GDI HORZRES/VERTRES and HORZSIZE/VERTSIZE), and the
// resolution text is laid out at (the screen's logical dots per inch). The
// frame of an enhanced metafile and the resolution the paint devices report
// are derived from it.
struct MetafileReference {
  QSize pixels{1920, 1440};
  QSize millimetres{508, 381};
  int logicalDpiX = 96;
  int logicalDpiY = 96;

  // A reference of exactly dpiX × dpiY dots per inch, physical and logical:
  // 20 × 15 inches, i.e. dpiX × 20 by dpiY × 15 pixels on 508 × 381 mm.
  // REQUIRES: dpiX, dpiY > 0.
  static MetafileReference ForResolution(int dpiX, int dpiY);

  // The screen as reference: its size in pixels, its physical size in mm
  // (rounded, as GDI reports it) and its logical resolution. Without a
  // screen, on a headless platform ("offscreen", "minimal"), or when the
  // screen does not know its size: ForResolution(96, 96).
  static MetafileReference ForScreen(const QScreen* screen);

  // Physical dots per inch along each axis (pixels over millimetres),
  // rounded; 96 when the reference is empty.
  int PhysicalDpiX() const;
  int PhysicalDpiY() const;

  // A size in pixels of this device expressed in 0.01 mm, each axis
  // millimetres × pixels × 100 / resolution, rounded to the nearest integer.
  QSize HundredthsOfMillimetre(const QSize& sizePixels) const;
};

// A pen as GDI knows it. style is Qt::NoPen for the null pen; dashed
// styles map to the GDI dash styles, everything else draws solid.
struct MetaPen {
  Qt::PenStyle style = Qt::NoPen;
  int width = 1;  // pixels, at least 1
  QRgb color = 0;  // alpha ignored
  bool operator==(const MetaPen&) const = default;
};

// A solid brush, or the null brush.
struct MetaBrush {
  bool solid = false;
  QRgb color = 0;  // alpha ignored
  bool operator==(const MetaBrush&) const = default;
};

// A font by face, em height in pixels and weight (GDI weights, 400 normal,
// 700 bold).
struct MetaFont {
  QString family;
  int pixelHeight = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const MetaFont&) const = default;
};

// An exact fill of rect (all its pixels, right and bottom edge included).
struct MetaFill {
  QRect rect;
  QRgb color = 0;
};

// Lines and areas. Polylines are drawn with the pen only; polygons are
// outlined with the pen and filled with the brush under the fill rule;
// an ellipse fills and outlines the ellipse inscribed in rect.
struct MetaShape {
  enum class Kind { Polyline, Polygons, Ellipse };
  Kind kind = Kind::Polyline;
  QVector<QPoint> points;
  QVector<int> polygonSizes;  // Polygons: points per polygon, summing to points.size()
  QRect rect;                 // Ellipse
  MetaPen pen;
  MetaBrush brush;
  bool winding = false;  // Polygons: non-zero winding instead of alternate
};

// One run of text on one line. origin is the left end of the baseline;
// advances holds one whole-pixel advance per UTF-16 unit (they add up to
// the run's rounded width). box is the run's ink-free bounding box (origin
// minus ascent to origin plus descent) used for the records' bounds.
struct MetaText {
  QPoint origin;
  QString text;
  QVector<int> advances;
  MetaFont font;
  QRgb color = 0;
  QRect box;
};

// A raster image stretched over dest.
struct MetaImage {
  QRect dest;
  QImage image;  // Format_RGB32 or Format_ARGB32, never null
};

// The clip for the items that follow: off, or the pixels of rect (empty:
// nothing is drawn). Clips of other shapes are kept as their bounding box.
struct MetaClip {
  bool enabled = false;
  QRect rect;
};

using MetaItem = std::variant<MetaFill, MetaShape, MetaText, MetaImage, MetaClip>;

// The whole picture: its size in pixels and the items in drawing order.
struct MetafileDrawing {
  QSize size;
  QVector<MetaItem> items;
};

// The bounds a metafile header carries for a picture of the given size:
// the inclusive device rectangle (0, 0) to (width - 1, height - 1).
QRect MetafileBounds(const QSize& size);

}  // namespace kvf::platform
