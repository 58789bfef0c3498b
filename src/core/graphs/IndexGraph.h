#pragma once
// The total and block index graphs: the indexes of the total, the blocks or
// the questions over the current selection, optionally split into groups by
// a question, with up to two reference lines, drawn as bars through a
// ChartInterface.
#include <QString>
#include <cstdint>
#include <optional>

#include "core/document/SurveyDocument.h"
#include "core/graphs/ChartInterface.h"
#include "core/graphs/ChartTexts.h"
#include "core/sheet/SubSheet.h"
#include "core/text/Result.h"

namespace kvf {

// The index lines of the set-up dialogs, by bit.
inline constexpr int32_t kLineTotalOfTotal = 1;    // CurrentTotalIndex
inline constexpr int32_t kLineTotalOfCurrent = 2;  // total index of the current selection
inline constexpr int32_t kLineBlockOfTotal = 4;    // the block's FlexIndex
inline constexpr int32_t kLineBlockOfCurrent = 8;  // block index of the current selection

struct IndexGraphRequest {
  int32_t block = -1;                  // -1: the total index graph
  bool showMain = false;               // the total (total graph) or the block's index (block graph)
  bool showBlocksOrQuestions = false;  // total graph: block indexes; block graph: question indexes
  bool showQuestions = false;          // total graph: question indexes (before block indexes)
  int32_t splitQuestion = -1;          // -1: one group, the current selection
  bool includeEmptySplits = false;
  QString title;
  bool horizontal = false;
  bool verticalLabels = false;
  int32_t lineMask = 0;  // kLine... bits; a total graph uses the first two only
  bool explainLines = false;
  bool dataLabels = false;
};

// The value axis of an index graph from MaxAlternativeValue m and
// IndexDivisor: none when m is -1 (or below 10) or the divisor is below 1;
// else the leading digit d of m, plus 1 when the rest is not all zeros, and
// the axis 0 .. d x 10^(digits - 1) / divisor in 5 steps (d 1, 2, 5), 6 (3,
// 6, 9), 4 (4, 8), 7 (7), or steps left open (d 10).
std::optional<std::pair<double, std::optional<int32_t>>> IndexGraphAxis(int32_t maxAlternativeValue,
                                                                        int32_t indexDivisor);

// Fills the chart. Fails with GraphTooLargeText when items times groups
// exceed kMaxChartCells. A document without indexes gives no bars (every
// index is -1) and no lines.
Status GenerateIndexGraph(const SurveyDocument& document, const SubSheet& sheet, const IndexGraphRequest& request,
                          const ChartOptions& options, ChartInterface& chart);

// The titles the set-up dialogs build on OK, in the document's language.
QString TotalIndexGraphTitle(const SurveyDocument& document, bool showTotal, bool showBlocks, bool showQuestions,
                             int32_t splitQuestion);
QString BlockIndexGraphTitle(const SurveyDocument& document, int32_t block, bool showBlock, bool showQuestions,
                             int32_t splitQuestion);

}  // namespace kvf
