#pragma once
// The index table of Copy Indexes: the value of every index group row
// (IndexExportLayout.h) over every sub-selection, computed a row at a time
// so that a window can show progress and stop between rows, and the
// tab-separated text that goes to the clipboard.
//
//   Result<IndexExport> made = IndexExport::Create(document, respondents, settings);
//   if (!made) ...                                   // the table is too large
//   if (!made->Calculate([&](int done, int total) { return !cancelled; })) ...  // stopped
//   QString text = made->Text(description, settings.showCounts, settings.subSelectionsInColumns);
//
// Values: kNoIndex (-1) for an empty sub-selection or when no answer
// counts; kTooFewIndex (-2) for a sub-selection with fewer respondents than
// MinimumGraphSelection; else the row's index (CalculateTotalIndex,
// CalculateBlockIndex, CalculateColumnsIndex of the one question) over the
// sub-selection. Each question's answers are tallied once per
// sub-selection however many rows use it, and a block that comes back as a
// row again is not computed again.
//
// Ownership: the export keeps a reference to the document, which must
// outlive it and stay unchanged while it calculates.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/indexes/IndexCalculation.h"
#include "core/indexes/IndexExportLayout.h"
#include "core/text/Result.h"

namespace kvf {

inline constexpr double kTooFewIndex = -2.0;

class IndexExport {
 public:
  // Tables of more cells than this are refused (a hostile document could
  // ask for billions).
  static constexpr int64_t kMaxCells = 4'000'000;

  // Lays out the table for the respondents of the current selection.
  // REQUIRES: document.info.HasIndexes().
  static Result<IndexExport> Create(const SurveyDocument& document, const std::vector<int32_t>& selection,
                                    const IndexExportSettings& settings);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  int RowsDone() const { return done_; }
  bool Finished() const { return done_ == RowCount(); }
  const std::vector<IndexSubSelection>& SubSelections() const { return subSelections_; }
  const std::vector<IndexGroupRow>& Rows() const { return rows_; }

  // Computes the next row. REQUIRES: !Finished().
  void CalculateNextRow();
  // Computes the remaining rows, calling progress(rows done, row count)
  // after each; progress returning false stops the calculation. True when
  // every row was computed.
  bool Calculate(const std::function<bool(int, int)>& progress = {});

  // The value of a computed row over a sub-selection.
  double Value(int row, int subSelection) const {
    return values_[static_cast<size_t>(row) * subSelections_.size() + static_cast<size_t>(subSelection)];
  }

  // The clipboard text: cells separated by TAB, lines by CR LF, nothing
  // after the last. A value cell is empty for -1, "---" for -2, else the
  // value with the document's IndexDecimals and no digit grouping in the
  // locale; a count cell is the respondent count without grouping.
  // REQUIRES: Finished().
  QString Text(const QString& description, bool showCounts, bool subSelectionsInColumns,
               const QLocale& locale = QLocale::system()) const;

 private:
  IndexExport(const SurveyDocument& document, std::vector<IndexSubSelection> subSelections,
              std::vector<IndexGroupRow> rows);
  // The index of the questions over sub-selection s, from the tallies.
  double ListIndex(const std::vector<int32_t>& questions, size_t s);
  const IndexSum& QuestionSum(int32_t question, size_t s);

  const SurveyDocument* document_;
  std::vector<IndexSubSelection> subSelections_;
  std::vector<IndexGroupRow> rows_;
  std::vector<double> values_;    // [row * sub-selections + sub-selection]
  std::vector<bool> computable_;  // per sub-selection: large enough to compute
  int done_ = 0;
  // Tallies per question: slot_[q] is the first of its sub-selections'
  // entries in sums_, -1 before it is tallied. Unused (direct computation)
  // when the tallies of every question would not fit the budget.
  bool cached_ = false;
  std::vector<int32_t> slot_;
  std::vector<IndexSum> sums_;
  std::vector<int32_t> blockRow_;  // per block: the first row that computed it, -1
};

}  // namespace kvf
