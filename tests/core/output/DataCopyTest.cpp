// The text copies of the overview: answer codes per respondent, and one
// respondent's answers in words.
#include <gtest/gtest.h>

#include <QStringList>

#include "core/fixtures/SurveyRecipe.h"
#include "core/output/DataCopy.h"
#include "core/sheet/ViewState.h"

namespace kvf::testing {
namespace {

TestQuestion Labelled(const QString& name, const std::vector<QString>& labels, const std::vector<int32_t>& answers) {
  TestQuestion question = ValuedQuestion(name, std::vector<int32_t>(labels.size(), 1), answers);
  for (size_t i = 0; i < labels.size(); ++i) question.alternatives[i].label = labels[i];
  return question;
}

SubSheet SheetOf(const SurveyDocument& document, std::vector<int32_t> respondents) {
  SubSheet sheet;
  sheet.present = true;
  sheet.respondents = std::move(respondents);
  sheet.columns = document.overviewQuestions;
  return sheet;
}

TEST(OverviewDataText, OneLinePerRespondentTabSeparatedCrLfBetween) {
  SurveyRecipe builder;
  builder.Add(Labelled(QStringLiteral("A"), {QStringLiteral("1"), QStringLiteral("x")}, {0, 1, 7}));
  builder.Add(Labelled(QStringLiteral("B"), {QStringLiteral("2"), QStringLiteral("y")}, {0, 1, 0}));
  builder.Add(Labelled(QStringLiteral("C"), {QStringLiteral("5"), QStringLiteral("z")}, {0, 1, 1}));
  const SurveyDocument document = builder.Load();
  // Row order as listed; the answer 7 names no alternative: empty cell.
  EXPECT_EQ(OverviewDataText(document, SheetOf(document, {0, 2, 1})),
            QStringLiteral("1\t2\t5\r\n\t2\tz\r\nx\ty\tz"));
  EXPECT_EQ(OverviewDataText(document, SheetOf(document, {})), QString());
}

TEST(OverviewDataText, EveryRespondentOfTheListWhateverTheRowLimitsAndRotation) {
  SurveyRecipe builder;
  const std::vector<int32_t> answers = Repeat({0, 1}, 1000);
  builder.Add(Labelled(QStringLiteral("A"), {QStringLiteral("a"), QStringLiteral("b")}, answers));
  builder.Add(Labelled(QStringLiteral("B"), {QStringLiteral("c"), QStringLiteral("d")}, answers));
  SurveyDocument document = builder.Load();
  ViewState view;
  view.StartDocument(document);
  view.SetOverviewMaxRows(300);
  view.SetUserRowOrder(2);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  ASSERT_TRUE(view.Sheet().columnOffsetsActive);
  const QStringList lines = OverviewDataText(document, view.Sheet()).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 1000);
  // Each line is one respondent: both columns agree, no rotation applied.
  for (qsizetype i = 0; i < lines.size(); ++i)
    EXPECT_EQ(lines[i], i % 2 == 0 ? QStringLiteral("a\tc") : QStringLiteral("b\td")) << i;
}

TEST(RowAnswersText, BlockLinesWheneverThePrimaryBlockChanges) {
  SurveyRecipe builder;
  const std::vector<int32_t> blocks = {3, 3, -1, 3};
  for (size_t i = 0; i < blocks.size(); ++i) {
    TestQuestion question = ValuedQuestion(QStringLiteral("Q%1").arg(i), {1, 2}, {1});
    question.primaryBlock = blocks[i];
    builder.Add(question);
  }
  for (int b = 0; b < 4; ++b) builder.AddBlock(QStringLiteral("Block %1").arg(b), true);
  const SurveyDocument document = builder.Load();
  const QStringList lines = RowAnswersText(document, SheetOf(document, {0}), 0).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines, (QStringList{"Block 3", "Q0. Q0 text\tQ0 2", "Q1. Q1 text\tQ1 2", "Q2. Q2 text\tQ2 2", "Block 3",
                                "Q3. Q3 text\tQ3 2"}));
  EXPECT_FALSE(RowAnswersText(document, SheetOf(document, {0}), 0).endsWith(QStringLiteral("\r\n")));
}

TEST(RowAnswersText, CommentsFollowOnOneLine) {
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("A"), {1, 2}, {0, 1}));
  builder.Add(ValuedQuestion(QStringLiteral("B"), {1, 2}, {5, 1}));
  builder.SetAnswerComments({{QStringLiteral("first\r\nsecond\r\nthird"), QString()}, {QString(), QStringLiteral("x")}});
  const SurveyDocument document = builder.Load();
  EXPECT_EQ(RowAnswersText(document, SheetOf(document, {0, 1}), 0),
            QStringLiteral("A. A text\tA 1\tfirst, second, third\r\nB. B text\t"));
  EXPECT_EQ(RowAnswersText(document, SheetOf(document, {0, 1}), 1),
            QStringLiteral("A. A text\tA 2\r\nB. B text\tB 2\tx"));
  EXPECT_EQ(RowAnswersText(document, SheetOf(document, {0, 1}), 2), QString());
}

}  // namespace
}  // namespace kvf::testing
