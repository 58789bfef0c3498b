#pragma once
// Help > About: the program's icon, name, version and legal notice, and a
// Show list choosing the text below: trademarks, a system summary built
// when it is chosen, or compliance information. System Info starts a
// system-information program when one is installed (disabled otherwise).
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTextEdit>

#include "core/dialogs/AboutTexts.h"
#include "core/settings/ProgramKey.h"

namespace kvf::app {

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  // systemInfoProgram: the program System Info starts; "" disables it.
  AboutBox(const Policies& policies, const QString& systemInfoProgram, QWidget* parent = nullptr);

  // The RTF document the view shows now.
  const QString& Document() const { return document_; }
  QComboBox* ShowList() const { return show_; }

 private:
  void ShowTopic(int item);

  Policies policies_;
  QString document_;
  QComboBox* show_ = nullptr;
  QTextEdit* view_ = nullptr;
};

}  // namespace kvf::app
