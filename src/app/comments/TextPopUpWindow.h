#pragma once
// The rich-text pop-up: a read-only view of an RTF text (the respondents'
// comments) with a Close button at the bottom right. It is made once,
// hidden, and reused; Close and the close box only hide it. The window is
// at least 2000 twips wide.
//
// Ownership: a child of its parent window.
#include <QDialog>
#include <QString>

class QPushButton;
class QTextBrowser;

namespace kvf::app {

class TextPopUpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit TextPopUpWindow(QWidget* parent = nullptr);

  // Replaces the text shown by the rich text (read by ReadRtf).
  void SetRtf(const QString& rtf);
  QTextBrowser* View() const { return view_; }

 private:
  QTextBrowser* view_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace kvf::app
