#include "app/mainwindow/StatusLine.h"

#include <QEvent>

#include "core/text/Language.h"

namespace kvf::app {

StatusLine::StatusLine(QStatusBar* bar)
    : QObject(bar),
      bar_(bar),
      activity_(new QLabel(bar)),
      count_(new QLabel(bar)),
      selection_(new QLabel(bar)),
      clearTimer_(new QTimer(bar)) {
  bar_->setObjectName(QStringLiteral("statusBar"));
  activity_->setObjectName(QStringLiteral("activityPanel"));
  count_->setObjectName(QStringLiteral("countPanel"));
  selection_->setObjectName(QStringLiteral("selectionPanel"));
  bar_->addWidget(activity_, 3);
  bar_->addPermanentWidget(count_, 0);
  bar_->addPermanentWidget(selection_, 2);
  count_->hide();
  selection_->hide();
  bar_->setSizeGripEnabled(true);
  bar_->setMouseTracking(true);
  clearTimer_->setObjectName(QStringLiteral("clearStatusTimer"));
  clearTimer_->setSingleShot(true);
  clearTimer_->setInterval(kClearIntervalMs);
  connect(clearTimer_, &QTimer::timeout, this, &StatusLine::ClearStatus);
  for (QWidget* watched : {static_cast<QWidget*>(bar_), static_cast<QWidget*>(activity_),
                           static_cast<QWidget*>(count_), static_cast<QWidget*>(selection_)}) {
    watched->setMouseTracking(true);
    watched->installEventFilter(this);
  }
  ApplyLanguage(false);
}

void StatusLine::SetStatus(const BiText& status, bool autoClear) {
  clearTimer_->stop();
  activity_->setText(status.Get());
  if (autoClear) clearTimer_->start();
}

void StatusLine::ClearStatus() {
  clearTimer_->stop();
  activity_->clear();
}

void StatusLine::SetSelection(const QString& count, const QString& description) {
  count_->setText(QStringLiteral(" ") + count);
  selection_->setText(QStringLiteral(" ") + description);
}

void StatusLine::SetSelectionPanelsVisible(bool visible) {
  count_->setVisible(visible);
  selection_->setVisible(visible);
}

void StatusLine::SetSelectionTips(const QString& countTip, const QString& selectionTip) {
  count_->setToolTip(countTip);
  selection_->setToolTip(selectionTip);
}

void StatusLine::ApplyLanguage(bool swedish) {
  const BiText activity{QStringLiteral("Current activity"), QStringLiteral("Aktuell aktivitet")};
  const BiText count{QStringLiteral("Items in current selection"), QStringLiteral("Antal i aktuellt urval")};
  const BiText selection{QStringLiteral("Current selection"), QStringLiteral("Aktuellt urval")};
  activity_->setToolTip(activity.Get(swedish));
  SetSelectionTips(count.Get(swedish), selection.Get(swedish));
}

QLabel* StatusLine::Panel(int index) const {
  switch (index) {
    case 0: return activity_;
    case 1: return count_;
    case 2: return selection_;
    default: return nullptr;
  }
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick && watched != bar_) Q_EMIT PanelDoubleClicked();
  if (event->type() == QEvent::MouseMove) Q_EMIT PointerMoved();
  return QObject::eventFilter(watched, event);
}

}  // namespace kvf::app
