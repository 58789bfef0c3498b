#pragma once
// The main window's client area: the screen sheet image shown through two
// scroll bars, with the header rows frozen while the answer rows scroll and
// a thin decoration frame around it.
//
// DesignSheetView fits the bars to the area and the sheet (call it after a
// new sheet and on every resize); painting asks the sheet state to draw
// the visible regions (RepaintSheet, SheetState::PaintRegion) into a canvas
// of the area's size, the only pixels kept. The sheet state is owned by
// the main window and must outlive this widget's use of it.
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <QWidget>
#include <functional>

#include "app/mainwindow/SheetHitTest.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SheetView.h"

namespace kvf::app {

class SheetArea : public QWidget {
  Q_OBJECT
 public:
  explicit SheetArea(QWidget* parent = nullptr);

  // REQUIRES: state outlives this widget (or is replaced first).
  void SetSheet(const SheetState* state) { sheet_ = state; }
  void DesignSheetView();

  QScrollBar* Vertical() const { return vertical_; }
  QScrollBar* Horizontal() const { return horizontal_; }
  SheetScroll Scroll() const;
  SheetGrid Grid() const;
  const SheetViewLayout& Layout() const { return layout_; }
  // With KVF_SHEET_TIMING set in the environment: starts a clock now and
  // writes one line to standard error when a sheet is next painted (how
  // long a document took from the start of loading to its first sheet).
  // on false stops the clock (the load failed).
  void TimeNextSheet(bool on);

 Q_SIGNALS:
  void Resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  SheetViewInput Input() const;
  void PaintSheet(QPainter& painter, const QRect& exposed);
  static void ApplyBar(QScrollBar* bar, const ScrollBarLayout& layout);

  const SheetState* sheet_ = nullptr;
  QScrollBar* vertical_;
  QScrollBar* horizontal_;
  SheetViewLayout layout_;
  QImage canvas_;             // Format_RGB32, the area's size
  QElapsedTimer sheetClock_;  // running while a sheet is awaited (TimeNextSheet)
};

}  // namespace kvf::app
