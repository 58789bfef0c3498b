#pragma once
// The shape of an index table (Copy Indexes): which sub-selections become
// its columns or rows, and which index groups its other side lists. Pure
// functions of the document and the current selection; IndexExport.h
// computes the values and the text.
//
// Sub-selections, in this order: "Total" ("Totalt" when the document's
// language code is "sv") holding the whole selection, when asked for; then,
// for each chosen category (a dimension question, in Dimensions order
// whatever order they were chosen in, each once), one sub-selection per
// offered alternative (from 1 when HideFirstAlternative is set) named
// "<question Name>: <alternative Name>", holding the selected respondents
// whose answer names that alternative. A respondent whose answer names no
// alternative belongs to no category sub-selection.
//
// Index groups: 0 the total index; while walking OverviewQuestions, 1 a
// block row where the primary block changes (to a block that is not -1,
// has IncludeInCopy and a StoredIndex other than -1), 2 the same for the
// secondary block (only when the document labels its sub-block line,
// IndexLabels 2), 3 a row per question whose StoredIndex is not -1; then 4
// every user block (FromFile clear) with IncludeInCopy, in block order.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/text/BiText.h"

namespace kvf {

// The set-up dialog's choices. Kept by the viewer until the program ends.
struct IndexExportSettings {
  bool totalSubSelection = false;
  std::vector<int32_t> categories;  // question numbers of dimensions
  bool showCounts = false;
  std::array<bool, 5> groups{};  // 0 total, 1 blocks, 2 sub-blocks, 3 questions, 4 user blocks
  bool fullQuestionText = false;
  bool subSelectionsInColumns = false;
};

struct IndexSubSelection {
  QString name;
  std::vector<int32_t> respondents;
};

// One row of index groups: what its values are computed over.
struct IndexGroupRow {
  enum class Kind { kTotal, kBlock, kQuestion };
  Kind kind = Kind::kTotal;
  int32_t target = -1;  // the block or question number
  QString name;
};

// Whether index group 2 (all sub-blocks) can be chosen: the document has a
// label for its sub-block index line.
bool SubBlockGroupOffered(const SurveyDocument& document);

// The rule of the dialog's OK: a sub-selection (the total or a category
// that is a dimension) and an index group that can be chosen.
bool IndexExportAllowed(const SurveyDocument& document, const IndexExportSettings& settings);

// "Total" / "Totalt" and "Answers" / "Antal" by the document's language code.
QString TotalWord(const SurveyDocument& document);
QString AnswersWord(const SurveyDocument& document);

// The chosen categories that are dimensions, in Dimensions order, each once.
std::vector<int32_t> ChosenCategories(const SurveyDocument& document, const std::vector<int32_t>& categories);

// REQUIRES: every respondent of selection lies in the matrix (as a sheet's
// respondents do); others are skipped.
std::vector<IndexSubSelection> BuildIndexSubSelections(const SurveyDocument& document,
                                                       const std::vector<int32_t>& selection,
                                                       const IndexExportSettings& settings);

std::vector<IndexGroupRow> BuildIndexGroupRows(const SurveyDocument& document, const IndexExportSettings& settings);

// The progress window's and the main window's texts.
BiText CopyIndexesCaption();             // "Copy Indexes"
BiText PreparingIndexCopyText();         // "Preparing to copy..."
BiText CalculatingIndexesText();         // "Calculating indexes..."
BiText CopyingIndexesToClipboardText();  // "Copying indexes to clipboard..."
BiText CancelingIndexCopyText();         // "Canceling copy..."
BiText IndexesCopiedText();              // "Indexes copied to clipboard!"
BiText IndexCopyCanceledText();          // "Copying of indexes was canceled!"

}  // namespace kvf
