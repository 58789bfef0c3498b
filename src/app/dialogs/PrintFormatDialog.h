#pragma once
// File > Print Format...: the printer and the two page margins the graph
// windows print with. Margins show in the unit of the locale's measurement
// system; each box is checked when it loses the focus and on OK (text that
// is no number, or a negative margin, beeps and gives the box's default),
// then rewritten as it will be stored.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <array>
#include <functional>

#include "core/dialogs/PrintFormatRules.h"
#include "graphics/printing/PrinterList.h"

namespace kvf::app {

struct PrintFormat {
  QString printer;                                // the printer's device name; "" when none is chosen
  int32_t bindingMargin = kDefaultBindingMargin;  // twips
  int32_t otherMargins = kDefaultOtherMargins;    // twips
};

class PrintFormatDialog : public QDialog {
  Q_OBJECT
 public:
  // printers is only read while the dialog is made.
  PrintFormatDialog(const graphics::PrinterList& printers, const PrintFormat& saved,
                    const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);

  // What OK stores.
  PrintFormat Values() const;
  // Reads and rewrites margin box 0 (binding) or 1 (other margins) as
  // leaving it does.
  void ValidateMargin(int box);
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLocale locale_;
  MarginUnit unit_;
  std::function<void()> beep_;
  QComboBox* printer_ = nullptr;
  std::array<QLineEdit*, 2> margins_{};
  std::array<int32_t, 2> twips_{};
};

}  // namespace kvf::app
