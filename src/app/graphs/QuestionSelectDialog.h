#pragma once
// The question-selection dialog of Split by Another Question: a list of the
// questions the graph may be split by; selecting one shows its text and
// enables OK.
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"

namespace kvf::app {

class QuestionSelectDialog : public QDialog {
  Q_OBJECT
 public:
  // choices: the questions offered, in question order.
  QuestionSelectDialog(const SurveyDocument& document, int32_t question, const std::vector<int32_t>& choices,
                       QWidget* parent = nullptr);

  // The chosen question after OK; -1 when none is selected.
  int32_t SelectedQuestion() const;
  QListWidget* List() const { return list_; }
  QPushButton* OkButton() const { return ok_; }
  QLabel* TextLabel() const { return text_; }

 private:
  void SelectionChanged();

  const SurveyDocument& document_;
  QListWidget* list_ = nullptr;
  QLabel* text_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace kvf::app
