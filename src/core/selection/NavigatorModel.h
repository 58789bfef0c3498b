#pragma once
// The navigator's state without its window: the check-box tree of the
// dimensions, the pending and applied choices, the live counts and the
// rules that decide whether Show may apply the pending choice.
//
// Tree keys: a dimension node is "R" + d, an alternative node "A" + d + "-"
// + a (alternative 5 of dimension 2 is "A2-5"), d the dimension position
// and a the alternative's number within its question. With the document's
// HideFirstAlternative set, alternative 0 is offered nowhere and its
// SelectionMatrix entry stays true.
//
// The tree's check state follows one rule: checking or unchecking a
// dimension node checks or unchecks all its alternatives; unchecking an
// alternative unchecks its dimension; checking the last unchecked
// alternative checks the dimension again. Every change updates the pending
// SelectionMatrix; Recount then counts it (CountOptions).
//
// Ownership: the model copies what it needs from the document at Build and
// SetUpDimensions; operations that count or apply take the document (and
// the view state) by reference. REQUIRES of every such call: the document
// is the one the model was built for.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SelectionMatrix.h"
#include "core/text/BiText.h"
#include "core/text/Result.h"

namespace kvf {

class ViewState;

// One alternative node under a dimension node.
struct NavigatorAlternativeNode {
  int32_t alternative = 0;  // number within the question
  QString key;              // "A" d "-" a
  QString text;             // the alternative's Name
  bool checked = true;
};

// One dimension node.
struct NavigatorDimensionNode {
  int32_t question = -1;
  QString key;   // "R" d
  QString text;  // the question's Name
  bool checked = true;
  std::vector<NavigatorAlternativeNode> alternatives;
};

// One item of the flex-total list.
struct FlexTotalItem {
  int32_t alternative = 0;  // item data: the alternative's number
  QString text;             // the alternative's Name
};

// A parsed tree key.
struct NavigatorKey {
  int32_t dimension = -1;
  int32_t alternative = -1;  // -1 for a dimension node
};

QString DimensionNodeKey(int32_t dimension);
QString AlternativeNodeKey(int32_t dimension, int32_t alternative);
// nullopt for anything that is not exactly "R<d>" or "A<d>-<a>" with
// decimal numbers of 0 or more.
std::optional<NavigatorKey> ParseNavigatorKey(const QString& key);

// The navigator's status texts and captions.
BiText BuildingOverviewText();  // "Building new overview..."
BiText OverviewBuiltText();     // "New overview built!"
BiText ItemsInSelectionText();  // "Items in selection: " (the count follows)

// What Show did.
struct ShowOutcome {
  bool flexTotalSet = false;  // SetFlexTotal was called
  Status sheet;               // what CreateSubSheet returned
};

class NavigatorModel {
 public:
  // Fills the tree and the flex-total list from the document's dimensions
  // and flex-total question (the loader's part). Everything is checked.
  void Build(const SurveyDocument& document);

  // Sizes the tables (at least one by one), selects everything, keeps the
  // minimum flags and takes the applied copies. flexAlternatives <= 0 hides
  // the flex-total controls. The total shown becomes respondentCount.
  // countsForMinimum: [dimension, alternative] as the document's
  // complement protection.
  void SetUpDimensions(int32_t dimensions, int32_t maxAlternatives, const DimensionTable<bool>& countsForMinimum,
                       int32_t respondentCount, int32_t flexAlternatives);
  // Build plus SetUpDimensions with the document's own values.
  void SetUp(const SurveyDocument& document);
  // Forgets the document (no tree, no tables).
  void Clear();

  const std::vector<NavigatorDimensionNode>& Dimensions() const { return tree_; }
  const std::vector<FlexTotalItem>& FlexItems() const { return flexItems_; }
  bool FlexControlsVisible() const { return flexVisible_; }

  // The user changed a node's check box (by key). Applies the tree rule,
  // updates the pending matrix and recounts. Returns false (and changes
  // nothing) for an unknown key.
  bool SetChecked(const SurveyDocument& document, const QString& key, bool checked);
  bool IsChecked(const QString& key) const;

  // Counts the pending choice: fills the alternative counts, the total, the
  // greyed (small) dimensions, the unsafe flag and whether Show is enabled.
  // The dimension names the one just changed (any, -1 included, recounts
  // all).
  void Recount(const SurveyDocument& document, int32_t dimension);

  int32_t Total() const { return total_; }
  int32_t Count(int32_t dimension, int32_t alternative) const { return counts_.Get(dimension, alternative); }
  // A small dimension has an alternative that counts for the minimum with a
  // count above 0 and below MinimumComplementSelection; it is shown greyed.
  bool IsGreyed(int32_t dimension) const;
  // An unchecked greyed dimension makes the pending choice unsafe.
  bool Unsafe() const { return unsafe_; }
  bool ShowEnabled() const { return showEnabled_; }
  // "Items in selection: " + total in the locale's whole-number format.
  QString TotalText(bool swedish) const;

  // The flex-total list (by alternative number) and its check box.
  void SetFlexChoice(int32_t alternative, bool selected);
  bool FlexChoice(int32_t alternative) const;
  void SetFlexBasedOnSelection(bool on) { flexBasedOnSelection_ = on; }
  bool FlexBasedOnSelection() const { return flexBasedOnSelection_; }

  const SelectionMatrix& Selection() const { return selection_; }
  const SelectionMatrix& AppliedSelection() const { return applied_; }

  // The check box, the flex choice (while its list is visible) or the
  // matrix differs from what Show applied last.
  bool HasUnappliedChanges() const;

  // Show: when the flex list is visible and its choice or check box
  // changed, takes the applied copies and calls SetFlexTotal; then takes
  // the applied matrix and calls CreateSubSheet with the pending one.
  ShowOutcome Show(SurveyDocument& document, ViewState& view);

 private:
  NavigatorDimensionNode* FindDimension(int32_t dimension);
  bool FlexDiffers() const;

  std::vector<NavigatorDimensionNode> tree_;
  std::vector<FlexTotalItem> flexItems_;
  int32_t firstOffered_ = 0;

  SelectionMatrix selection_;
  SelectionMatrix applied_;
  AlternativeCounts counts_;
  DimensionTable<bool> countsForMinimum_;
  std::vector<bool> greyed_;
  std::vector<bool> flexChoice_;
  std::vector<bool> appliedFlexChoice_;
  bool flexBasedOnSelection_ = false;
  bool appliedFlexBasedOnSelection_ = false;
  bool flexVisible_ = false;
  int32_t total_ = 0;
  bool unsafe_ = false;
  bool showEnabled_ = false;
};

// The reminder to press Show: started when the navigator loses activation
// with unapplied changes and the setting asks for it, it blinks the Show
// button (800 ms per phase) until the navigator is activated again.
class NavigatorReminder {
 public:
  static constexpr int kBlinkMilliseconds = 800;

  // The navigator lost activation. Returns true when the reminder starts
  // (the button becomes highlighted); beep tells whether to sound once.
  bool Deactivated(bool remindSetting, bool beepSetting, bool unappliedChanges, bool* beep);
  // One timer tick: switches between highlight and button face.
  void Tick();
  // The navigator was activated: stops and restores the button face.
  void Activated();

  bool Running() const { return running_; }
  bool Highlighted() const { return highlighted_; }

 private:
  bool running_ = false;
  bool highlighted_ = false;
};

}  // namespace kvf
