#include "app/mainwindow/SheetArea.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <cstdio>
#include <vector>

namespace kvf::app {

SheetArea::SheetArea(QWidget* parent)
    : QWidget(parent),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this)) {
  setObjectName(QStringLiteral("SheetArea"));
  vertical_->setObjectName(QStringLiteral("scbVertical"));
  horizontal_->setObjectName(QStringLiteral("scbHorizontal"));
  vertical_->hide();
  horizontal_->hide();
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The bars' change events repaint the visible part.
  connect(vertical_, &QScrollBar::valueChanged, this, [this] { update(); });
  connect(horizontal_, &QScrollBar::valueChanged, this, [this] { update(); });
}

SheetViewInput SheetArea::Input() const {
  SheetViewInput input;
  input.clientWidth = width();
  input.clientHeight = height();
  input.statusBarHeight = 0;  // the status bar lies outside this widget
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  input.verticalBarWidth = extent;
  input.horizontalBarHeight = extent;
  if (sheet_ != nullptr && sheet_->present) {
    input.sheetWidth = sheet_->width;
    input.sheetHeight = sheet_->height;
    input.cellSize = sheet_->cellSize > 0 ? sheet_->cellSize : 16;
    input.rowHeight = sheet_->rowHeight > 0 ? sheet_->rowHeight : 16;
    input.frozenColumns = sheet_->frozenColumns;
    input.headerRowCount = sheet_->headerRowCount;
  }
  input.horizontalVisible = !horizontal_->isHidden();
  input.horizontalValue = horizontal_->value();
  input.verticalVisible = !vertical_->isHidden();
  input.verticalValue = vertical_->value();
  return input;
}

void SheetArea::ApplyBar(QScrollBar* bar, const ScrollBarLayout& layout) {
  if (!layout.visible) {
    bar->hide();
    return;
  }
  const QSignalBlocker blocker(bar);
  bar->setGeometry(layout.geometry);
  bar->setRange(0, layout.max);
  bar->setPageStep(layout.largeChange);
  bar->setSingleStep(1);
  bar->setValue(layout.value);
  bar->show();
}

void SheetArea::DesignSheetView() {
  if (sheet_ == nullptr || !sheet_->present) {
    layout_ = SheetViewLayout();
    horizontal_->hide();
    vertical_->hide();
  } else {
    layout_ = kvf::DesignSheetView(Input());
    ApplyBar(horizontal_, layout_.horizontal);
    ApplyBar(vertical_, layout_.vertical);
  }
  update();
}

void SheetArea::TimeNextSheet(bool on) {
  if (on && qEnvironmentVariableIsSet("KVF_SHEET_TIMING")) {
    sheetClock_.start();
  } else {
    sheetClock_.invalidate();
  }
}

SheetScroll SheetArea::Scroll() const {
  SheetScroll scroll;
  scroll.horizontalVisible = !horizontal_->isHidden();
  scroll.horizontalValue = horizontal_->value();
  scroll.verticalVisible = !vertical_->isHidden();
  scroll.verticalValue = vertical_->value();
  return scroll;
}

SheetGrid SheetArea::Grid() const {
  SheetGrid grid;
  if (sheet_ == nullptr || !sheet_->present) return grid;
  grid.cellSize = sheet_->cellSize;
  grid.rowHeight = sheet_->rowHeight;
  grid.headerRowCount = sheet_->headerRowCount;
  grid.shownRowCount = sheet_->shownRowCount;
  return grid;
}

void SheetArea::PaintSheet(QPainter& painter, const QRect& exposed) {
  SheetViewLayout current = layout_;
  current.horizontal.value = horizontal_->value();
  current.vertical.value = vertical_->value();
  const SheetRepaint repaint = RepaintSheet(Input(), current);
  // The visible regions are drawn into the canvas at one device pixel per
  // sheet pixel, then shown; only the exposed part is drawn.
  if (canvas_.size() != size()) canvas_ = QImage(size(), QImage::Format_RGB32);
  std::vector<QRect> drawn;
  if (!canvas_.isNull()) {
    QPainter canvas(&canvas_);
    for (const SheetCopy& copy : repaint.copies) {
      const QRect shown = QRect(copy.target, copy.source.size()).intersected(exposed);
      if (shown.isEmpty()) continue;
      sheet_->PaintRegion(canvas, shown.translated(copy.source.topLeft() - copy.target), shown.topLeft());
      drawn.push_back(shown);
    }
  }
  for (const QRect& shown : drawn) painter.drawImage(shown.topLeft(), canvas_, shown);
  const QColor face = palette().color(QPalette::Button);
  for (const QRect& strip : repaint.buttonFaceStrips) painter.fillRect(strip, face);
}

void SheetArea::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QColor face = palette().color(QPalette::Button);
  painter.fillRect(rect(), face);
  if (sheet_ != nullptr && sheet_->present && !sheet_->Bounds().isEmpty()) {
    PaintSheet(painter, event->rect());
    if (sheetClock_.isValid()) {
      std::fprintf(stderr, "kvf-viewer: first sheet painted %.1f ms after loading started\n",
                   static_cast<double>(sheetClock_.nsecsElapsed()) / 1e6);
      sheetClock_.invalidate();
    }
  }
  // The decoration lines frame the sheet: first and last pixel column and row.
  painter.setPen(palette().color(QPalette::Mid));
  const int right = width() - 1;
  const int bottom = height() - 1;
  painter.drawLine(0, 0, right, 0);
  painter.drawLine(0, 0, 0, bottom);
  painter.drawLine(0, bottom, right, bottom);
  painter.drawLine(right, 0, right, bottom);
}

void SheetArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  DesignSheetView();
  Q_EMIT Resized();
}

}  // namespace kvf::app
