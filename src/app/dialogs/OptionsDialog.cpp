#include "app/dialogs/OptionsDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/text/Language.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QGroupBox* Frame(const char* name, const BiText& caption) {
  auto* frame = new QGroupBox(caption.Get());
  frame->setObjectName(S(name));
  return frame;
}

QLabel* Comment(const char* name, const BiText& text) {
  auto* label = new QLabel(text.Get());
  label->setObjectName(S(name));
  label->setWordWrap(true);
  return label;
}

}  // namespace

OptionsDialog::OptionsDialog(const ProgramOptions& options, int32_t rowOrder, int32_t threshold, QWidget* parent)
    : QDialog(parent), previous_(options), beep_([] { QApplication::beep(); }) {
  setObjectName(S("OptionsDialog"));
  setWindowTitle(BiText{S("Options"), S("Alternativ")}.Get());

  // General: the navigator's reminder.
  remind_ = Check("remindToClickShow", {S("&Remind me to click Show"), S("&Påminn mig att klicka på Visa")},
                  options.navigatorRemindToClickShow);
  beepBox_ = Check("addBeepToReminder", {S("Add a &beep to the reminder"), S("Komplettera påminnelsen med &ljud")},
                   options.navigatorAddBeepToReminder);
  beepBox_->setEnabled(remind_->isChecked());
  connect(remind_, &QCheckBox::clicked, this, [this](bool checked) {
    beepBox_->setEnabled(checked);
    if (!checked) beepBox_->setChecked(false);
  });
  auto* navigator = Frame("navigatorFrame", {S("Navigator"), S("Navigatör")});
  auto* navigatorLayout = new QVBoxLayout(navigator);
  navigatorLayout->addWidget(remind_);
  navigatorLayout->addWidget(beepBox_);
  auto* general = new QWidget;
  auto* generalLayout = new QVBoxLayout(general);
  generalLayout->addWidget(navigator);
  generalLayout->addStretch();

  // Overview: block lines, row order, row limit.
  groupLines_ = Check("blockLines", {S("&Enabled"), S("&Aktiverade")}, options.overviewGroupLines);
  auto* blockLines = new QHBoxLayout;
  blockLines->addWidget(new QLabel(BiText{S("Block lines:"), S("Blocklinjer:")}.Get()));
  blockLines->addWidget(groupLines_);
  blockLines->addStretch();
  rowOrder_ = List("rowOrder", RowOrderItems(), options.overviewRowOrder);
  auto* rowOrderFrame = Frame("rowOrderFrame", {S("Row order"), S("Radordning")});
  auto* rowOrderLayout = new QFormLayout(rowOrderFrame);
  rowOrderLayout->addRow(Comment("rowOrderComment", RowOrderComment(rowOrder, threshold)));
  auto* rowOrderLabel = new QLabel(BiText{S("Default &row order:"), S("&Radordning:")}.Get());
  rowOrderLabel->setBuddy(rowOrder_);
  rowOrderLayout->addRow(rowOrderLabel, rowOrder_);
  maxRows_ = new QLineEdit(QString::number(options.overviewMaxRows));
  maxRows_->setObjectName(S("maxRows"));
  maxRows_->installEventFilter(this);
  auto* maxRowsFrame = Frame("maxRowsFrame", {S("Max rows shown"), S("Max rader som visas")});
  auto* maxRowsLayout = new QFormLayout(maxRowsFrame);
  maxRowsLayout->addRow(Comment("maxRowsComment", MaxRowsComment()));
  auto* maxRowsLine = new QHBoxLayout;
  maxRowsLine->addWidget(maxRows_);
  maxRowsLine->addWidget(new QLabel(BiText{S("rows"), S("rader")}.Get()));
  auto* maxRowsLabel = new QLabel(BiText{S("Show a &maximum of:"), S("Visa &maximalt:")}.Get());
  maxRowsLabel->setBuddy(maxRows_);
  maxRowsLayout->addRow(maxRowsLabel, maxRowsLine);
  auto* overview = overviewPage_ = new QWidget;
  auto* overviewLayout = new QVBoxLayout(overview);
  overviewLayout->addLayout(blockLines);
  overviewLayout->addWidget(rowOrderFrame);
  overviewLayout->addWidget(maxRowsFrame);
  overviewLayout->addStretch();

  // Graphs. No presentation program can take part in copies on this
  // system, so its box stays disabled as designed.
  reversed_ =
      Check("valueOrderReversed",
            {S("&Reverse display order (start with lowest)"), S("Använd &omvänd visningsordning (lägsta först)")},
            options.graphValueOrderReversed);
  opaque_ =
      Check("copySaveOpaque",
            {S("Use &opaque background during copying or saveing"), S("Använd &solid bakgrund vid kopiera och spara")},
            options.graphCopySaveOpaque);
  whiteSpace_ = Check("copySaveWhiteSpace",
                      {S("Add &white space around graph when copying or saveing"),
                       S("Lägg till tom&rum runt bilden vid kopiera och spara")},
                      options.graphCopySaveWhiteSpace);
  msOffice_ = Check("copyToMsOffice",
                    {S("&Increase quality when pasting to Microsoft Office applications"),
                     S("&Förbättra kvalitén vid inklistring i Microsoft Office-program")},
                    false);
  msOffice_->setEnabled(false);
  shortNames_ = Check("shortCategoryNames",
                      {S("Use &short category names for graphs split by category"),
                       S("Använd korta kategori&namn för grafer uppdelade på kategorier")},
                      options.graphByCategoryUseShortCategoryNames);
  auto* questionGraphs = Frame("questionGraphsFrame", {S("Question graphs"), S("Frågegrafer")});
  auto* questionLayout = new QVBoxLayout(questionGraphs);
  for (QCheckBox* box : {reversed_, opaque_, whiteSpace_, msOffice_, shortNames_}) questionLayout->addWidget(box);
  legends_ = List("legends", GraphLegendItems(), options.graphLegends);
  copyFormat_ = List("copyFormat", GraphCopyFormatItems(), options.graphCopyFormat);
  auto* distribution =
      Frame("distributionGraphsFrame", {S("Distribution and index graphs"), S("Fördelnings- och indexgrafer")});
  auto* distributionLayout = new QFormLayout(distribution);
  auto* legendsLabel = new QLabel(BiText{S("&Legends:"), S("&Teckenförklaringar:")}.Get());
  legendsLabel->setBuddy(legends_);
  auto* copyLabel = new QLabel(BiText{S("&Copy as:"), S("&Kopiera som:")}.Get());
  copyLabel->setBuddy(copyFormat_);
  distributionLayout->addRow(legendsLabel, legends_);
  distributionLayout->addRow(copyLabel, copyFormat_);
  auto* graphs = new QWidget;
  auto* graphsLayout = new QVBoxLayout(graphs);
  graphsLayout->addWidget(questionGraphs);
  graphsLayout->addWidget(distribution);
  graphsLayout->addStretch();

  tabs_ = new QTabWidget;
  tabs_->setObjectName(S("tabs"));
  tabs_->addTab(general, BiText{S("General"), S("Allmänt")}.Get());
  tabs_->addTab(overview, BiText{S("Overview"), S("Översikt")}.Get());
  tabs_->addTab(graphs, BiText{S("Graphs"), S("Grafer")}.Get());

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(S("OK"));
  cancel_ = buttons->button(QDialogButtonBox::Cancel);
  cancel_->setText(BiText{S("Cancel"), S("Avbryt")}.Get());
  connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
  resize(520, sizeHint().height());
}

QCheckBox* OptionsDialog::Check(const char* name, const BiText& caption, bool checked) {
  auto* box = new QCheckBox(caption.Get());
  box->setObjectName(S(name));
  box->setChecked(checked);
  return box;
}

QComboBox* OptionsDialog::List(const char* name, const std::vector<OptionsListItem>& items, int32_t value) {
  auto* list = new QComboBox;
  list->setObjectName(S(name));
  for (const OptionsListItem& item : items) list->addItem(item.text.Get(), item.data);
  list->setCurrentIndex(ItemIndexOfData(items, value));
  return list;
}

int32_t OptionsDialog::ListValue(const QComboBox* list, int32_t previous) {
  return list->currentIndex() < 0 ? previous : list->currentData().toInt();
}

ProgramOptions OptionsDialog::Values() const {
  ProgramOptions options = previous_;
  options.navigatorRemindToClickShow = remind_->isChecked();
  options.navigatorAddBeepToReminder = beepBox_->isChecked();
  options.overviewGroupLines = groupLines_->isChecked();
  options.overviewRowOrder = ListValue(rowOrder_, previous_.overviewRowOrder);
  options.overviewMaxRows = ParseMaxRows(maxRows_->text()).value_or(previous_.overviewMaxRows);
  options.graphValueOrderReversed = reversed_->isChecked();
  options.graphCopySaveOpaque = opaque_->isChecked();
  options.graphCopySaveWhiteSpace = whiteSpace_->isChecked();
  options.graphCopyToMsOffice = msOffice_->isChecked();
  options.graphByCategoryUseShortCategoryNames = shortNames_->isChecked();
  options.graphLegends = ListValue(legends_, previous_.graphLegends);
  options.graphCopyFormat = ListValue(copyFormat_, previous_.graphCopyFormat);
  return options;
}

bool OptionsDialog::ValidateMaxRows() {
  if (ParseMaxRows(maxRows_->text())) return true;
  validating_ = true;
  tabs_->setCurrentWidget(overviewPage_);
  maxRows_->setFocus();
  maxRows_->selectAll();
  validating_ = false;
  if (beep_) beep_();
  return false;
}

void OptionsDialog::accept() {
  if (!ValidateMaxRows()) return;
  QDialog::accept();
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  // Leaving the row limit: an invalid text takes the focus back once the
  // focus change has finished. Closing with Cancel is not held up.
  if (watched == maxRows_ && event->type() == QEvent::FocusOut && !validating_ && isVisible()) {
    QTimer::singleShot(0, this, [this] {
      if (isVisible() && result() == QDialog::Rejected && !ParseMaxRows(maxRows_->text()) && !cancel_->hasFocus())
        ValidateMaxRows();
    });
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kvf::app
