#pragma once
// Tools > Options: the program-wide preferences on three tabs (General,
// Overview, Graphs). The dialog edits a copy of the options; the caller
// takes Values() when it was accepted and stores them.
//
// The row limit is checked when its box loses the focus and again on OK:
// a text that is not a whole number of at least 1 beeps, is selected and
// keeps the focus, and OK does not close the dialog. A list without a
// selected item (a stored value that matches no item) keeps the value the
// dialog was opened with.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <vector>

#include "core/dialogs/OptionsContent.h"
#include "core/settings/ProgramSettings.h"

namespace kvf::app {

class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  // rowOrder and threshold: the open document's RowOrder and
  // RowOrderThreshold; -1 and -1 without a document.
  OptionsDialog(const ProgramOptions& options, int32_t rowOrder, int32_t threshold, QWidget* parent = nullptr);

  // The options the controls hold.
  ProgramOptions Values() const;
  // Checks the row limit as leaving its box does; false (after the beep,
  // the selection and the focus) when it is not valid.
  bool ValidateMaxRows();
  // Replaces the system beep (tests count beeps).
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QCheckBox* Check(const char* name, const BiText& caption, bool checked);
  QComboBox* List(const char* name, const std::vector<OptionsListItem>& items, int32_t value);
  static int32_t ListValue(const QComboBox* list, int32_t previous);

  ProgramOptions previous_;
  std::function<void()> beep_;
  QTabWidget* tabs_ = nullptr;
  QWidget* overviewPage_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QCheckBox* remind_ = nullptr;
  QCheckBox* beepBox_ = nullptr;
  QCheckBox* groupLines_ = nullptr;
  QComboBox* rowOrder_ = nullptr;
  QLineEdit* maxRows_ = nullptr;
  QCheckBox* reversed_ = nullptr;
  QCheckBox* opaque_ = nullptr;
  QCheckBox* whiteSpace_ = nullptr;
  QCheckBox* msOffice_ = nullptr;
  QCheckBox* shortNames_ = nullptr;
  QComboBox* legends_ = nullptr;
  QComboBox* copyFormat_ = nullptr;
  bool validating_ = false;
};

}  // namespace kvf::app
