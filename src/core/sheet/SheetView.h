#pragma once
// How the screen image of the sheet is shown in a window: the scroll bars
// that fit the window to the sheet (DesignSheetView) and the rectangles
// copied from the image into the window (RepaintSheet). Pure arithmetic;
// the main window and the mini-overview apply the results to their
// controls.
//
// Units: pixels, except scroll values, which count whole columns
// (horizontal) and whole answer rows (vertical). The sheet's pixel (0, 0)
// shows at window pixel (1, 1).
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

namespace kvf {

struct SheetViewInput {
  // The window.
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  int32_t statusBarHeight = 0;
  int32_t verticalBarWidth = 0;     // the system's scroll-bar width
  int32_t horizontalBarHeight = 0;  // the system's scroll-bar height
  // The sheet.
  int64_t sheetWidth = 0;
  int64_t sheetHeight = 0;
  int32_t cellSize = 16;
  int32_t rowHeight = 16;
  int32_t frozenColumns = 0;
  int32_t headerRowCount = 1;  // the frozen rows
  // The bars as they are now.
  bool horizontalVisible = false;
  int32_t horizontalValue = 0;
  bool verticalVisible = false;
  int32_t verticalValue = 0;
};

struct ScrollBarLayout {
  bool visible = false;
  QRect geometry;  // in the window
  int32_t max = 0;
  int32_t largeChange = 1;
  int32_t value = 0;  // kept from a visible bar (limited to max), 0 for a bar that appears
};

struct SheetViewLayout {
  int32_t availableWidth = 0;   // W: client width - 2
  int32_t availableHeight = 0;  // H: client height - status bar - 2
  ScrollBarLayout horizontal;
  ScrollBarLayout vertical;
};

// Fits the scroll bars: a bar is needed when the sheet does not fit beside
// the other bar; scroll units are whole columns and answer rows.
// REQUIRES: cellSize > 0 and rowHeight > 0.
SheetViewLayout DesignSheetView(const SheetViewInput& input);

struct SheetCopy {
  QRect source;   // in the sheet image
  QPoint target;  // top-left in the window
};

// What RepaintSheet does: plain copies from the image, then strips filled
// with the button-face colour where the sheet ends inside the window.
struct SheetRepaint {
  std::vector<SheetCopy> copies;  // header rows first, then frozen columns, then the body
  std::vector<QRect> buttonFaceStrips;
};

// The copies for the bars of layout (values as in the layout). Empty
// copies are left out.
SheetRepaint RepaintSheet(const SheetViewInput& input, const SheetViewLayout& layout);

}  // namespace kvf
