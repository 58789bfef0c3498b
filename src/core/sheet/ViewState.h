#pragma once
// The view state of one open document: the current selection (the sub
// sheet), the flex total it is compared with, and the operations that
// change them (CreateSubSheet, SetFlexTotal). Windows and kvf read this
// state; they never recompute it.
//
// Ownership: the view state owns its lists and its random source; it does
// not own the document, which every operation receives by reference and
// which must be the document the state was started for (StartDocument).
// The operations change the document's flex-total caches only
// (CurrentTotalIndex, the questions' and blocks' FlexIndex).
//
// Drawing is a seam: every registered SheetObserver, in the order added, is
// told to erase the old sheet, draw the new one and fit the view, and hears
// about the split entries, the data-row commands and the flex total's index.
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/RandomSource.h"
#include "core/sheet/SelectionMatrix.h"
#include "core/sheet/SubSheet.h"
#include "core/text/BiText.h"
#include "core/text/Result.h"

namespace kvf {

// The second selection the current one is compared with.
struct FlexTotal {
  std::vector<int32_t> respondents;  // FlexTotalRespondents, ascending
  std::vector<bool> alternatives;    // FlexTotalAlternatives, one per alternative of the flex question
  bool onCurrentSelection = false;   // FlexTotalOnCurrentSelection
  QString caption;                   // FlexTotalCaption
};

class SheetObserver {
 public:
  virtual ~SheetObserver() = default;
  virtual void EraseSheet() {}
  // The new sheet, to be drawn on the screen (mode 0).
  virtual void DrawSheet(const SurveyDocument& document, const SubSheet& sheet) {}
  virtual void DesignSheetView() {}
  // Split-by item k is enabled exactly when splitDisabled[k] is false.
  virtual void SplitAvailabilityChanged(const std::vector<bool>& splitDisabled) {}
  // Copy to Mini-overview and Copy Overview as Data follow this flag.
  virtual void DataRowsAllowedChanged(bool allowed) {}
  // The flex total's total index changed (the detail window shows it).
  virtual void FlexTotalIndexChanged(double currentTotalIndex) {}
};

// The refusal texts of CreateSubSheet.
BiText NoMatchingAnswersText();

class ViewState {
 public:
  // Seeds its random source from the clock.
  ViewState();
  ViewState(const ViewState&) = delete;
  ViewState& operator=(const ViewState&) = delete;

  // Adds an observer (once; adding it again does nothing) / removes it.
  // REQUIRES: observer outlives this state or is removed first.
  void AddObserver(SheetObserver* observer);
  void RemoveObserver(SheetObserver* observer);
  // Replaces the random source. REQUIRES: random is not null.
  void SetRandomSource(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }
  void Reseed(uint64_t seed);
  // The user settings "Overview Row Order" (0, 1 or 2) and "Overview Max
  // Rows" (rows shown at most).
  void SetUserRowOrder(int32_t rowOrder) { userRowOrder_ = rowOrder; }
  void SetOverviewMaxRows(int32_t maxRows) { overviewMaxRows_ = maxRows; }
  int32_t UserRowOrder() const { return userRowOrder_; }
  int32_t OverviewMaxRows() const { return overviewMaxRows_; }

  // A document was loaded: the flex total becomes every respondent with
  // every alternative of the flex question chosen, captioned with the
  // document's AllRespondentsCaption; there is no sheet yet.
  void StartDocument(const SurveyDocument& document);
  // The document is closing: erases the sheet and forgets everything.
  void Clear();

  // Builds the current selection. On failure the status carries the text to
  // show (the previous sheet then stays; the counts, split flags, flex
  // differences and flex total of this run still take effect).
  // REQUIRES: selection shaped like SelectionMatrix::AllSelected(document).
  Status CreateSubSheet(SurveyDocument& document, const SelectionMatrix& selection);

  // Sets the flex total from one flag per alternative of the flex question
  // (missing entries read as false) and the "based on current selection"
  // flag.
  void SetFlexTotal(SurveyDocument& document, const std::vector<bool>& alternatives, bool onCurrentSelection);

  const SubSheet& Sheet() const { return sheet_; }
  const FlexTotal& Flex() const { return flex_; }
  // Results of the last CreateSubSheet run (also when it was refused).
  int32_t SelectionCount() const { return selectionCount_; }
  const AlternativeCounts& Counts() const { return counts_; }
  const std::vector<bool>& SplitDisabled() const { return splitDisabled_; }
  bool FlexTotalDiffers() const { return flexTotalDiffers_; }

 private:
  void RecountFlexOnSelection(SurveyDocument& document, const SelectionMatrix& selection);
  void RecalculateFlexIndexes(SurveyDocument& document);
  QString DescribeDimension(const SurveyDocument& document, const SelectionMatrix& selection, int32_t k) const;
  void OrderRows(const SurveyDocument& document, std::vector<int32_t>& list, SubSheet& sheet);

  SubSheet sheet_;
  FlexTotal flex_;
  AlternativeCounts counts_;
  std::vector<bool> splitDisabled_;
  int32_t selectionCount_ = 0;
  bool flexTotalDiffers_ = false;
  int32_t userRowOrder_ = 0;
  int32_t overviewMaxRows_ = 300;
  // Calls notify(observer) for every observer, on a copy of the list so an
  // observer may remove itself.
  template <typename Notify>
  void NotifyObservers(Notify notify) const {
    const std::vector<SheetObserver*> observers = observers_;
    for (SheetObserver* observer : observers) notify(*observer);
  }

  std::unique_ptr<RandomSource> random_;
  std::vector<SheetObserver*> observers_;
};

// The flex total's caption for a choice that is not "everything": the flex
// question's SelectionName, a space and the chosen alternatives'
// SelectionNames (from alternative 1 when the first is hidden) joined by
// ", " with " & " before the last; prefixed by "Current selection but " or,
// for a document in Swedish, "Aktuellt urval men " when based on the
// current selection.
QString FlexTotalCaption(const SurveyDocument& document, const std::vector<bool>& alternatives,
                         bool onCurrentSelection);

}  // namespace kvf
