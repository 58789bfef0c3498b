#pragma once
// Events of the main window's sheet view for the windows that follow it
// (the detail window). The document's own events come from the session
// (SessionObserver) and the view state (SheetObserver); these come from the
// screen: the pointer and the view's size.
#include "app/mainwindow/SheetHitTest.h"

namespace kvf::app {

class SheetViewObserver {
 public:
  virtual ~SheetViewObserver() = default;
  // The pointer rests on a cell inside the sheet (after the hover delay).
  virtual void CellHovered(const CellHit& hit) {}
  // The sheet view was designed again: after a new sheet and after every
  // resize of the sheet area, while a document is open.
  virtual void SheetViewDesigned() {}
};

}  // namespace kvf::app
