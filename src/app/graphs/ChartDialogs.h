#pragma once
// The set-up dialogs of the charts: the distribution graph dialog and the
// index graph dialog (total index graph, or block index graph of one
// block). Each opens with the choices last stored in the settings and, on
// OK, stores them and hands back the generator's request (the index graph
// dialog builds its title).
//
// Rules: distribution: choosing a main category enables the graph types
// and fills the group list with the other dimensions; the group list only
// for type 2; horizontal bars only for bars; vertical labels only without
// horizontal bars; OK needs a main category, and for type 2 a group.
// Index: show block indexes and show question indexes exclude each other;
// empty splits only with a split; at most two lines, a third checked line
// clearing the older of the two; the current selection's lines enabled
// only while the flex total differs; the block dialog's OK needs the block
// index or the question indexes.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QRadioButton>
#include <array>
#include <deque>

#include "core/document/SurveyDocument.h"
#include "core/graphs/DistributionGraph.h"
#include "core/graphs/IndexGraph.h"
#include "core/settings/ProgramSettings.h"

namespace kvf::app {

// The two most recently checked index lines.
class IndexLineChecks {
 public:
  explicit IndexLineChecks(int32_t mask = 0);
  // Checks line bit (0..3); returns the line it clears, or -1.
  int32_t Check(int32_t bit);
  void Uncheck(int32_t bit);
  int32_t Mask() const;

 private:
  std::deque<int32_t> checked_;  // oldest first
};

class DistributionGraphDialog : public QDialog {
  Q_OBJECT
 public:
  DistributionGraphDialog(const SurveyDocument& document, const LastSettings& last, QWidget* parent = nullptr);
  DistributionGraphRequest Request() const;
  // Stores the four choices.
  void Store(LastSettings& last) const;
  QPushButton* OkButton() const;
  QListWidget* MainList() const { return main_; }
  QListWidget* GroupList() const { return group_; }
  QRadioButton* Type(int32_t type) const { return types_[static_cast<size_t>(type)]; }
  QCheckBox* Horizontal() const { return horizontal_; }
  QCheckBox* VerticalLabels() const { return vertical_; }

 private:
  void MainChosen();
  void UpdateRules();

  const SurveyDocument& document_;
  QListWidget* main_ = nullptr;
  QListWidget* group_ = nullptr;
  std::array<QRadioButton*, 3> types_{};
  QCheckBox* percent_ = nullptr;
  QCheckBox* threeD_ = nullptr;
  QCheckBox* horizontal_ = nullptr;
  QCheckBox* vertical_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

class IndexGraphDialog : public QDialog {
  Q_OBJECT
 public:
  // block -1: the total index graph dialog. splitDisabled: per dimension.
  IndexGraphDialog(const SurveyDocument& document, int32_t block, const std::vector<bool>& splitDisabled,
                   bool flexTotalDiffers, const LastSettings& last, QWidget* parent = nullptr);
  // The request with its title; the mask holds the checked, enabled lines.
  IndexGraphRequest Request() const;
  void Store(LastSettings& last) const;
  QPushButton* OkButton() const;
  QCheckBox* ShowMain() const { return main_; }
  QCheckBox* ShowBlocks() const { return blocks_; }
  QCheckBox* ShowQuestions() const { return questions_; }
  QCheckBox* Line(int32_t bit) const { return lines_[static_cast<size_t>(bit)]; }
  QComboBox* SplitList() const { return split_; }
  QCheckBox* EmptySplits() const { return empty_; }

 private:
  void LineToggled(int32_t bit, bool checked);
  void UpdateRules();

  const SurveyDocument& document_;
  int32_t block_;
  IndexLineChecks checks_;
  bool updating_ = false;
  QCheckBox* main_ = nullptr;
  QCheckBox* blocks_ = nullptr;  // total dialog only
  QCheckBox* questions_ = nullptr;
  QComboBox* split_ = nullptr;
  QCheckBox* empty_ = nullptr;
  std::array<QCheckBox*, 4> lines_{};
  QCheckBox* explain_ = nullptr;
  QCheckBox* horizontal_ = nullptr;
  QCheckBox* vertical_ = nullptr;
  QCheckBox* dataLabels_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace kvf::app
