#include "core/comments/CommentsRtf.h"

#include <gtest/gtest.h>

#include "core/fixtures/SurveyRecipe.h"

namespace kvf {
namespace {

const QString kFrameHead = QStringLiteral(
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\r\n\\deflang1033\\pard\\tx1440\\plain\\f0\\fs17");
QString Framed(const QString& body) { return kFrameHead + body + QStringLiteral("\r\n}"); }

// Four respondents; general comments: r0 a hostile one, r1 none, r2 "5 z", r3
// beyond the table. Answer comments: r1 on q0, r0 on q1.
SurveyDocument Document() {
  testing::SurveyRecipe recipe;
  recipe.Add(testing::ValuedQuestion(QStringLiteral("Q0"), {1}, {0, 0, 0, 0}));
  recipe.Add(testing::ValuedQuestion(QStringLiteral("Q1"), {1}, {0, 0, 0, 0}));
  recipe.QuestionAt(0).text = QStringLiteral("Köp {x}");
  recipe.QuestionAt(1).text = QStringLiteral("Why?");
  recipe.Info().hasRespondentComments = writer::kTrue;
  recipe.Description().respondentComments = {
      {recipe.Text(QStringLiteral("a\\b{c}\r\nd")), -1}, {-1, -1}, {recipe.Text(QStringLiteral("5 z")), -1}};
  recipe.SetAnswerComments({{QString(), QStringLiteral("only answer"), QString(), QString()},
                            {QStringLiteral("x"), QString(), QString(), QString()}});
  return recipe.Load();
}

TEST(CommentsRtfTest, EscapeRtf) {
  EXPECT_EQ(EscapeRtf(QStringLiteral("\\{}\r\n\r\nx\ny\r")), QStringLiteral("\\\\\\{\\}\r\n\\par \r\n\\par x\ny\r"));
  EXPECT_EQ(EscapeRtf(QStringLiteral("\\par 日本")), QStringLiteral("\\\\par 日本"));
}

TEST(CommentsRtfTest, Compositions) {
  const SurveyDocument document = Document();
  SubSheet sheet;
  sheet.respondents = {3, 2, 0, 1};
  sheet.columns = {1, 0};
  const QString escaped = QStringLiteral("a\\\\b\\{c\\}\r\n\\par d");
  // Row: the heading (in Swedish whatever the language), then answer comments in column order.
  EXPECT_EQ(RowCommentsRtf(document, sheet, 0),
            Framed(QStringLiteral("\\b Radkommentar\\b0\r\n\\par ") + escaped +
                   QStringLiteral("\r\n\\par\r\n\\par\r\n\\b Why?\\b0\r\n\\par x\r\n\\par")));
  EXPECT_EQ(RowCommentsRtf(document, sheet, 1),
            Framed(QStringLiteral("\\b Köp \\{x\\}\\b0\r\n\\par only answer\r\n\\par")));
  EXPECT_EQ(RowCommentsRtf(document, sheet, 3), QString());
  EXPECT_EQ(ColumnCommentsRtf(document, sheet, 0),
            Framed(QStringLiteral("\\b Köp \\{x\\}\\b0\r\n\r\n\\par only answer\r\n\\par")));
  EXPECT_EQ(ColumnCommentsRtf(document, sheet, 1).count(QStringLiteral("\\par x")), 1);
  // A first comment starting with a digit gets a delimiter after "\fs17".
  EXPECT_EQ(AllCommentsRtf(document, sheet), Framed(QStringLiteral(" 5 z\r\n\\par\r\n\\par ") + escaped));
  sheet.respondents = {1, 3};
  EXPECT_EQ(AllCommentsRtf(document, sheet), QString());
  EXPECT_EQ(ColumnCommentsRtf(document, sheet, 1), QString());
}

}  // namespace
}  // namespace kvf
