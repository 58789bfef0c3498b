#pragma once
// The one drawing routine of the basic graphs: a histogram (kind 1) or a
// fraction graph (kind 2) of BasicGraphData drawn into a rectangle of any
// QPainter (the window, the EMF and WMF paint devices, PNG, SVG, PDF, a
// printer). The graph is laid out completely before anything is drawn, so
// a graph that does not fit its rectangle draws nothing and reports false.
//
// Units are the painter's pixels. Fonts are "Arial" at pixel sizes (14 × v
// for texts, 24 × v for the fraction graph's title), v the vertical pixel
// factor, so a layout is the same on every target of the same resolution.
#include <QLocale>
#include <QRect>
#include <cstdint>
#include <vector>

#include "core/graphs/BasicGraph.h"

class QPainter;

namespace kvf {

struct BasicGraphStyle {
  // Pixel factors of the screen (its dots per inch / 96, rounded) and the
  // system border width and height times them.
  int32_t pixelFactorX = 1;
  int32_t pixelFactorY = 1;
  int32_t lineWidthX = 1;
  int32_t lineWidthY = 1;
  // 0 for the screen and the printer; 2 for Copy and Save As. At a scale
  // above 1 every length is that many times larger and outlines are drawn
  // as that many nested one-pixel frames.
  int32_t scale = 0;
  // Segment texts and histogram heights in percent instead of counts.
  bool percent = false;
  QLocale locale = QLocale::system();

  // The effective factors: the pixel factors times the scale (at least 1).
  int32_t FactorX() const { return pixelFactorX * (scale > 1 ? scale : 1); }
  int32_t FactorY() const { return pixelFactorY * (scale > 1 ? scale : 1); }
  int32_t LineX() const { return lineWidthX * (scale > 1 ? scale : 1); }
  int32_t LineY() const { return lineWidthY * (scale > 1 ? scale : 1); }
};

// Draws the graph into rect; false (and nothing drawn) when it does not fit.
bool DrawBasicGraph(QPainter& painter, const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style);
// Draws the graph on a device of another resolution (a printer): rect is in
// the device's pixels, and the graph is laid out as on a 96-dpi screen in
// the rectangle of the same physical size, then scaled onto the device.
bool DrawBasicGraphScaled(QPainter& painter, const QRect& rect, double deviceDpi, const BasicGraphData& data,
                          const BasicGraphStyle& style);
// Whether the graph fits rect, without drawing.
bool BasicGraphFits(const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style);

// The histogram's value step: the smallest of 1, 5, 10, 20, 25, 50, 100,
// 200, 250, 500, 1000, 2500, 5000, 10000 that is at least largest / 5 (the
// largest of 10000 for anything larger); the axis ends at 5 × step.
int32_t HistogramStep(int32_t largest);

// The fraction graph's layout in a rectangle (kind 2), for the window's
// sizes and for tests.
struct FractionLayout {
  bool fits = false;
  QRect barArea;  // from the first bar's top band to the baseline
  int32_t barHeight = 0;
  int32_t margin = 0;  // m = 6 × v
  std::vector<QRect> bars;
  // The height of everything but the bars themselves: the client height of
  // n bars of thickness t is n × t + fixedHeight.
  int32_t fixedHeight = 0;
};
FractionLayout LayOutFractionGraph(const QRect& rect, const BasicGraphData& data, const BasicGraphStyle& style);

// The horizontal extents of a bar's segments: segment k ends at left +
// width × (running sum of the shares) / scale + 1; the last ends at the
// bar's right end (exclusive ends).
std::vector<std::pair<int32_t, int32_t>> SegmentExtents(const QRect& bar, const BasicGraphData& data,
                                                        const BasicGraphBar& record);

}  // namespace kvf
