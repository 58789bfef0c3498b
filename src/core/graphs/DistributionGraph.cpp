#include "core/graphs/DistributionGraph.h"

#include <cmath>
#include <vector>

#include "core/graphs/BasicGraph.h"
#include "core/graphs/ChartDescription.h"

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

int32_t DimensionQuestion(const SurveyDocument& document, int32_t dimension) {
  if (dimension < 0 || dimension >= document.DimensionCount()) return -1;
  return document.dimensions[static_cast<size_t>(dimension)];
}

// The shown alternative positions of a question: from the first offered one
// up to where its alternatives (or the alternative table) end.
std::vector<int32_t> Shown(const SurveyDocument& document, int32_t question) {
  std::vector<int32_t> shown;
  for (int32_t a = document.FirstOfferedAlternative(); a < document.AnswerPositionCount(question); ++a)
    shown.push_back(a);
  return shown;
}

}  // namespace

double DistributionPercent(int64_t count, int64_t total) {
  if (total <= 0) return 0.0;
  return std::nearbyint(static_cast<double>(count) * 100.0 / static_cast<double>(total));
}

Status GenerateDistributionGraph(const SurveyDocument& document, const SubSheet& sheet,
                                 const DistributionGraphRequest& request, const ChartOptions& options,
                                 ChartInterface& chart) {
  const int32_t main = DimensionQuestion(document, request.mainDimension);
  const bool grouped = request.type == kDistributionGrouped;
  const int32_t group = grouped ? DimensionQuestion(document, request.groupDimension) : -1;
  const std::vector<int32_t> mainShown = Shown(document, main);
  std::vector<int32_t> groupShown;
  if (grouped) {
    for (int32_t a : Shown(document, group))
      if (sheet.selection.Get(request.groupDimension, a)) groupShown.push_back(a);
  }
  const int64_t sets = grouped ? static_cast<int64_t>(mainShown.size()) : 1;
  const int64_t points = grouped ? static_cast<int64_t>(groupShown.size()) : static_cast<int64_t>(mainShown.size());
  if (points * sets > kMaxChartCells) return Status::Failure(GraphTooLargeText());

  // count[main answer][group answer], answers outside the alternatives left out.
  const int32_t mainCount = std::max(0, document.AnswerPositionCount(main));
  const int32_t groupCount = grouped ? std::max(0, document.AnswerPositionCount(group)) : 1;
  if (static_cast<int64_t>(mainCount) * groupCount > kMaxChartCells) return Status::Failure(GraphTooLargeText());
  std::vector<int64_t> counts(static_cast<size_t>(mainCount) * static_cast<size_t>(groupCount), 0);
  if (main >= 0) {
    for (int32_t r : sheet.respondents) {
      const int32_t a = document.GetData(r, main);
      const int32_t g = grouped ? document.GetData(r, group) : 0;
      if (a >= 0 && a < mainCount && g >= 0 && g < groupCount)
        ++counts[static_cast<size_t>(a) * static_cast<size_t>(groupCount) + static_cast<size_t>(g)];
    }
  }
  const auto count = [&](int32_t a, int32_t g) {
    return counts[static_cast<size_t>(a) * static_cast<size_t>(groupCount) + static_cast<size_t>(g)];
  };
  const int64_t total = static_cast<int64_t>(sheet.respondents.size());
  const auto value = [&](int64_t n) {
    return request.percent ? DistributionPercent(n, total) : static_cast<double>(n);
  };

  const bool sv = SwedishDocument(document);
  const auto name = [&](int32_t question) {
    const Question* q = document.QuestionAt(question);
    return q == nullptr ? QString() : document.GetText(q->name);
  };
  QString title = (sv ? S("Fördelning ") : S("Distribution ")) + name(main);
  if (grouped) title += QStringLiteral(" / ") + name(group);
  const QString selection = CountedCaption(sheet.description, total, options.locale);

  chart.HoldDrawing();
  if (request.type == kDistributionPie) {
    chart.SetChartType(request.threeD ? ChartType::Pie3D : ChartType::Pie);
    chart.SetHorizontal(false);
    chart.SetLeftTitle(QString());
    chart.SetBottomTitle(selection);
  } else {
    chart.SetChartType(request.threeD ? ChartType::Bars3D : ChartType::Bars);
    const QString caption = request.percent ? (sv ? S("Procent") : S("Percent")) : (sv ? S("Antal") : S("Number"));
    chart.SetHorizontal(request.horizontal);
    if (request.horizontal) {
      chart.SetLeftTitle(selection);
      chart.SetBottomTitle(caption);
    } else {
      chart.SetLeftTitle(caption);
      chart.SetBottomTitle(selection);
      chart.SetVerticalLabels(request.verticalLabels);
    }
    chart.SetFixedBarStyles();
    chart.SetDataLabels(true);
  }
  chart.SetMainTitle(CutChartText(title));
  chart.SetLegendPlacement(options.legendPlacement);
  chart.SetPointCount(static_cast<int32_t>(points));
  chart.SetSetCount(static_cast<int32_t>(sets));

  if (!grouped) {
    chart.SetCurrentSet(0);
    for (size_t p = 0; p < mainShown.size(); ++p) {
      const int32_t a = mainShown[p];
      const int64_t n = count(a, 0);
      const int32_t point = static_cast<int32_t>(p);
      if (request.type == kDistributionPie) {
        const Alternative* alternative = document.AnswerAlternative(main, a);
        QString label = alternative == nullptr ? QString() : document.GetText(alternative->name);
        if (request.percent) {
          const double share = total > 0 ? static_cast<double>(n) * 100.0 / static_cast<double>(total) : 0.0;
          label += QStringLiteral(" (") + options.locale.toString(share, 'f', 0) + QStringLiteral(" %)");
        } else {
          label += QStringLiteral(" [") + options.locale.toString(static_cast<double>(n), 'f', 0) + QLatin1Char(']');
        }
        chart.SetPointLabel(point, label);
        chart.SetValue(point, static_cast<double>(n));
      } else {
        chart.SetPointLabel(point, GroupLabel(document, main, a, options.shortCategoryNames));
        chart.SetValue(point, value(n));
      }
    }
  } else {
    for (size_t s = 0; s < mainShown.size(); ++s) {
      chart.SetCurrentSet(static_cast<int32_t>(s));
      for (size_t p = 0; p < groupShown.size(); ++p)
        chart.SetValue(static_cast<int32_t>(p), value(count(mainShown[s], groupShown[p])));
      const Alternative* alternative = document.AnswerAlternative(main, mainShown[s]);
      chart.SetSetLegend(static_cast<int32_t>(s),
                         alternative == nullptr ? QString() : document.GetText(alternative->name));
    }
    for (size_t p = 0; p < groupShown.size(); ++p)
      chart.SetPointLabel(static_cast<int32_t>(p),
                          GroupLabel(document, group, groupShown[p], options.shortCategoryNames));
  }
  chart.Draw();
  return Status::Ok();
}

}  // namespace kvf
