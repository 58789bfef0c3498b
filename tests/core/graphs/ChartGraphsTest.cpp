// The chart generators: the value axis rule, index lines, the turned
// one-item graph, empty splits, distribution percentages and grouped
// points, the ranking subtitle, order and exclusion, and the description's
// bounds.
#include <gtest/gtest.h>

#include <QLocale>

#include "core/fixtures/SurveyRecipe.h"
#include "core/graphs/ChartDescription.h"
#include "core/graphs/DistributionGraph.h"
#include "core/graphs/IndexGraph.h"
#include "core/graphs/RankingGraph.h"
#include "core/indexes/IndexCalculation.h"

namespace kvf::testing {
namespace {

ChartOptions Options() {
  ChartOptions options;
  options.locale = QLocale::c();
  return options;
}

SubSheet AllOf(const SurveyDocument& document) {
  SubSheet sheet;
  sheet.respondents = AllRespondents(document);
  sheet.selection = SelectionMatrix::AllSelected(document);
  sheet.description = QStringLiteral("All");
  return sheet;
}

// Region answers 0, 1, 0, 1 (nobody in West); Rating values 3 and 4 with
// answers 0, 1, 0, 1 (total index 3.5); Other on its own alternatives.
SurveyDocument RegionRating() {
  SurveyRecipe recipe;
  recipe.Add(Dimension(QStringLiteral("Region"),
                       {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("West")}, {0, 1, 0, 1}));
  TestQuestion rating = ValuedQuestion(QStringLiteral("Rating"), {3, 4}, {0, 1, 0, 1});
  rating.inTotalIndex = true;
  rating.storedIndex = 3.5;
  recipe.Add(rating);
  SurveyDocument document = recipe.Load();
  document.info.indexDecimals = 1;
  document.info.currentTotalIndex = 3.2;
  return document;
}

TEST(IndexGraph, ValueAxisFromTheLargestAlternativeValue) {
  struct Case {
    int32_t max, divisor;
    bool axis;
    double top;
    std::optional<int32_t> steps;
  };
  for (const Case& c : std::vector<Case>{{45, 10, true, 5.0, 5},
                                         {7, 10, false, 0, {}},
                                         {95, 1, true, 100.0, {}},
                                         {30, 1, true, 30.0, 6},
                                         {31, 1, true, 40.0, 4},
                                         {70, 1, true, 70.0, 7},
                                         {100, 10, true, 10.0, 5},
                                         {-1, 10, false, 0, {}},
                                         {45, 0, false, 0, {}}}) {
    const auto axis = IndexGraphAxis(c.max, c.divisor);
    ASSERT_EQ(axis.has_value(), c.axis) << c.max;
    if (!axis) continue;
    EXPECT_DOUBLE_EQ(axis->first, c.top) << c.max;
    EXPECT_EQ(axis->second, c.steps) << c.max;
  }
}

TEST(IndexGraph, LinesInMaskOrderAtMostTwoHigherFirst) {
  SurveyDocument document = RegionRating();
  const SubSheet sheet = AllOf(document);
  IndexGraphRequest request;
  request.showMain = true;
  request.explainLines = true;
  request.lineMask = kLineTotalOfTotal | kLineTotalOfCurrent;
  ChartDescription chart;
  ASSERT_TRUE(GenerateIndexGraph(document, sheet, request, Options(), chart));
  ASSERT_TRUE(chart.lines.has_value());
  ASSERT_EQ(chart.lines->size(), 2u);
  EXPECT_DOUBLE_EQ(chart.lines->at(0).value, 3.5);
  EXPECT_EQ(chart.lines->at(0).explanation, QStringLiteral(" (3.5)"));
  EXPECT_EQ(chart.lines->at(1).explanation, QStringLiteral(", total (3.2)"));
  // A block graph takes the first two bits of the mask only; -1 lines are skipped.
  document.blocks.push_back(Block{});
  document.blocks.back().flexIndex = 3.9;
  document.blocks.back().graphFlags = 0x100;
  const int32_t block = static_cast<int32_t>(document.blocks.size()) - 1;
  request.block = block;
  request.explainLines = false;
  request.lineMask = kLineTotalOfCurrent | kLineBlockOfTotal | kLineBlockOfCurrent;
  ChartDescription blockChart;
  ASSERT_TRUE(GenerateIndexGraph(document, sheet, request, Options(), blockChart));
  ASSERT_EQ(blockChart.lines->size(), 2u);
  EXPECT_DOUBLE_EQ(blockChart.lines->at(0).value, 3.9);
  EXPECT_DOUBLE_EQ(blockChart.lines->at(1).value, 3.5);
  EXPECT_EQ(blockChart.lines->at(1).explanation, QString());
  // Without lines, the member is never set.
  request.lineMask = 0;
  ChartDescription none;
  ASSERT_TRUE(GenerateIndexGraph(document, sheet, request, Options(), none));
  EXPECT_FALSE(none.lines.has_value());
}

TEST(IndexGraph, OneItemSplitIsTurnedAndEmptySplitsDroppedOrKept) {
  const SurveyDocument document = RegionRating();
  const SubSheet sheet = AllOf(document);
  IndexGraphRequest request;
  request.showMain = true;
  request.splitQuestion = 0;
  request.dataLabels = true;
  ChartDescription dropped;
  ASSERT_TRUE(GenerateIndexGraph(document, sheet, request, Options(), dropped));
  EXPECT_EQ(dropped.points, 2);
  EXPECT_EQ(dropped.sets, 1);
  EXPECT_EQ(dropped.pointLabels, (std::vector<QString>{QStringLiteral("North [2]"), QStringLiteral("South [2]")}));
  EXPECT_TRUE(dropped.colorCode9);
  EXPECT_FALSE(dropped.legendPlacement.has_value());
  EXPECT_DOUBLE_EQ(dropped.Value(0, 0), 3.0);
  EXPECT_EQ(dropped.ValueLabel(0, 1), QStringLiteral("4.0"));

  request.includeEmptySplits = true;
  ChartDescription kept;
  ASSERT_TRUE(GenerateIndexGraph(document, sheet, request, Options(), kept));
  ASSERT_EQ(kept.points, 3);
  EXPECT_EQ(kept.pointLabels[2], QStringLiteral("West [0]"));
  EXPECT_DOUBLE_EQ(kept.Value(0, 2), 0.0);
  EXPECT_EQ(kept.ValueLabel(0, 2), QString());

  // Two items and the split: one set per group, with legends.
  request.showQuestions = true;
  request.includeEmptySplits = false;
  ChartDescription sets;
  ASSERT_TRUE(GenerateIndexGraph(document, sheet, request, Options(), sets));
  EXPECT_EQ(sets.points, 2);
  EXPECT_EQ(sets.sets, 2);
  EXPECT_EQ(*sets.setLegends, (std::vector<QString>{QStringLiteral("North [2]"), QStringLiteral("South [2]")}));
  EXPECT_EQ(sets.legendPlacement, 6);
  EXPECT_FALSE(sets.colorCode9);
}

TEST(DistributionGraph, PercentHalfToEvenAndGroupedPointsFollowTheSelection) {
  EXPECT_DOUBLE_EQ(DistributionPercent(1, 8), 12.0);  // 12.5
  EXPECT_DOUBLE_EQ(DistributionPercent(3, 8), 38.0);  // 37.5
  EXPECT_DOUBLE_EQ(DistributionPercent(5, 0), 0.0);

  SurveyRecipe recipe;
  recipe.Add(
      Dimension(QStringLiteral("Sex"), {QStringLiteral("Female"), QStringLiteral("Male")}, Repeat({0, 1, 1}, 8)));
  recipe.Add(Dimension(QStringLiteral("Age"), {QStringLiteral("Young"), QStringLiteral("Old"), QStringLiteral("Mid")},
                       Repeat({0, 1, 2, 2}, 8)));
  const SurveyDocument document = recipe.Load();
  SubSheet sheet = AllOf(document);
  DistributionGraphRequest request;
  request.type = kDistributionBars;
  request.percent = true;
  ChartDescription bars;
  ASSERT_TRUE(GenerateDistributionGraph(document, sheet, request, Options(), bars));
  EXPECT_EQ(bars.values, (std::vector<std::vector<double>>{{38.0, 62.0}}));  // 37.5 and 62.5
  EXPECT_EQ(bars.leftTitle, QStringLiteral("Percent"));

  request.type = kDistributionPie;
  ChartDescription pie;
  ASSERT_TRUE(GenerateDistributionGraph(document, sheet, request, Options(), pie));
  EXPECT_EQ(pie.pointLabels[0], QStringLiteral("Female (38 %)"));
  EXPECT_EQ(pie.values[0][0], 3.0);
  EXPECT_FALSE(pie.dataLabels.has_value());

  request.type = kDistributionGrouped;
  request.groupDimension = 1;
  sheet.selection.Set(1, 1, false);  // Old left out of the selection
  ChartDescription grouped;
  ASSERT_TRUE(GenerateDistributionGraph(document, sheet, request, Options(), grouped));
  EXPECT_EQ(grouped.pointLabels, (std::vector<QString>{QStringLiteral("Young"), QStringLiteral("Mid")}));
  EXPECT_EQ(grouped.sets, 2);
  EXPECT_EQ(*grouped.setLegends, (std::vector<QString>{QStringLiteral("Female"), QStringLiteral("Male")}));
  EXPECT_EQ(grouped.title, QStringLiteral("Distribution Sex / Age"));
  EXPECT_EQ(grouped.bottomTitle, QStringLiteral("All [8]"));
}

TEST(RankingGraph, SubtitlesPointsOrderAndExclusion) {
  SurveyRecipe recipe;
  recipe.Add(ValuedQuestion(QStringLiteral("A"), {1, 1, 1, 1}, {1, 2, 2, 3, 9}));
  recipe.Add(ValuedQuestion(QStringLiteral("B"), {1, 1, 1, 1}, {1, 1, 3, 3, 0}));
  recipe.Add(ValuedQuestion(QStringLiteral("C"), {1, 1}, {0, 0, 0, 0, 0}));
  SurveyDocument document = recipe.Load();
  document.questions[0].rankingWeight = 3;
  document.questions[1].rankingWeight = 2;
  document.questions[2].rankingWeight = 1;
  const QLocale c = QLocale::c();
  EXPECT_EQ(RankingSubtitle(document, {1}, c), QStringLiteral("Points (1 question weighted 2)"));
  EXPECT_EQ(RankingSubtitle(document, {0, 1}, c), QStringLiteral("Points (2 questions weighted 3 and 2)"));
  EXPECT_EQ(RankingSubtitle(document, {0, 1, 2}, c), QStringLiteral("Points (3 questions weighted 3, 2 and 1)"));
  document.info.languageCode = QStringLiteral("sv");
  EXPECT_EQ(RankingSubtitle(document, {1}, c), QString::fromUtf8("Poäng (1 fråga viktad 2)"));
  EXPECT_EQ(RankingSubtitle(document, {0, 1, 2}, c), QString::fromUtf8("Poäng (3 frågor viktade 3, 2 och 1)"));
  document.info.languageCode = QStringLiteral("en");

  // A's alternatives: points 0, 3+4, 6, 3+4 (answer 9 is outside: nothing).
  // Alternative 2 is left out of rankings; ties keep alternative order.
  document.alternatives[static_cast<size_t>(document.questions[0].firstAlternative + 2)].graphOptions = 2;
  RankingGraphRequest request;
  request.questions = {0, 1};
  request.title = QStringLiteral("Block");
  request.selectionText = QStringLiteral("All");
  ChartDescription sorted;
  ASSERT_TRUE(GenerateRankingGraph(document, AllRespondents(document), request, Options(), sorted));
  EXPECT_EQ(sorted.pointLabels,
            (std::vector<QString>{QStringLiteral("A 2"), QStringLiteral("A 4"), QStringLiteral("A 1")}));
  EXPECT_EQ(sorted.values, (std::vector<std::vector<double>>{{7.0, 7.0, 2.0}}));
  EXPECT_EQ(sorted.title, QStringLiteral("Ranking Block"));
  EXPECT_TRUE(sorted.colorCode9);
  request.sortByPoints = false;
  document.info.hideFirstAlternative = true;
  ChartDescription byOption;
  ASSERT_TRUE(GenerateRankingGraph(document, AllRespondents(document), request, Options(), byOption));
  EXPECT_EQ(byOption.values, (std::vector<std::vector<double>>{{7.0, 7.0}}));
}

TEST(ChartTexts, CutsAndDescriptionBounds) {
  EXPECT_EQ(CutChartText(QString(81, QLatin1Char('x'))), QString(77, QLatin1Char('x')) + QStringLiteral("..."));
  EXPECT_EQ(CutChartText(QString(76, QLatin1Char('x')) + QStringLiteral("  yyyy")),
            QString(76, QLatin1Char('x')) + QStringLiteral("..."));
  EXPECT_EQ(CountedCaption(QString(80, QLatin1Char('d')), 340, QLocale::c()),
            QString(71, QLatin1Char('d')) + QStringLiteral("... [340]"));
  EXPECT_EQ(CountedCaption(QString(74, QLatin1Char('d')), 340, QLocale::c()).size(), 80);

  ChartDescription chart;
  chart.SetPointCount(2);
  chart.SetSetCount(1);
  chart.SetCurrentSet(3);
  chart.SetValue(0, 5.0);  // no such set: ignored
  chart.SetCurrentSet(0);
  chart.SetValue(2, 5.0);  // no such point: ignored
  chart.SetValue(1, 4.0);
  EXPECT_EQ(chart.values, (std::vector<std::vector<double>>{{0.0, 4.0}}));
  EXPECT_FALSE(chart.setLegends.has_value());
  chart.SetPointCount(kMaxChartCells + 1);  // beyond the budget: no cells at all
  EXPECT_TRUE(chart.values.empty() && chart.pointLabels.empty());
}

}  // namespace
}  // namespace kvf::testing
