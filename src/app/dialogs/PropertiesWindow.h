#pragma once
// File > Properties: the identity, comment, index settings and integrity
// protection of the open document (DescribeDocumentProperties), shown
// modally with a Close button.
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QTextEdit>

#include "core/dialogs/DocumentProperties.h"

namespace kvf::app {

// Shows an RTF document (the document comment, the about box's texts) in a
// text view. Until the views show rich text they show the document's text;
// text that is not RTF is shown as it is.
void ShowRtfDocument(QTextEdit& view, const QString& rtf);

class PropertiesWindow : public QDialog {
  Q_OBJECT
 public:
  explicit PropertiesWindow(const DocumentPropertiesContent& content, QWidget* parent = nullptr);

  // The label showing a row's value (rows in DocumentPropertiesContent order).
  QLabel* ValueLabel(int row) const { return values_.at(static_cast<size_t>(row)); }
  QGroupBox* IndexFrame() const { return indexFrame_; }
  QTextEdit* CommentView() const { return comment_; }

 private:
  std::vector<QLabel*> values_;
  QGroupBox* indexFrame_ = nullptr;
  QTextEdit* comment_ = nullptr;
};

}  // namespace kvf::app
