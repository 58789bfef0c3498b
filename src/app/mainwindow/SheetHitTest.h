#pragma once
// Which cell of the screen sheet a point of the main window's sheet area
// falls on (HitTestCell), shared by the pop-up menu and the hover update.
#include <QPointF>
#include <cstdint>

#include "core/sheet/SubSheet.h"

namespace kvf::app {

struct SheetScroll {
  bool horizontalVisible = false;
  int32_t horizontalValue = 0;  // whole columns
  bool verticalVisible = false;
  int32_t verticalValue = 0;    // whole answer rows
};

// The drawn sheet as the hit test sees it.
struct SheetGrid {
  int32_t cellSize = 16;
  int32_t rowHeight = 16;
  int32_t headerRowCount = 1;
  int32_t shownRowCount = 0;  // answer rows drawn
};

struct CellHit {
  bool inside = false;
  // A respondent (0 or more), or a header row: -1 the question row, -2 and
  // -3 the block rows (-headerRowCount is the topmost).
  int32_t rowItem = 0;
  int32_t column = -1;    // sheet column
  int32_t question = -1;  // the column's question
};

// Column c = round(x - 1) div cellSize (+ the horizontal value when that bar
// shows); row r = round(y - 1) div rowHeight - headerRowCount (+ the
// vertical value when r >= 0 and that bar shows). Outside when the column is
// negative or past the last column, or the answer row is past the last row
// drawn. An answer row's respondent is read through the sheet's per-column
// offsets when they are active (SubSheet::RespondentAt).
// REQUIRES: grid.cellSize > 0 and grid.rowHeight > 0.
CellHit HitTestCell(const SubSheet& sheet, const SheetGrid& grid, const SheetScroll& scroll, QPointF point);

}  // namespace kvf::app
