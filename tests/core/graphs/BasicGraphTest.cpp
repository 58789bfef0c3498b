// The basic graph data: alternative sets and legends, the GraphValue order,
// counting, shares, labels, index texts and the copied texts.
#include <gtest/gtest.h>

#include <QLocale>

#include "core/fixtures/SurveyRecipe.h"
#include "core/graphs/BasicGraph.h"
#include "core/graphs/BasicGraphRoute.h"

namespace kvf::testing {
namespace {

const QLocale kC = QLocale::c();

// Three questions on alternatives with values 1..3; q0 and q1 share one
// alternative set, q2 has its own.
SurveyDocument ThreeQuestions(bool hideFirst = false) {
  SurveyRecipe recipe;
  recipe.Add(ValuedQuestion(QStringLiteral("A"), {1, 2, 3}, {0, 1, 2, 2, 7}));
  recipe.Add(ValuedQuestion(QStringLiteral("B"), {1, 2, 3}, {1, 1, 1, 0, 0}));
  recipe.Add(ValuedQuestion(QStringLiteral("C"), {1, 2, 3}, {2, 2, 0, 1, 1}));
  recipe.Info().hideFirstAlternative = hideFirst ? writer::kTrue : writer::kFalse;
  SurveyDocument document = recipe.Load();
  document.questions[1].firstAlternative = document.questions[0].firstAlternative;
  return document;
}

BasicGraphData Graph(const SurveyDocument& document, std::vector<int32_t> questions, int32_t split = -1,
                     bool flex = false, BasicGraphOptions options = {}) {
  BasicGraphRequest request;
  request.questions = std::move(questions);
  request.splitQuestion = split;
  request.flex = flex;
  request.title = QStringLiteral("T");
  for (int32_t r = 0; r < document.RespondentCount(); ++r) request.respondents.push_back(r);
  BasicGraphSelection selection{QStringLiteral("All"), document.RespondentCount(), QStringLiteral("Flex"), 2};
  return GenerateBasicGraph(document, request, selection, options, kC).Value();
}

std::vector<int32_t> Counts(const BasicGraphData& data, size_t bar) {
  std::vector<int32_t> counts;
  const BasicGraphBar& b = data.bars[bar];
  for (int32_t k = 0; k < b.segmentCount; ++k)
    counts.push_back(data.segments[static_cast<size_t>(b.firstSegment + k)].count);
  return counts;
}

TEST(BasicGraph, AlternativeSetsShareOneLegendInOrderOfFirstAppearance) {
  const SurveyDocument document = ThreeQuestions();
  // C, A, B: C's set comes first, A and B share the second.
  const BasicGraphData data = Graph(document, {2, 0, 1});
  ASSERT_EQ(data.bars.size(), 3u);
  EXPECT_EQ(data.alternativeSetCount, 2);
  EXPECT_EQ(data.legend.size(), 6u);
  EXPECT_EQ(data.bars[0].firstLegend, 0);
  EXPECT_EQ(data.bars[1].firstLegend, 3);
  EXPECT_EQ(data.bars[2].firstLegend, 3);
  EXPECT_EQ(data.legend[0].text, QStringLiteral("C 1"));
  EXPECT_EQ(data.legend[3].text, QStringLiteral("A 1"));
  // Answer 7 of A names no alternative: it counts in no segment and no total.
  EXPECT_EQ(Counts(data, 1), (std::vector<int32_t>{1, 1, 2}));
  EXPECT_EQ(data.segments[3].share, 250);
  EXPECT_EQ(data.segments[5].percentText, QStringLiteral("50"));
  // A set shared by every question: one legend.
  EXPECT_EQ(Graph(document, {0, 1}).legend.size(), 3u);
  // A question listed many times is one bar each, within the budget.
  EXPECT_EQ(Graph(document, std::vector<int32_t>(kMaxGraphBars, 0)).bars.size(), static_cast<size_t>(kMaxGraphBars));
  BasicGraphRequest tooMany;
  tooMany.questions.assign(kMaxGraphBars + 1, 0);
  EXPECT_EQ(GenerateBasicGraph(document, tooMany, {}, {}, kC).Error().Message().english, GraphTooLargeText().english);
  EXPECT_EQ(BasicGraphLegendsText(Graph(document, {2, 0, 1})),
            QStringLiteral("T\r\nC 1\tA 1\r\nC 2\tA 2\r\nC 3\tA 3\r\nAll [5]"));
}

TEST(BasicGraph, GraphValueOrderNegativesLastTiesInOrderAndReversible) {
  SurveyRecipe recipe;
  recipe.Add(ValuedQuestion(QStringLiteral("Q"), {1, 1, 1, 1, 1}, {0, 1, 2, 3, 4}));
  SurveyDocument document = recipe.Load();
  const int32_t first = document.questions[0].firstAlternative;
  const int32_t values[] = {2, -1, 5, 2, -3};
  for (int a = 0; a < 5; ++a) document.alternatives[static_cast<size_t>(first + a)].graphValue = values[a];
  EXPECT_EQ(OrderedAlternatives(document, 0, false), (std::vector<int32_t>{2, 0, 3, 1, 4}));
  EXPECT_EQ(OrderedAlternatives(document, 0, true), (std::vector<int32_t>{0, 3, 2, 1, 4}));
  document.info.hideFirstAlternative = true;
  EXPECT_EQ(OrderedAlternatives(document, 0, false), (std::vector<int32_t>{2, 3, 1, 4}));
}

TEST(BasicGraph, HiddenFirstAlternativeStillCountsInTotals) {
  const SurveyDocument document = ThreeQuestions(true);
  const BasicGraphData data = Graph(document, {1});
  // B: answers 1,1,1,0,0: alternative 0 hidden, total 5.
  ASSERT_EQ(data.bars[0].segmentCount, 2);
  EXPECT_EQ(data.segments[0].count, 3);
  EXPECT_EQ(data.segments[0].share, 600);
  EXPECT_EQ(data.segments[1].share, 0);
  EXPECT_EQ(data.legend.size(), 2u);
}

TEST(BasicGraph, PerMilleSharesRoundHalfToEven) {
  const struct {
    int64_t count, total;
    int32_t share;
  } cases[] = {{1, 16, 62}, {3, 16, 188}, {5, 16, 312}, {1, 3, 333}, {2, 3, 667},
               {0, 7, 0},   {7, 7, 1000}, {1, 2000, 0}, {3, 2000, 2}};
  for (const auto& c : cases) EXPECT_EQ(PerMilleShare(c.count, c.total), c.share) << c.count << "/" << c.total;
}

TEST(BasicGraph, SplitBarsPerSplitAlternativeWithEmptyGroups) {
  SurveyRecipe recipe;
  recipe.Add(ValuedQuestion(QStringLiteral("Q"), {1, 3}, {0, 1, 1, 0}));
  recipe.Add(Dimension(QStringLiteral("Region"),
                       {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("West")}, {0, 0, 2, 9}));
  const SurveyDocument document = recipe.Load();
  const BasicGraphData data = Graph(document, {0}, 1, false, {false, false});
  ASSERT_EQ(data.bars.size(), 3u);
  // Index of North: (1 + 3) / 2 = 2; South has no respondent; West (3).
  EXPECT_EQ(data.bars[0].label, QStringLiteral("North (2) [2]"));
  EXPECT_EQ(data.bars[1].label, QStringLiteral("South [0]"));
  EXPECT_EQ(data.bars[2].label, QStringLiteral("West (3) [1]"));
  EXPECT_EQ(data.segments[2].countText, QString());
  EXPECT_EQ(data.subtitle, QStringLiteral("Q text / Region"));
  // The summed index covers the 3 answers of the bars.
  EXPECT_EQ(data.selectionText, QStringLiteral("All [4]"));
  EXPECT_EQ(data.indexText, QStringLiteral("Total: 2"));
  EXPECT_EQ(SplitGraphTitle(document, 0, 1), QStringLiteral("Q split by Reg"));
}

TEST(BasicGraph, LabelsAndIndexTextsWithAndWithoutFlex) {
  SurveyDocument document = ThreeQuestions();
  document.info.indexDecimals = 1;
  document.questions[1].flexIndex = 2.5;
  const BasicGraphData plain = Graph(document, {0, 1});
  EXPECT_EQ(plain.bars[1].label, QStringLiteral("B (1.6) B text"));
  EXPECT_EQ(plain.indexText, QStringLiteral("Total: 1.9"));
  EXPECT_EQ(plain.selectionText, QStringLiteral("All [5]"));
  BasicGraphRequest request;
  request.questions = {0, 1};
  request.block = 0;
  request.flex = true;
  request.respondents = {0, 1, 2, 3, 4};
  document.blocks.push_back(Block{});
  document.blocks.back().flexIndex = kNoIndex;
  const BasicGraphData flex =
      GenerateBasicGraph(document, request, {QStringLiteral("All"), 5, QStringLiteral("F"), 2}, {}, kC).Value();
  EXPECT_EQ(flex.bars[1].label, QStringLiteral("B (1.6 / 2.5) B text"));
  EXPECT_EQ(flex.indexText, QStringLiteral("Total: 1.9 / -"));
  EXPECT_EQ(flex.selectionText, QStringLiteral("All [5] / F [2]"));
  // One bar: no summed index; no indexes: neither labels nor texts.
  EXPECT_TRUE(Graph(document, {0}).indexText.isEmpty());
  document.info.indexDivisor = 0;
  const BasicGraphData none = Graph(document, {0, 1}, -1, true);
  EXPECT_EQ(none.bars[0].label, QStringLiteral("A A text"));
  EXPECT_TRUE(none.indexText.isEmpty());
  EXPECT_EQ(none.selectionText, QStringLiteral("All [5]"));
}

TEST(BasicGraph, CopyValuesPadsShortBars) {
  BasicGraphData data;
  data.bars = {{0, 3, QStringLiteral("a")}, {3, 5, QStringLiteral("b")}};
  for (int i = 0; i < 8; ++i) data.segments.push_back({i, 0, QString::number(i), QString::number(i * 10)});
  EXPECT_EQ(BasicGraphValuesText(data, false), QStringLiteral("a\tb\r\n0\t3\r\n1\t4\r\n2\t5\r\n\t6\r\n\t7"));
  EXPECT_EQ(BasicGraphValuesText(data, true).split(QStringLiteral("\r\n")).at(5), QStringLiteral("\t70"));
}

TEST(BasicGraphRoute, StatusTextsBlockQuestionsAndSplitChoices) {
  EXPECT_EQ(BasicGraphRouteTexts(BasicGraphRoute::SplitByAnother, 2).before.swedish,
            QString::fromUtf8("Skapar frågefarktionsgraf..."));
  EXPECT_EQ(BasicGraphRouteTexts(BasicGraphRoute::SplitBy, 2).before.swedish,
            QString::fromUtf8("Skapar frågefraktionsgraf..."));
  EXPECT_EQ(BasicGraphRouteTexts(BasicGraphRoute::ViewBlock, 2).after.english,
            QStringLiteral("Block fraction bar graph generated!"));
  EXPECT_EQ(BasicGraphRouteTexts(BasicGraphRoute::PopupBlock, 2).after.english,
            QStringLiteral("Block fraction graph generated!"));
  EXPECT_EQ(BasicGraphRouteTexts(BasicGraphRoute::QuestionTotal, 1).captionPrefix.swedish,
            QString::fromUtf8("Frågehistogram: "));

  SurveyDocument document = ThreeQuestions();
  document.questions[0].primaryBlock = 4;
  document.questions[1].secondaryBlock = 4;
  document.questions[2].primaryBlock = 4;
  document.questions[2].secondaryBlock = 5;
  SubSheet sheet;
  sheet.columns = {2, 1, 0};
  EXPECT_EQ(PopupGraphBlock(document, 2, true), 4);
  EXPECT_EQ(PopupGraphBlock(document, 2, false), 5);
  EXPECT_EQ(PopupGraphBlock(document, 0, false), 4);
  EXPECT_EQ(PopupBlockQuestions(document, sheet, 4, true), (std::vector<int32_t>{2, 0}));
  EXPECT_EQ(PopupBlockQuestions(document, sheet, 4, false), (std::vector<int32_t>{1}));

  SurveyRecipe recipe = RegionSexRecipe(6);
  TestQuestion overviewDimension =
      Dimension(QStringLiteral("Age"), {QStringLiteral("Y"), QStringLiteral("O")}, Repeat({0, 1}, 6));
  overviewDimension.overview = true;
  recipe.Add(overviewDimension);
  const SurveyDocument split = recipe.Load();
  const int32_t age = 3;
  const int32_t dimension = DimensionPosition(split, age);
  ASSERT_GE(dimension, 0);
  std::vector<bool> disabled(split.dimensions.size(), false);
  EXPECT_EQ(SplitQuestionChoices(split, 2, disabled), (std::vector<int32_t>{age}));
  disabled[static_cast<size_t>(dimension)] = true;
  EXPECT_TRUE(SplitQuestionChoices(split, 2, disabled).empty());
}

}  // namespace
}  // namespace kvf::testing
