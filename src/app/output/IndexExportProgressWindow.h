#pragma once
// The progress window of Copy Indexes: computes the index table a row at a
// time (the bar moves after each row and the window's events are processed,
// so Cancel works within a row's time), then puts the text on the
// clipboard. A cancelled export leaves the clipboard untouched.
//
// Ownership: document, respondents and clipboard must outlive the window.
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "core/indexes/IndexExport.h"
#include "platform/clipboard/Clipboard.h"

namespace kvf::app {

class IndexExportProgressWindow : public QDialog {
  Q_OBJECT
 public:
  IndexExportProgressWindow(const SurveyDocument& document, const std::vector<int32_t>& respondents,
                            QString description, IndexExportSettings settings, platform::Clipboard& clipboard,
                            QWidget* parent = nullptr);

  // True once the clipboard holds the table.
  bool Copied() const { return copied_; }
  // The work: started by the start timer once the window shows; ends by
  // closing the window (accepted when copied).
  void Run();
  // Cancel: stops the export after the row being computed.
  void Cancel();

  QLabel* Activity() const { return activity_; }
  QProgressBar* Progress() const { return progress_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  const SurveyDocument& document_;
  const std::vector<int32_t>& respondents_;
  QString description_;
  IndexExportSettings settings_;
  platform::Clipboard& clipboard_;
  QLabel* activity_;
  QProgressBar* progress_;
  QPushButton* cancel_;
  QTimer* start_;
  bool running_ = false;
  bool cancelled_ = false;
  bool copied_ = false;
};

}  // namespace kvf::app
