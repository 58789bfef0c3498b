#pragma once
// The main window's status bar: three panels, the first for the
// current activity (SetStatus/ClearStatus, with a 7-second auto-clear), the
// second for the size of the selection and the third for its description.
//
// Ownership: the panels and the timer are children of the status bar.
#include <QLabel>
#include <QObject>
#include <QStatusBar>
#include <QTimer>

#include "core/text/BiText.h"

namespace kvf::app {

class StatusLine : public QObject {
  Q_OBJECT
 public:
  static constexpr int kClearIntervalMs = 7000;

  // REQUIRES: bar outlives this object.
  explicit StatusLine(QStatusBar* bar);

  // Shows the text in the run's language; with autoClear the text goes away
  // after the clear interval unless replaced.
  void SetStatus(const BiText& status, bool autoClear);
  void ClearStatus();
  QString Text() const { return activity_->text(); }

  // Panels 2 and 3: " " + count and " " + description.
  void SetSelection(const QString& count, const QString& description);
  void SetSelectionPanelsVisible(bool visible);
  // Tool tips of panels 2 and 3 (the document's CountTip and SelectionTip,
  // or the program's own).
  void SetSelectionTips(const QString& countTip, const QString& selectionTip);
  void ApplyLanguage(bool swedish);

  QTimer* ClearTimer() const { return clearTimer_; }
  QLabel* Panel(int index) const;  // 0, 1 or 2

 Q_SIGNALS:
  void PanelDoubleClicked();
  void PointerMoved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QStatusBar* bar_;
  QLabel* activity_;
  QLabel* count_;
  QLabel* selection_;
  QTimer* clearTimer_;
};

}  // namespace kvf::app
