#include "core/graphs/RankingGraph.h"

#include <algorithm>

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

}  // namespace

QString RankingSubtitle(const SurveyDocument& document, const std::vector<int32_t>& questions, const QLocale& locale) {
  const bool sv = SwedishDocument(document);
  const auto number = [&](int64_t n) { return locale.toString(static_cast<double>(n), 'f', 0); };
  const auto weight = [&](int32_t q) {
    const Question* question = document.QuestionAt(q);
    return number(question == nullptr ? 0 : question->rankingWeight);
  };
  QString text = (sv ? S("Poäng (") : S("Points (")) + number(static_cast<int64_t>(questions.size()));
  if (questions.size() == 1) {
    text += (sv ? S(" fråga viktad ") : S(" question weighted ")) + weight(questions[0]);
  } else {
    text += sv ? S(" frågor viktade ") : S(" questions weighted ");
    for (size_t i = 0; i < questions.size(); ++i) {
      if (i > 0) text += i + 1 == questions.size() ? (sv ? S(" och ") : S(" and ")) : S(", ");
      text += weight(questions[i]);
    }
  }
  return text + QLatin1Char(')');
}

Status GenerateRankingGraph(const SurveyDocument& document, const std::vector<int32_t>& respondents,
                            const RankingGraphRequest& request, const ChartOptions& options, ChartInterface& chart) {
  const int32_t first = request.questions.empty() ? -1 : request.questions.front();
  const int32_t count = std::max(0, document.AnswerPositionCount(first));
  std::vector<int64_t> points(static_cast<size_t>(count), 0);
  for (int32_t q : request.questions) {
    const Question* question = document.QuestionAt(q);
    if (question == nullptr) continue;
    const int64_t weight = question->rankingWeight;
    for (int32_t r : respondents) {
      const int32_t a = document.GetData(r, q);
      if (a >= 0 && a < count) points[static_cast<size_t>(a)] += weight;
    }
  }
  // Alternatives from the first offered one, without those left out of
  // rankings; sorted by points with a stable sort (ties keep their order).
  std::vector<int32_t> order;
  for (int32_t a = document.FirstOfferedAlternative(); a < count; ++a) {
    const Alternative* alternative = document.AnswerAlternative(first, a);
    if (alternative != nullptr && (alternative->graphOptions & kGraphOptionNoRanking) == 0) order.push_back(a);
  }
  if (request.sortByPoints)
    std::stable_sort(order.begin(), order.end(), [&](int32_t x, int32_t y) {
      return points[static_cast<size_t>(x)] > points[static_cast<size_t>(y)];
    });

  const bool sv = SwedishDocument(document);
  chart.HoldDrawing();
  chart.SetChartType(ChartType::Bars);
  chart.SetHorizontal(false);
  chart.SetFixedBarStyles();
  chart.SetDataLabels(true);
  chart.SetLeftTitle(RankingSubtitle(document, request.questions, options.locale));
  chart.SetMainTitle(CutChartText((sv ? S("Rankning ") : S("Ranking ")) + request.title));
  chart.SetBottomTitle(CountedCaption(request.selectionText, static_cast<int64_t>(respondents.size()), options.locale));
  chart.SetLegendPlacement(options.legendPlacement);
  chart.SetVerticalLabels(true);
  chart.SetPointCount(static_cast<int32_t>(order.size()));
  chart.SetSetCount(1);
  chart.SetCurrentSet(0);
  for (size_t p = 0; p < order.size(); ++p) {
    const int32_t point = static_cast<int32_t>(p);
    chart.SetValue(point, static_cast<double>(points[static_cast<size_t>(order[p])]));
    chart.SetPointLabel(point, GroupLabel(document, first, order[p], options.shortCategoryNames));
  }
  chart.SetColorCode9();
  chart.Draw();
  return Status::Ok();
}

}  // namespace kvf
