#include "app/mainwindow/SheetHitTest.h"

#include <cmath>

namespace kvf::app {

namespace {
// round(v - 1) divided by size, truncating toward zero; far-away points
// stay far away without overflowing.
int64_t GridIndex(double v, int32_t size) {
  const double rounded = std::nearbyint(v - 1.0);
  const double limited = std::fmax(-1e12, std::fmin(1e12, rounded));
  return static_cast<int64_t>(limited) / size;
}
}  // namespace

CellHit HitTestCell(const SubSheet& sheet, const SheetGrid& grid, const SheetScroll& scroll, QPointF point) {
  CellHit hit;
  if (!sheet.present || grid.cellSize <= 0 || grid.rowHeight <= 0) return hit;
  int64_t c = GridIndex(point.x(), grid.cellSize);
  if (c < 0) return hit;
  if (scroll.horizontalVisible) c += scroll.horizontalValue;
  if (c >= static_cast<int64_t>(sheet.columns.size())) return hit;
  hit.column = static_cast<int32_t>(c);
  hit.question = sheet.columns[static_cast<size_t>(c)];

  int64_t r = GridIndex(point.y(), grid.rowHeight) - grid.headerRowCount;
  if (r >= 0) {
    if (scroll.verticalVisible) r += scroll.verticalValue;
    if (r >= grid.shownRowCount) return hit;
    const int32_t respondent = sheet.RespondentAt(static_cast<int32_t>(r), hit.column);
    if (respondent < 0) return hit;
    hit.rowItem = respondent;
  } else {
    if (r < -grid.headerRowCount) return hit;
    hit.rowItem = static_cast<int32_t>(r);
  }
  hit.inside = true;
  return hit;
}

}  // namespace kvf::app
