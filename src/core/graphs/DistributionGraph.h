#pragma once
// The distribution graph of a background question (a dimension): how the
// current selection answered it, as a pie (type 0), bars (type 1) or bars
// grouped by a second dimension (type 2), drawn through a ChartInterface.
#include <cstdint>

#include "core/document/SurveyDocument.h"
#include "core/graphs/ChartInterface.h"
#include "core/graphs/ChartTexts.h"
#include "core/sheet/SubSheet.h"
#include "core/text/Result.h"

namespace kvf {

inline constexpr int32_t kDistributionPie = 0;
inline constexpr int32_t kDistributionBars = 1;
inline constexpr int32_t kDistributionGrouped = 2;

struct DistributionGraphRequest {
  int32_t mainDimension = 0;
  int32_t type = kDistributionPie;
  int32_t groupDimension = -1;  // type 2 only
  bool percent = false;
  bool threeD = false;
  bool horizontal = false;
  bool verticalLabels = false;
};

// count * 100 / total rounded half to even; 0 when total is 0.
double DistributionPercent(int64_t count, int64_t total);

// Fills the chart. Answers outside a question's alternatives count
// nowhere. Fails with GraphTooLargeText beyond kMaxChartCells; a dimension
// position outside the document draws an empty chart.
Status GenerateDistributionGraph(const SurveyDocument& document, const SubSheet& sheet,
                                 const DistributionGraphRequest& request, const ChartOptions& options,
                                 ChartInterface& chart);

}  // namespace kvf
