#include "app/selection/DetailInfoWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <cmath>

#include "app/selection/ToolWindowPlacement.h"
#include "core/text/Language.h"

namespace kvf::app {

namespace {

constexpr int32_t kMinimumWidthTwips = 2000;
constexpr int32_t kMinimumHeightTwips = 600;
const QString kWindowName = QStringLiteral("DetailInfo");

QLabel* NamedLabel(const QString& name, int index = -1) {
  auto* label = new QLabel;
  label->setObjectName(index < 0 ? name : name + QString::number(index));
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

DetailInfoWindow::DetailInfoWindow(const DocumentSession& session, platform::RegistryKey programKey, Policies policies,
                                   QWidget* parent)
    : QWidget(parent, Qt::Tool), session_(session), programKey_(std::move(programKey)), policies_(policies) {
  setObjectName(QStringLiteral("DetailInfoWindow"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(2);
  int row = 0;
  for (int i = 0; i < DetailInfo::kHeaderCount; ++i) {
    headers_[static_cast<size_t>(i)] = NamedLabel(QStringLiteral("header"), i);
    grid->addWidget(headers_[static_cast<size_t>(i)], row++, 0, 1, 3);
  }
  QFont bold = headers_[2]->font();
  bold.setBold(true);
  headers_[2]->setFont(bold);
  text_ = new QPlainTextEdit;
  text_->setObjectName(QStringLiteral("text"));
  text_->setReadOnly(true);
  grid->addWidget(text_, row++, 0, 1, 3);
  grid->setRowStretch(row - 1, 1);
  selectionCaption_ = NamedLabel(QStringLiteral("selectionCaption"));
  totalCaption_ = NamedLabel(QStringLiteral("totalCaption"));
  selectionCaption_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  totalCaption_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(selectionCaption_, row, 1);
  grid->addWidget(totalCaption_, row++, 2);
  for (int i = 0; i < DetailInfo::kIndexRows; ++i) {
    const size_t at = static_cast<size_t>(i);
    labels_[at] = NamedLabel(QStringLiteral("indexLabel"), i);
    values_[at] = NamedLabel(QStringLiteral("indexValue"), i);
    totals_[at] = NamedLabel(QStringLiteral("indexTotal"), i);
    values_[at]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totals_[at]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(labels_[at], row, 0);
    grid->addWidget(values_[at], row, 1);
    grid->addWidget(totals_[at], row++, 2);
  }
  grid->setColumnStretch(0, 1);

  const bool swedish = Swedish();
  setWindowTitle(DetailInfoCaption().Get(swedish));
  selectionCaption_->setText(SelectionColumnCaption().Get(swedish));
  totalCaption_->setText(TotalColumnCaption().Get(swedish));

  // The layout keeps the window at least as large as its content needs; the
  // size in twips is the least a stored placement may give.
  const double twips = TwipsPerPixelOf(this);
  const QSize minimum(static_cast<int>(std::lround(kMinimumWidthTwips / twips)),
                      static_cast<int>(std::lround(kMinimumHeightTwips / twips)));
  resize(minimum.expandedTo(sizeHint()));
  ShowContent();
  Update();
  placementKnown_ = RestoreToolWindowPlacement(this, programKey_, kWindowName, kMinimumWidthTwips, kMinimumHeightTwips);
}

// ---------------------------------------------------------------- properties

QString DetailInfoWindow::IndexText(int index) const { return info_.indexLabels[static_cast<size_t>(index)]; }

void DetailInfoWindow::SetIndexText(int index, const QString& text) {
  info_.indexLabels[static_cast<size_t>(index)] = text;
  labels_[static_cast<size_t>(index)]->setText(text);
}

QString DetailInfoWindow::IndexValue(int index, bool total) const {
  return (total ? info_.total : info_.selection)[static_cast<size_t>(index)];
}

void DetailInfoWindow::SetIndexValue(int index, bool total, const QString& text) {
  (total ? info_.total : info_.selection)[static_cast<size_t>(index)] = text;
  (total ? totals_ : values_)[static_cast<size_t>(index)]->setText(text);
}

QString DetailInfoWindow::HeaderValue(int index) const { return info_.headers[static_cast<size_t>(index)]; }

void DetailInfoWindow::SetHeaderValue(int index, const QString& text) {
  info_.headers[static_cast<size_t>(index)] = text;
  headers_[static_cast<size_t>(index)]->setText(text);
}

QString DetailInfoWindow::TextValue() const { return info_.text; }

void DetailInfoWindow::SetTextValue(const QString& text) {
  info_.text = text;
  text_->setPlainText(text);
}

void DetailInfoWindow::Update() {
  for (int i = 0; i < DetailInfo::kIndexRows; ++i) {
    const bool shown = info_.RowShown(i);
    const size_t at = static_cast<size_t>(i);
    labels_[at]->setVisible(shown);
    values_[at]->setVisible(shown);
    totals_[at]->setVisible(shown);
  }
  const bool anyRow = info_.ShownRowCount() > 0;
  selectionCaption_->setVisible(anyRow);
  totalCaption_->setVisible(anyRow);
  // The height follows the rows shown; the controls are laid out again
  // only when the needed height changed.
  layout()->activate();
  const int needed = std::max(layout()->sizeHint().height(), minimumHeight());
  if (needed != lastHeight_) {
    lastHeight_ = needed;
    resize(width(), needed);
  }
}

void DetailInfoWindow::ShowContent() {
  for (int i = 0; i < DetailInfo::kHeaderCount; ++i)
    headers_[static_cast<size_t>(i)]->setText(info_.headers[static_cast<size_t>(i)]);
  if (text_->toPlainText() != info_.text) text_->setPlainText(info_.text);
  for (int i = 0; i < DetailInfo::kIndexRows; ++i) {
    const size_t at = static_cast<size_t>(i);
    labels_[at]->setText(info_.indexLabels[at]);
    values_[at]->setText(info_.selection[at]);
    totals_[at]->setText(info_.total[at]);
  }
}

void DetailInfoWindow::SetContent(const DetailInfo& info) {
  const bool labelsChanged = info.indexLabels != info_.indexLabels;
  info_ = info;
  ShowContent();
  if (labelsChanged) Update();
}

// ---------------------------------------------------------------- events

void DetailInfoWindow::SetUp(const SurveyDocument& document, const SubSheet& sheet) {
  DetailInfo info;
  SetUpDetailInfo(document, &info);
  SetFlexTotalIndex(document, document.info.currentTotalIndex, &info);
  ResetDetailInfo(document, sheet, &info);
  SetContent(info);
  Update();
}

void DetailInfoWindow::ResetForSheet(const SurveyDocument& document, const SubSheet& sheet) {
  DetailInfo info = info_;
  ResetDetailInfo(document, sheet, &info);
  SetContent(info);
}

void DetailInfoWindow::FlexTotalIndexChanged(const SurveyDocument& document, double currentTotalIndex) {
  DetailInfo info = info_;
  SetFlexTotalIndex(document, currentTotalIndex, &info);
  SetContent(info);
}

void DetailInfoWindow::Hover(const SurveyDocument& document, const SubSheet& sheet, int32_t rowItem, int32_t column) {
  DetailInfo info = info_;
  FillDetailInfo(document, sheet, rowItem, column, &info);
  SetContent(info);
}

void DetailInfoWindow::Clear() {
  SetContent(DetailInfo());
  Update();
}

bool DetailInfoWindow::SetUpForDocument(const SurveyDocument& document) {
  SetUp(document, session_.View().Sheet());
  // Without a placement of its own the window fits the document's labels.
  if (!placementKnown_) resize(size().expandedTo(sizeHint()));
  return true;
}

void DetailInfoWindow::FlexTotalIndexChanged(double currentTotalIndex) {
  if (session_.IsOpen()) FlexTotalIndexChanged(session_.Document(), currentTotalIndex);
}

void DetailInfoWindow::CellHovered(const CellHit& hit) {
  if (session_.IsOpen()) Hover(session_.Document(), session_.View().Sheet(), hit.rowItem, hit.column);
}

void DetailInfoWindow::SheetViewDesigned() {
  // Every design of the sheet view (a new sheet, a resize) resets the window.
  if (session_.IsOpen()) ResetForSheet(session_.Document(), session_.View().Sheet());
}

void DetailInfoWindow::showEvent(QShowEvent* event) {
  shownInSession_ = true;
  QWidget::showEvent(event);
}

void DetailInfoWindow::closeEvent(QCloseEvent* event) {
  // A window never shown keeps what an earlier run stored.
  if (shownInSession_) SaveToolWindowPlacement(this, programKey_, policies_, kWindowName);
  placementKnown_ = true;
  event->accept();  // hidden, not destroyed
}

}  // namespace kvf::app
