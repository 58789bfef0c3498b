// Index values: the mean over counted answers, block membership, the value
// table and the display text.
#include <gtest/gtest.h>

#include <limits>

#include "core/fixtures/SurveyRecipe.h"
#include "core/indexes/IndexCalculation.h"

namespace kvf::testing {
namespace {

// Respondents 0..2 answer 2, 4 and (not counted) -1 to one question.
SurveyDocument TwoFourSkip(int32_t divisor) {
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("Q"), {2, 4, -1}, {0, 1, 2}));
  builder.Info().indexDivisor = divisor;
  return builder.Load();
}

TEST(ColumnsIndex, SkipsMinusOneWeightsAndPositionsOutsideAndGivesMinusOneForNothing) {
  const SurveyDocument document = TwoFourSkip(1);
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {0}, {0, 1, 2}), 3.0);
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {0, 7, -1}, {0, 1, -5, 3, 1000}), 3.0);
  EXPECT_EQ(std::make_tuple(CalculateColumnsIndex(document, {0}, {}), CalculateColumnsIndex(document, {}, {0, 1}),
                            CalculateColumnsIndex(document, {0}, {2})), std::make_tuple(kNoIndex, kNoIndex, kNoIndex));
  const SurveyDocument tenths = TwoFourSkip(10);
  EXPECT_EQ(FormatIndexText(tenths, CalculateColumnsIndex(tenths, {0}, {0, 1, 2}), QLocale::c()), QStringLiteral("0.3"));
  // Zero and negative weights other than -1 count.
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("Q"), {0, -3}, {0, 1}));
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(builder.Load(), {0}, {0, 1}), -1.5);
}

TEST(ColumnsIndex, MeanIsOverAnswersNotOverQuestionMeans) {
  // Question 0: ten respondents with weight 5; question 1: two with weight 1
  // (the other eight chose an alternative that does not count).
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("A"), {5}, std::vector<int32_t>(10, 0)));
  builder.Add(ValuedQuestion(QStringLiteral("B"), {1, -1}, {0, 0, 1, 1, 1, 1, 1, 1, 1, 1}));
  builder.Info().indexDivisor = 4;
  const SurveyDocument document = builder.Load();
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {0, 1}, AllRespondents(document)), (50.0 + 2.0) / 12.0 / 4.0);
  // A respondent listed twice counts twice, a question listed twice too.
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {1, 1}, {0, 0, 5}), (1.0 + 1.0 + 1.0 + 1.0) / 4.0 / 4.0);
}

TEST(ColumnsIndex, AnswersOutsideTheAlternativesNeverCount) {
  SurveyRecipe builder;
  // Alternatives of question 1 follow those of question 0 in the table:
  // answer 2 of question 0 would name question 1's first alternative.
  builder.Add(ValuedQuestion(QStringLiteral("A"), {10, 20}, {0, 2, -1}));
  builder.Add(ValuedQuestion(QStringLiteral("B"), {1000}, {0, 0, 0}));
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(builder.Load(), {0}, {0, 1, 2}), 10.0);
}

TEST(ColumnsIndex, LargeWeightsDoNotOverflow) {
  const int32_t big = std::numeric_limits<int32_t>::max() - 1;
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("Q"), {big}, std::vector<int32_t>(5, 0)));
  const SurveyDocument document = builder.Load();
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {0}, AllRespondents(document)), static_cast<double>(big));
}

TEST(TotalIndex, UsesOverviewQuestionsInTheTotalIndex) {
  SurveyRecipe builder;
  TestQuestion counted = ValuedQuestion(QStringLiteral("A"), {4}, {0, 0});
  counted.inTotalIndex = true;
  TestQuestion hidden = counted;
  hidden.overview = false;  // not an overview question: never in the total
  hidden.alternatives[0].value = 100;
  builder.Add(counted);
  builder.Add(ValuedQuestion(QStringLiteral("B"), {50}, {0, 0}));
  builder.Add(hidden);
  const SurveyDocument document = builder.Load();
  EXPECT_EQ(TotalIndexQuestions(document), (std::vector<int32_t>{0}));
  EXPECT_DOUBLE_EQ(CalculateTotalIndex(document, {0, 1}), 4.0);

  SurveyRecipe none;
  none.Add(ValuedQuestion(QStringLiteral("B"), {50}, {0, 0}));
  const SurveyDocument noTotal = none.Load();
  EXPECT_EQ(CalculateTotalIndex(noTotal, {0, 1}), kNoIndex);
}

// Questions 0..3 answered by two respondents with weights 1, 2, 4, 8.
std::vector<TestQuestion> Weighted() {
  std::vector<TestQuestion> questions;
  for (const int32_t weight : {1, 2, 4, 8})
    questions.push_back(ValuedQuestion(QStringLiteral("Q%1").arg(weight), {weight}, {0, 0}));
  return questions;
}

// The questions, blocks named by blockNames with members by question field
// when byField, and the block items {block, question}.
SurveyRecipe BlockRecipe(const std::vector<TestQuestion>& questions, std::initializer_list<const char*> blockNames,
                         bool byField, std::initializer_list<std::pair<int32_t, int32_t>> items = {}) {
  SurveyRecipe builder;
  for (const TestQuestion& q : questions) builder.Add(q);
  for (const char* name : blockNames) builder.AddBlock(QString::fromLatin1(name), byField);
  for (const auto& [block, question] : items) builder.AddBlockItem(block, question);
  return builder;
}

TEST(BlockIndex, ItemsInRecordOrderWithRepeatsAndPositionsOutsideGiveMinusOne) {
  const SurveyDocument document =
      BlockRecipe(Weighted(), {"Items", "Other"}, false, {{0, 3}, {1, 0}, {0, 1}, {0, 1}}).Load();
  EXPECT_EQ(BlockQuestions(document, 0), (std::vector<int32_t>{3, 1, 1}));
  EXPECT_DOUBLE_EQ(CalculateBlockIndex(document, 0, {0, 1}), (8.0 + 2.0 + 2.0) / 3.0);
  EXPECT_DOUBLE_EQ(CalculateBlockTotalIndex(document, 0), (8.0 + 2.0 + 2.0) / 3.0);
  EXPECT_DOUBLE_EQ(CalculateBlockFlexTotalIndex(document, 1, {1}), 1.0);
  EXPECT_EQ(CalculateBlockFlexTotalIndex(document, 1, {}), kNoIndex);
  EXPECT_EQ(std::make_tuple(CalculateBlockIndex(document, -1, {0}), CalculateBlockIndex(document, 2, {0}),
                            CalculateBlockTotalIndex(document, 2)), std::make_tuple(kNoIndex, kNoIndex, kNoIndex));
  const SurveyDocument unanswered =
      BlockRecipe({ValuedQuestion(QStringLiteral("Q"), {1}, {})}, {"B"}, false, {{0, 0}}).Load();
  EXPECT_EQ(CalculateBlockTotalIndex(unanswered, 0), kNoIndex);
}

TEST(BlockIndex, PrimaryFieldFirstThenSecondaryThenNothingAndOnlyOverviewQuestions) {
  std::vector<TestQuestion> questions = Weighted();
  questions[0].primaryBlock = questions[1].primaryBlock = 0;
  questions[2].secondaryBlock = 0;  // ignored: block 0 has primary members
  questions[3].secondaryBlock = 1;
  const SurveyDocument document = BlockRecipe(questions, {"Primary", "Secondary", "Empty"}, true).Load();
  EXPECT_EQ(BlockQuestions(document, 0), (std::vector<int32_t>{0, 1}));
  EXPECT_DOUBLE_EQ(CalculateBlockIndex(document, 0, {0, 1}), 1.5);
  EXPECT_EQ(BlockQuestions(document, 1), (std::vector<int32_t>{3}));
  EXPECT_DOUBLE_EQ(CalculateBlockIndex(document, 1, {0, 1}), 8.0);
  EXPECT_EQ(CalculateBlockIndex(document, 2, {0, 1}), kNoIndex);
  // Field members must be overview questions.
  questions = Weighted();
  questions[0].primaryBlock = 0;
  questions[0].overview = false;
  questions[1].secondaryBlock = 0;
  EXPECT_EQ(BlockQuestions(BlockRecipe(questions, {"B"}, true).Load(), 0), (std::vector<int32_t>{1}));
}

TEST(BlockIndex, UserBlocksGetBothIndexesFileBlocksKeepTheirs) {
  SurveyDocument document = BlockRecipe(Weighted(), {"File", "User"}, false, {{0, 0}, {1, 2}, {1, 3}}).Load();
  document.blocks[0].storedIndex = document.blocks[0].flexIndex = 7.0;
  document.blocks[1].fromFile = false;
  UpdateUserBlockIndexes(document, {1});
  EXPECT_EQ(std::make_tuple(document.blocks[0].storedIndex, document.blocks[0].flexIndex,
                            document.blocks[1].storedIndex, document.blocks[1].flexIndex),
            std::make_tuple(7.0, 7.0, 6.0, 6.0));
  UpdateUserBlockIndexes(document, {});
  EXPECT_EQ(document.blocks[1].flexIndex, kNoIndex);
}

TEST(IndexValueTable, CountsPerWeightWithCrLfAndNoTrailingBreakOrNothing) {
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("Q"), {3, 0, -1}, {0, 0, 1, 2}));
  const SurveyDocument document = builder.Load();
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {0}, {0, 1, 2, 3}), 2.0);
  EXPECT_EQ(IndexValueTable(document, {0}, {0, 1, 2, 3}), QStringLiteral("Value\tCount\r\n0\t1\r\n3\t2"));
  // Nothing counted (respondent 3 chose the -1 alternative): no index, no table.
  EXPECT_EQ(CalculateColumnsIndex(document, {0}, {3}), kNoIndex);
  EXPECT_TRUE(IndexValueTable(document, {0}, {3}).isEmpty());
}

TEST(IndexValueTable, WeightsOutsideTheTableAreListedInOrder) {
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("Q"), {-5, 2, 7}, {0, 1, 2, 2}));
  SurveyDocument document = builder.Load();
  document.info.maxAlternativeValue = 2;  // wrong on purpose: 7 lies above it
  EXPECT_EQ(IndexValueTable(document, {0}, {0, 1, 2, 3}), QStringLiteral("Value\tCount\r\n-5\t1\r\n2\t1\r\n7\t2"));
  document.info.maxAlternativeValue = -1;
  EXPECT_EQ(IndexValueTable(document, {0}, {1}), QStringLiteral("Value\tCount\r\n2\t1"));
}

TEST(FormatIndexText, SentinelDecimalsAndLocale) {
  const QLocale c = QLocale::c(), us(QLocale::English, QLocale::UnitedStates), sv(QLocale::Swedish, QLocale::Sweden);
  // -1 is the sentinel; -1.5 is not.
  const std::tuple<double, int32_t, QLocale, const char*> rows[] = {
      {-1.0, 2, c, "-"}, {0.3, 1, sv, "0,3"}, {1234.567, 1, us, "1,234.6"}, {-1.5, 0, c, "-2"}, {2.5, 9, c, "2.50000"}};
  for (const auto& [value, decimals, locale, text] : rows)
    EXPECT_EQ(FormatIndexText(value, decimals, locale), QString::fromLatin1(text)) << value << " " << decimals;
}

}  // namespace
}  // namespace kvf::testing
