#include "app/output/MiniOverviewWindow.h"

#include <QCloseEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "app/output/MiniOverviewSizing.h"

namespace kvf::app {

namespace {
constexpr double kMinimumWidthTwips = 1000;
}

MiniOverviewWindow::MiniOverviewWindow(std::function<bool()> horizontalWheel)
    : QWidget(nullptr, Qt::Window), horizontalWheel_(std::move(horizontalWheel)) {
  setObjectName(QStringLiteral("MiniOverviewWindow"));
  area_ = new SheetArea(this);
  area_->SetSheet(&empty_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(area_);
  area_->installEventFilter(this);
  area_->Vertical()->installEventFilter(this);
  area_->Horizontal()->installEventFilter(this);
  const double twips = logicalDpiX() > 0 ? 1440.0 / logicalDpiX() : 15.0;
  setMinimumWidth(static_cast<int>(std::ceil(kMinimumWidthTwips / twips)));
  wheel_ = SystemWheelSettings();
}

void MiniOverviewWindow::InitializeData(std::shared_ptr<const SheetSnapshot> snapshot, const QString& description) {
  if (HasData()) RemoveData();
  snapshot_ = std::move(snapshot);
  area_->SetSheet(snapshot_ ? &snapshot_->Sheet() : &empty_);
  area_->Vertical()->setValue(0);
  area_->Horizontal()->setValue(0);
  setWindowTitle(description);
  if (snapshot_) {
    const SheetState& sheet = snapshot_->Sheet();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(MiniOverviewClientSize(size(), QSize(sheet.width, sheet.height), QSize(bar, bar))
               .expandedTo(QSize(minimumWidth(), 1)));
  }
  area_->DesignSheetView();
  area_->update();
}

void MiniOverviewWindow::RemoveData() {
  area_->SetSheet(&empty_);
  snapshot_.reset();
  setWindowTitle(QString());
  area_->DesignSheetView();
}

void MiniOverviewWindow::WheelMoved(int32_t delta, int32_t scrollLines) {
  const bool horizontal = horizontalWheel_ && horizontalWheel_();
  QScrollBar* bar = horizontal ? area_->Horizontal() : area_->Vertical();
  const WheelBar state{!bar->isHidden(), bar->value(), bar->minimum(), bar->maximum(), bar->pageStep()};
  bar->setValue(WheelTurn(accumulators_[0], delta, scrollLines, state));
}

void MiniOverviewWindow::WheelTilted(int32_t delta, int32_t scrollChars) {
  QScrollBar* bar = area_->Horizontal();
  const WheelBar state{!bar->isHidden(), bar->value(), bar->minimum(), bar->maximum(), bar->pageStep()};
  bar->setValue(WheelTurn(accumulators_[1], delta, scrollChars, state));
}

void MiniOverviewWindow::closeEvent(QCloseEvent* event) {
  RemoveData();
  hide();
  event->ignore();  // the window stays in its pool slot, hidden
}

bool MiniOverviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    const QPoint angle = static_cast<QWheelEvent*>(event)->angleDelta();
    if (angle.y() != 0) WheelMoved(angle.y(), wheel_.scrollLines);
    if (angle.x() != 0 && wheel_.scrollChars != 0) WheelTilted(angle.x(), wheel_.scrollChars);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kvf::app
