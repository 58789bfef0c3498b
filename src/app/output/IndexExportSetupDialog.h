#pragma once
// The set-up dialog of Copy Indexes: which sub-selections (the whole
// selection, every alternative of chosen categories), whether their counts
// are shown, which index groups, question texts in full, and where the
// sub-selections go (rows or columns). It opens with the settings used last
// (kept by the caller until the program ends); OK is enabled exactly when
// the export can be made (IndexExportAllowed); the sub-blocks box only when
// the document labels its sub-block line. OK stores the settings and runs
// the export through the given routine before the dialog closes.
//
// Ownership: document and settings must outlive the dialog.
#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>

#include "core/indexes/IndexExportLayout.h"

namespace kvf::app {

class IndexExportSetupDialog : public QDialog {
  Q_OBJECT
 public:
  using Export = std::function<void(const IndexExportSettings&)>;
  IndexExportSetupDialog(const SurveyDocument& document, IndexExportSettings& settings, Export exportTable,
                         QWidget* parent = nullptr);

  QPushButton* OkButton() const { return ok_; }
  QCheckBox* TotalBox() const { return total_; }
  QListWidget* Categories() const { return categories_; }
  QCheckBox* Group(int group) const { return groups_[static_cast<size_t>(group)]; }
  QCheckBox* FullTextBox() const { return fullText_; }
  QRadioButton* ColumnsButton() const { return columns_; }
  // The choices as the controls show them.
  IndexExportSettings Chosen() const;

 private:
  void Evaluate();
  void Confirm();

  const SurveyDocument& document_;
  IndexExportSettings& settings_;
  Export export_;
  QCheckBox* total_;
  QListWidget* categories_;
  QCheckBox* counts_;
  std::array<QCheckBox*, 5> groups_{};
  QCheckBox* fullText_;
  QRadioButton* rows_;
  QRadioButton* columns_;
  QPushButton* ok_;
};

}  // namespace kvf::app
