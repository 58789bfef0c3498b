#include "app/dialogs/PrintFormatDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvf::app {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
constexpr std::array<int32_t, 2> kDefaults = {kDefaultBindingMargin, kDefaultOtherMargins};
}  // namespace

PrintFormatDialog::PrintFormatDialog(const graphics::PrinterList& printers, const PrintFormat& saved,
                                     const QLocale& locale, QWidget* parent)
    : QDialog(parent),
      locale_(locale),
      unit_(MarginUnitFor(locale.measurementSystem())),
      beep_([] { QApplication::beep(); }),
      twips_{saved.bindingMargin, saved.otherMargins} {
  setObjectName(S("PrintFormatDialog"));
  setWindowTitle(BiText{S("Print Format"), S("Utskriftsformat")}.Get());
  printer_ = new QComboBox;
  printer_->setObjectName(S("printer"));
  const QStringList installed = printers.InstalledPrinters();
  printer_->addItems(installed);
  printer_->setCurrentIndex(ChoosePrinter(installed, saved.printer, printers.DefaultPrinter()));

  auto* grid = new QGridLayout;
  auto* printerLabel = new QLabel(BiText{S("&Printer:"), S("&Skrivare:")}.Get());
  printerLabel->setBuddy(printer_);
  grid->addWidget(printerLabel, 0, 0);
  grid->addWidget(printer_, 0, 1, 1, 2);
  const BiText captions[] = {{S("&Binding margin:"), S("&Hålslagsmarginal:")},
                             {S("&Other margins:"), S("&Övriga marginaler:")}};
  for (int box = 0; box < 2; ++box) {
    margins_[box] = new QLineEdit(FormatMargin(twips_[box], unit_, locale_));
    margins_[box]->setObjectName(box == 0 ? S("bindingMargin") : S("otherMargins"));
    margins_[box]->installEventFilter(this);
    auto* label = new QLabel(captions[box].Get());
    label->setBuddy(margins_[box]);
    auto* unitLabel = new QLabel(unit_.label.Get());
    unitLabel->setObjectName(S("unit%1").arg(box));
    grid->addWidget(label, box + 1, 0);
    grid->addWidget(margins_[box], box + 1, 1);
    grid->addWidget(unitLabel, box + 1, 2);
  }
  margins_[0]->setToolTip(BindingMarginToolTip().Get());

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(S("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(BiText{S("Cancel"), S("Avbryt")}.Get());
  connect(buttons, &QDialogButtonBox::accepted, this, &PrintFormatDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PrintFormatDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

void PrintFormatDialog::ValidateMargin(int box) {
  const std::optional<int32_t> twips = ParseMargin(margins_[box]->text(), unit_, locale_);
  if (!twips && beep_) beep_();
  twips_[box] = twips.value_or(kDefaults[box]);
  margins_[box]->setText(FormatMargin(twips_[box], unit_, locale_));
}

PrintFormat PrintFormatDialog::Values() const { return {printer_->currentText(), twips_[0], twips_[1]}; }

void PrintFormatDialog::accept() {
  // OK pressed with Enter leaves no box: read both as leaving them would.
  for (int box = 0; box < 2; ++box) ValidateMargin(box);
  QDialog::accept();
}

bool PrintFormatDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    for (int box = 0; box < 2; ++box)
      if (watched == margins_[box]) ValidateMargin(box);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kvf::app
