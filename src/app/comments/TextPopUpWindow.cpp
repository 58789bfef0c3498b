#include "app/comments/TextPopUpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/comments/RtfReader.h"
#include "core/text/BiText.h"

namespace kvf::app {

TextPopUpWindow::TextPopUpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TextPopUpWindow"));
  setModal(true);
  view_ = new QTextBrowser(this);
  view_->setObjectName(QStringLiteral("rtfText"));
  view_->setReadOnly(true);
  view_->setOpenLinks(false);
  view_->setUndoRedoEnabled(false);
  close_ = new QPushButton(BiText{QStringLiteral("Close"), QString::fromUtf8("Stäng")}.Get(), this);
  close_->setObjectName(QStringLiteral("cmdClose"));
  close_->setDefault(true);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);  // hides; the window stays for the next text

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);
  setMinimumWidth(2000 * logicalDpiX() / 1440);
  resize(520, 400);
}

void TextPopUpWindow::SetRtf(const QString& rtf) {
  view_->document()->setUndoRedoEnabled(false);
  ReadRtf(rtf, view_->document());
  view_->moveCursor(QTextCursor::Start);
}

}  // namespace kvf::app
