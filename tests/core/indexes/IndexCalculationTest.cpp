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

TEST(ColumnsIndex, SkipsAnswersWhoseWeightIsMinusOne) {
  const SurveyDocument document = TwoFourSkip(1);
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {0}, {0, 1, 2}), 3.0);
  const SurveyDocument tenths = TwoFourSkip(10);
  const double index = CalculateColumnsIndex(tenths, {0}, {0, 1, 2});
  EXPECT_DOUBLE_EQ(index, 0.3);
  EXPECT_EQ(FormatIndexText(tenths, index, QLocale::c()), QStringLiteral("0.3"));
}

TEST(ColumnsIndex, MeanIsOverAnswersNotOverQuestionMeans) {
  // Question 0: ten respondents with weight 5; question 1: two with weight 1
  // (the other eight chose an alternative that does not count).
  std::vector<int32_t> first(10, 0);
  std::vector<int32_t> second(10, 1);
  second[0] = second[1] = 0;
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("A"), {5}, first));
  builder.Add(ValuedQuestion(QStringLiteral("B"), {1, -1}, second));
  builder.Info().indexDivisor = 4;
  const SurveyDocument document = builder.Load();
  const double index = CalculateColumnsIndex(document, {0, 1}, AllRespondents(document));
  EXPECT_DOUBLE_EQ(index, (50.0 + 2.0) / 12.0 / 4.0);
  // A respondent listed twice counts twice, a question listed twice too.
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {1, 1}, {0, 0, 5}), (1.0 + 1.0 + 1.0 + 1.0) / 4.0 / 4.0);
}

TEST(ColumnsIndex, NothingToAverageGivesMinusOneAndPositionsOutsideAreSkipped) {
  const SurveyDocument document = TwoFourSkip(1);
  EXPECT_EQ(CalculateColumnsIndex(document, {0}, {}), kNoIndex);
  EXPECT_EQ(CalculateColumnsIndex(document, {}, {0, 1}), kNoIndex);
  EXPECT_EQ(CalculateColumnsIndex(document, {0}, {2}), kNoIndex);
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {0, 7, -1}, {0, 1, -5, 3, 1000}), 3.0);
  // Zero and negative weights other than -1 count.
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("Q"), {0, -3}, {0, 1}));
  const SurveyDocument negative = builder.Load();
  EXPECT_DOUBLE_EQ(CalculateColumnsIndex(negative, {0}, {0, 1}), -1.5);
}

TEST(ColumnsIndex, AnswersOutsideTheAlternativesNeverCount) {
  for (const int32_t width : {1, 2, 3}) {
    SurveyRecipe builder;
    builder.SetAnswerWidth(width);
    // Alternatives of question 1 follow those of question 0 in the table:
    // answer 2 of question 0 would name question 1's first alternative.
    builder.Add(ValuedQuestion(QStringLiteral("A"), {10, 20}, {0, 2, width == 1 ? 255 : -1}));
    builder.Add(ValuedQuestion(QStringLiteral("B"), {1000}, {0, 0, 0}));
    const SurveyDocument document = builder.Load();
    EXPECT_DOUBLE_EQ(CalculateColumnsIndex(document, {0}, {0, 1, 2}), 10.0) << "width " << width;
  }
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

class BlockIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    // Questions 0..3 answered by two respondents with weights 1, 2, 4, 8.
    for (const int32_t weight : {1, 2, 4, 8}) {
      TestQuestion question = ValuedQuestion(QStringLiteral("Q%1").arg(weight), {weight}, {0, 0});
      questions.push_back(question);
    }
  }
  std::vector<TestQuestion> questions;
};

TEST_F(BlockIndex, ItemsInRecordOrderWithRepeats) {
  SurveyRecipe builder;
  for (const TestQuestion& q : questions) builder.Add(q);
  const int32_t block = builder.AddBlock(QStringLiteral("Items"), false);
  const int32_t other = builder.AddBlock(QStringLiteral("Other"), false);
  builder.AddBlockItem(block, 3);
  builder.AddBlockItem(other, 0);
  builder.AddBlockItem(block, 1);
  builder.AddBlockItem(block, 1);
  const SurveyDocument document = builder.Load();
  EXPECT_EQ(BlockQuestions(document, block), (std::vector<int32_t>{3, 1, 1}));
  EXPECT_DOUBLE_EQ(CalculateBlockIndex(document, block, {0, 1}), (8.0 + 2.0 + 2.0) / 3.0);
  EXPECT_DOUBLE_EQ(CalculateBlockTotalIndex(document, block), (8.0 + 2.0 + 2.0) / 3.0);
  EXPECT_DOUBLE_EQ(CalculateBlockFlexTotalIndex(document, other, {1}), 1.0);
  EXPECT_EQ(CalculateBlockFlexTotalIndex(document, other, {}), kNoIndex);
}

TEST_F(BlockIndex, PrimaryFieldFirstThenSecondaryThenNothing) {
  questions[0].primaryBlock = 0;
  questions[1].primaryBlock = 0;
  questions[2].secondaryBlock = 0;  // ignored: block 0 has primary members
  questions[3].secondaryBlock = 1;
  questions[2].overview = true;
  SurveyRecipe builder;
  for (const TestQuestion& q : questions) builder.Add(q);
  builder.AddBlock(QStringLiteral("Primary"), true);
  builder.AddBlock(QStringLiteral("Secondary"), true);
  builder.AddBlock(QStringLiteral("Empty"), true);
  const SurveyDocument document = builder.Load();
  EXPECT_EQ(BlockQuestions(document, 0), (std::vector<int32_t>{0, 1}));
  EXPECT_DOUBLE_EQ(CalculateBlockIndex(document, 0, {0, 1}), 1.5);
  EXPECT_EQ(BlockQuestions(document, 1), (std::vector<int32_t>{3}));
  EXPECT_DOUBLE_EQ(CalculateBlockIndex(document, 1, {0, 1}), 8.0);
  EXPECT_EQ(CalculateBlockIndex(document, 2, {0, 1}), kNoIndex);
}

TEST_F(BlockIndex, FieldMembersMustBeOverviewQuestions) {
  questions[0].primaryBlock = 0;
  questions[0].overview = false;
  questions[1].secondaryBlock = 0;
  SurveyRecipe builder;
  for (const TestQuestion& q : questions) builder.Add(q);
  builder.AddBlock(QStringLiteral("B"), true);
  const SurveyDocument document = builder.Load();
  EXPECT_EQ(BlockQuestions(document, 0), (std::vector<int32_t>{1}));
}

TEST_F(BlockIndex, PositionsOutsideTheTableGiveMinusOne) {
  SurveyRecipe builder;
  for (const TestQuestion& q : questions) builder.Add(q);
  builder.AddBlock(QStringLiteral("B"), false);
  builder.AddBlockItem(0, 0);
  const SurveyDocument document = builder.Load();
  EXPECT_EQ(CalculateBlockIndex(document, -1, {0}), kNoIndex);
  EXPECT_EQ(CalculateBlockIndex(document, 1, {0}), kNoIndex);
  EXPECT_EQ(CalculateBlockTotalIndex(document, 1), kNoIndex);

  SurveyRecipe empty;
  empty.Add(ValuedQuestion(QStringLiteral("Q"), {1}, {}));
  empty.AddBlock(QStringLiteral("B"), false);
  empty.AddBlockItem(0, 0);
  EXPECT_EQ(CalculateBlockTotalIndex(empty.Load(), 0), kNoIndex);
}

TEST_F(BlockIndex, UserBlocksGetBothIndexesFileBlocksKeepTheirs) {
  SurveyRecipe builder;
  for (const TestQuestion& q : questions) builder.Add(q);
  builder.AddBlock(QStringLiteral("File"), false);
  builder.AddBlock(QStringLiteral("User"), false);
  builder.AddBlockItem(0, 0);
  builder.AddBlockItem(1, 2);
  builder.AddBlockItem(1, 3);
  SurveyDocument document = builder.Load();
  document.blocks[0].storedIndex = 7.0;
  document.blocks[0].flexIndex = 7.0;
  document.blocks[1].fromFile = false;
  UpdateUserBlockIndexes(document, {1});
  EXPECT_EQ(document.blocks[0].storedIndex, 7.0);
  EXPECT_EQ(document.blocks[0].flexIndex, 7.0);
  EXPECT_DOUBLE_EQ(document.blocks[1].storedIndex, 6.0);
  EXPECT_DOUBLE_EQ(document.blocks[1].flexIndex, 6.0);
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
  document.info.maxAlternativeValue = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(IndexValueTable(document, {0}, {1}), QStringLiteral("Value\tCount\r\n2\t1"));
  document.info.maxAlternativeValue = -1;
  EXPECT_EQ(IndexValueTable(document, {0}, {1}), QStringLiteral("Value\tCount\r\n2\t1"));
}

TEST(FormatIndexText, SentinelDecimalsAndLocale) {
  EXPECT_EQ(FormatIndexText(-1.0, 2, QLocale::c()), QStringLiteral("-"));
  EXPECT_EQ(FormatIndexText(0.0, 2, QLocale::c()), QStringLiteral("0.00"));
  EXPECT_EQ(FormatIndexText(0.3, 1, QLocale(QLocale::Swedish, QLocale::Sweden)), QStringLiteral("0,3"));
  EXPECT_EQ(FormatIndexText(1234.567, 1, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("1,234.6"));
  EXPECT_EQ(FormatIndexText(-0.25, 2, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("-0.25"));
  // -1 computed from other values is still the sentinel; -1.5 is not.
  EXPECT_EQ(FormatIndexText(-1.5, 0, QLocale::c()), QStringLiteral("-2"));
  EXPECT_EQ(FormatIndexText(2.5, 9, QLocale::c()), QStringLiteral("2.50000"));
}

}  // namespace
}  // namespace kvf::testing
