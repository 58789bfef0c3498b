#include "app/dialogs/PropertiesWindow.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/mainwindow/PopupMenuRules.h"
#include "core/dialogs/CommentPlainText.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QLabel* ValueText(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);  // document texts are never markup
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setWordWrap(true);
  return label;
}

}  // namespace

void ShowRtfDocument(QTextEdit& view, const QString& rtf) { view.setPlainText(CommentPlainText(rtf)); }

PropertiesWindow::PropertiesWindow(const DocumentPropertiesContent& content, QWidget* parent) : QDialog(parent) {
  setObjectName(S("PropertiesWindow"));
  setWindowTitle(content.caption);
  auto* identity = new QFormLayout;
  auto* integrity = new QGroupBox(content.integrityCaption);
  integrity->setObjectName(S("integrityFrame"));
  auto* integrityLayout = new QFormLayout(integrity);
  for (size_t i = 0; i < content.rows.size(); ++i) {
    QLabel* value = ValueText(content.rows[i].value);
    value->setObjectName(S("value%1").arg(i));
    values_.push_back(value);
    (static_cast<int32_t>(i) < content.identityRowCount ? identity : integrityLayout)
        ->addRow(content.rows[i].label, value);
  }
  comment_ = new QTextEdit;
  comment_->setObjectName(S("comment"));
  comment_->setReadOnly(true);
  comment_->setFixedHeight(81);  // 1215 twips
  ShowRtfDocument(*comment_, content.comment);
  identity->addRow(content.commentLabel, comment_);

  const IndexFrameContent& frame = content.indexFrame;
  indexFrame_ = new QGroupBox(DoubleAmpersands(frame.caption));  // a document text, no mnemonic
  indexFrame_->setObjectName(S("indexFrame"));
  auto* indexLayout = new QVBoxLayout(indexFrame_);
  QLabel* status = ValueText(frame.status);
  status->setObjectName(S("indexStatus"));
  QLabel* information = ValueText(frame.information);
  information->setObjectName(S("indexInformation"));
  indexLayout->addWidget(status);
  indexLayout->addWidget(information);
  indexFrame_->setEnabled(frame.enabled);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->button(QDialogButtonBox::Close)->setText(BiText{S("&Close"), S("&Stäng")}.Get());
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(identity);
  layout->addWidget(indexFrame_);
  layout->addWidget(integrity);
  layout->addWidget(buttons);
  resize(480, sizeHint().height());
}

}  // namespace kvf::app
