#include "core/sheet/SheetView.h"

#include <algorithm>
#include <limits>

namespace kvf {

namespace {

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int64_t CeilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

void PlaceValue(ScrollBarLayout& bar, bool wasVisible, int32_t oldValue) {
  bar.value = wasVisible ? std::clamp(oldValue, 0, bar.max) : 0;
}

QRect Span(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  return QRect(QPoint(Clamp32(left), Clamp32(top)), QPoint(Clamp32(right - 1), Clamp32(bottom - 1)));
}

}  // namespace

SheetViewLayout DesignSheetView(const SheetViewInput& in) {
  SheetViewLayout out;
  const int32_t w = in.clientWidth - 2;
  const int32_t h = in.clientHeight - in.statusBarHeight - 2;
  out.availableWidth = w;
  out.availableHeight = h;
  const int64_t sw = in.sheetWidth;
  const int64_t sh = in.sheetHeight;
  const int32_t v = in.verticalBarWidth;
  const int32_t hb = in.horizontalBarHeight;

  bool hNeeded = sw > w;
  const bool vNeeded = sh > int64_t{h} - (hNeeded ? hb : 0);
  if (vNeeded && !hNeeded) hNeeded = sw > int64_t{w} - v;
  const int32_t vPrime = vNeeded ? v : 0;
  const int32_t hPrime = hNeeded ? hb : 0;

  if (hNeeded) {
    ScrollBarLayout& bar = out.horizontal;
    bar.visible = true;
    bar.geometry = QRect(1, h + 1 - hb, vNeeded ? w + 1 - v : w, hb);
    bar.max = std::max(1, Clamp32(CeilDiv(sw - (int64_t{w} - vPrime), in.cellSize)));
    bar.largeChange = std::clamp((w - vPrime) / in.cellSize - in.frozenColumns, 1, bar.max);
    PlaceValue(bar, in.horizontalVisible, in.horizontalValue);
  }
  if (vNeeded) {
    ScrollBarLayout& bar = out.vertical;
    bar.visible = true;
    bar.geometry = QRect(w + 1 - v, 1, v, h - hPrime);
    bar.max = std::max(1, Clamp32(CeilDiv(sh - (int64_t{h} - hPrime), in.rowHeight)));
    bar.largeChange = std::clamp((h - hPrime) / in.rowHeight - in.headerRowCount, 1, bar.max);
    PlaceValue(bar, in.verticalVisible, in.verticalValue);
  }
  return out;
}

SheetRepaint RepaintSheet(const SheetViewInput& in, const SheetViewLayout& layout) {
  SheetRepaint out;
  const int64_t w = layout.availableWidth - (layout.vertical.visible ? in.verticalBarWidth : 0);
  const int64_t h = layout.availableHeight - (layout.horizontal.visible ? in.horizontalBarHeight : 0);
  const int64_t c = in.cellSize;
  const int64_t r = in.rowHeight;
  const int64_t hv = layout.horizontal.visible ? layout.horizontal.value : 0;
  const int64_t vv = layout.vertical.visible ? layout.vertical.value : 0;
  const int64_t fc = in.frozenColumns;
  const int64_t fr = in.headerRowCount;
  const int64_t fw = fc * c;
  const int64_t fh = fr * r;
  const int64_t sourceX = c * (hv + fc);
  const int64_t sourceY = r * (vv + fr);

  const int64_t bw = std::max<int64_t>(0, std::min(in.sheetWidth - sourceX, w - fw));
  const int64_t bh = std::max<int64_t>(0, std::min(in.sheetHeight - sourceY, h - fh));
  auto add = [&out](int64_t x, int64_t y, int64_t width, int64_t height, int64_t toX, int64_t toY) {
    if (width <= 0 || height <= 0) return;
    out.copies.push_back({Span(x, y, x + width, y + height), QPoint(Clamp32(toX), Clamp32(toY))});
  };
  add(sourceX, 0, bw, fh, fw + 1, 1);
  add(0, sourceY, fw, std::min(in.sheetHeight - sourceY, h - fh), 1, fh + 1);
  add(sourceX, sourceY, bw, bh, fw + 1, fh + 1);
  if (fw + bw < w) out.buttonFaceStrips.push_back(Span(fw + 1 + bw, 1, w + 1, h + 1));
  if (fh + bh < h) out.buttonFaceStrips.push_back(Span(1, fh + 1 + bh, w + 1, h + 1));
  return out;
}

}  // namespace kvf
