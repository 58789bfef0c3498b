#pragma once
// A mini-overview: a modeless window that keeps a small, text-free picture
// (8-pixel cells) of the overview as it was when the user chose Copy to
// Mini-overview, so that several selections can be compared side by side.
// It shows the sheet through the same sheet area as the main window (its
// own view design and region painting, scroll bars, the frame lines) and
// scrolls with the wheel as the main window does, in the direction the
// main window's pop-up chose.
//
// Closing the window empties it (RemoveData) and hides it; the pool that
// made it reuses it for the next copy.
//
// Ownership: the window owns its snapshot; it is a top-level window owned
// by the main window's pool.
#include <QWidget>
#include <functional>
#include <memory>

#include "app/mainwindow/SheetArea.h"
#include "app/mainwindow/WheelScroll.h"
#include "core/sheet/SheetSnapshot.h"

namespace kvf::app {

class MiniOverviewWindow : public QWidget {
  Q_OBJECT
 public:
  // horizontalWheel tells whether the wheel scrolls horizontally now.
  explicit MiniOverviewWindow(std::function<bool()> horizontalWheel = {});

  // Shows snapshot with description as the caption: removes what the
  // window held, clears both scroll positions and sizes the window
  // (MiniOverviewSizing.h).
  void InitializeData(std::shared_ptr<const SheetSnapshot> snapshot, const QString& description);
  void RemoveData();
  bool HasData() const { return snapshot_ != nullptr; }
  SheetArea* Sheet() const { return area_; }

  // Wheel scrolling (delta: 120 per notch), as the main window's.
  void WheelMoved(int32_t delta, int32_t scrollLines);
  void WheelTilted(int32_t delta, int32_t scrollChars);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool()> horizontalWheel_;
  std::shared_ptr<const SheetSnapshot> snapshot_;
  SheetState empty_;
  SheetArea* area_;
  WheelSettings wheel_;
  int32_t accumulators_[2] = {0, 0};
};

}  // namespace kvf::app
