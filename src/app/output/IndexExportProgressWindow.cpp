#include "app/output/IndexExportProgressWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QVBoxLayout>

#include "core/text/Language.h"

namespace kvf::app {

IndexExportProgressWindow::IndexExportProgressWindow(const SurveyDocument& document,
                                                     const std::vector<int32_t>& respondents, QString description,
                                                     IndexExportSettings settings, platform::Clipboard& clipboard,
                                                     QWidget* parent)
    : QDialog(parent),
      document_(document),
      respondents_(respondents),
      description_(std::move(description)),
      settings_(std::move(settings)),
      clipboard_(clipboard) {
  setObjectName(QStringLiteral("IndexExportProgressWindow"));
  setWindowTitle(CopyIndexesCaption().Get());
  activity_ = new QLabel(PreparingIndexCopyText().Get(), this);
  activity_->setObjectName(QStringLiteral("lblActivity"));
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("prbProgress"));
  progress_->setRange(0, 1);
  progress_->setValue(0);
  cancel_ = new QPushButton(Swedish() ? QStringLiteral("Avbryt") : QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("cmdCancel"));
  connect(cancel_, &QPushButton::clicked, this, &IndexExportProgressWindow::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(activity_);
  layout->addWidget(progress_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  setMinimumWidth(360);
  start_ = new QTimer(this);
  start_->setObjectName(QStringLiteral("tmrStart"));
  start_->setSingleShot(true);
  start_->setInterval(0);
  connect(start_, &QTimer::timeout, this, &IndexExportProgressWindow::Run);
}

void IndexExportProgressWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!running_ && !copied_) start_->start();
}

void IndexExportProgressWindow::Cancel() {
  if (cancelled_ || copied_) return;
  cancelled_ = true;
  activity_->setText(CancelingIndexCopyText().Get());
  cancel_->setEnabled(false);
  if (!running_) QDialog::reject();
}

void IndexExportProgressWindow::reject() { Cancel(); }

void IndexExportProgressWindow::Run() {
  if (running_ || copied_) return;
  running_ = true;
  activity_->setText(PreparingIndexCopyText().Get());
  QApplication::processEvents();
  Result<IndexExport> made = IndexExport::Create(document_, respondents_, settings_);
  if (!made) {
    running_ = false;
    QMessageBox::critical(this, CopyIndexesCaption().Get(), made.Error().Text());
    QDialog::reject();
    return;
  }
  IndexExport& table = made.Value();
  if (!cancelled_) activity_->setText(CalculatingIndexesText().Get());
  progress_->setRange(0, std::max(1, table.RowCount()));
  const bool finished = !cancelled_ && table.Calculate([this](int done, int) {
    progress_->setValue(done);
    QApplication::processEvents();
    return !cancelled_;
  });
  running_ = false;
  if (!finished || cancelled_) {
    QDialog::reject();
    return;
  }
  activity_->setText(CopyingIndexesToClipboardText().Get());
  cancel_->setEnabled(false);
  QApplication::processEvents();
  const QString text = table.Text(description_, settings_.showCounts, settings_.subSelectionsInColumns);
  copied_ = clipboard_.SetText(text);
  if (copied_)
    accept();
  else
    QDialog::reject();
}

}  // namespace kvf::app
