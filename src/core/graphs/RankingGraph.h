#pragma once
// The block and question ranking graphs: points per alternative of the
// questions' shared alternative set, each answer adding its question's
// RankingWeight, drawn as one set of bars through a ChartInterface.
//
// Questions that do not share the first question's alternatives: an
// answer adds points only when it lies inside the first question's
// alternative run (0 <= answer < its AlternativeCount, cut at the end of
// the alternative table); other answers add nothing.
#include <QString>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/graphs/ChartInterface.h"
#include "core/graphs/ChartTexts.h"
#include "core/text/Result.h"

namespace kvf {

// GraphOptions bit 1: the alternative is left out of ranking graphs.
inline constexpr int32_t kGraphOptionNoRanking = 2;

struct RankingGraphRequest {
  std::vector<int32_t> questions;
  bool sortByPoints = true;  // false: alternative order
  QString title;             // the block or question Name
  QString selectionText;     // SelectionDescription
};

// "Points (3 questions weighted 3, 2 and 1)" in the document's language.
QString RankingSubtitle(const SurveyDocument& document, const std::vector<int32_t>& questions, const QLocale& locale);

// Fills the chart from the respondents' answers. REQUIRES: at least one
// question (an empty block is refused by the caller with EmptyBlockText).
Status GenerateRankingGraph(const SurveyDocument& document, const std::vector<int32_t>& respondents,
                            const RankingGraphRequest& request, const ChartOptions& options, ChartInterface& chart);

}  // namespace kvf
