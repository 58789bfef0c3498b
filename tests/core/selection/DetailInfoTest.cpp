// The detail information window's content: set-up, reset by the sheet
// design, and the hover fill for every row kind.
#include <gtest/gtest.h>

#include "core/fixtures/SurveyRecipe.h"
#include "core/selection/DetailInfo.h"
#include "core/sheet/SheetLayout.h"
#include "core/sheet/ViewState.h"

namespace kvf::testing {
namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

// Five respondents. Blocks: 0 "Work" (first level), 1 "Load" (second
// level). Columns: Pace (Work/Load), Stress (Work/Load), Pay (Work), Mood
// (no block, never counts), Extra (Load again, after a gap). Respondent 4
// answers only alternatives that do not count.
struct Fixture {
  SurveyDocument document;
  ViewState view;

  explicit Fixture(int32_t indexDivisor = 1, int32_t rowOrder = 0) {
    SurveyRecipe builder;
    builder.Info().indexDivisor = indexDivisor;
    writer::InfoFields& fields = builder.Info();
    fields.indexCaption = fields.allRespondentsCaption = builder.Text(QStringLiteral("Index"));
    fields.indexLabel0 = fields.indexLabel1 = fields.indexLabel2 = fields.indexLabel3 = fields.indexLabel4 =
        fields.indexCaption;
    builder.AddBlock(QStringLiteral("Work"), true);
    builder.AddBlock(QStringLiteral("Load"), true);
    builder.Add(Dimension(QStringLiteral("Region"), {QStringLiteral("North"), QStringLiteral("South")}, {0, 1, 0, 1, 0}));
    TestQuestion pace = ValuedQuestion(QStringLiteral("Pace"), {1, 2, 3, -1}, {0, 1, 2, 1, 3});
    pace.primaryBlock = 0;
    pace.secondaryBlock = 1;
    TestQuestion stress = ValuedQuestion(QStringLiteral("Stress"), {1, 2, -1}, {2, 2, 0, 1, 2});
    stress.primaryBlock = 0;
    stress.secondaryBlock = 1;
    TestQuestion pay = ValuedQuestion(QStringLiteral("Pay"), {10, 20, -1}, {0, 1, 0, 1, 2});
    pay.primaryBlock = 0;
    TestQuestion mood = ValuedQuestion(QStringLiteral("Mood"), {-1, -1}, {0, 1, 0, 1, 0});
    TestQuestion extra = ValuedQuestion(QStringLiteral("Extra"), {4, 5, -1}, {0, 0, 1, 1, 2});
    extra.secondaryBlock = 1;
    for (const TestQuestion& q : {pace, stress, pay, mood, extra}) builder.Add(q);
    builder.SetAnswerComments({{}, {QString(), QStringLiteral("Too fast")}});
    document = builder.Load();
    document.info.indexDecimals = 1;  // whatever the divisor
    view.SetUserRowOrder(rowOrder);
    view.Reseed(7);
    view.StartDocument(document);
    EXPECT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
    document.questions[1].flexIndex = 2.5;
    document.blocks[1].flexIndex = 1.7;
    document.blocks[0].flexIndex = 7.04;
  }

  DetailInfo Designed(const QLocale& locale = kEnglish) {
    DetailInfo info;
    SetUpDetailInfo(document, &info, locale);
    ResetDetailInfo(document, view.Sheet(), &info, locale);
    return info;
  }
  DetailInfo Hover(int32_t row, int32_t column, const QLocale& locale = kEnglish) {
    DetailInfo info = Designed(locale);
    FillDetailInfo(document, view.Sheet(), row, column, &info, locale);
    return info;
  }
};

TEST(DetailInfo, SetUpAndResetByTheSheetDesign) {
  Fixture f;
  f.document.info.indexLabels[2] = -1;
  f.document.info.currentTotalIndex = -1.0;
  DetailInfo info;
  SetUpDetailInfo(f.document, &info, kEnglish);
  EXPECT_EQ(info.headers, (std::array<QString, 3>{QStringLiteral(" "), QString(), QStringLiteral(" ")}));
  EXPECT_EQ(info.indexLabels[2], QString());
  EXPECT_FALSE(info.RowShown(2));
  EXPECT_EQ(info.ShownRowCount(), 4);
  EXPECT_EQ(info.total[4], QStringLiteral("-"));

  f.document.info.indexLabels[2] = 0;
  SetUpDetailInfo(f.document, &info, kEnglish);
  EXPECT_EQ(info.headers[1], QStringLiteral(" "));
  EXPECT_EQ(info.ShownRowCount(), 5);
  info.total[4] = QStringLiteral("flex");
  ResetDetailInfo(f.document, f.view.Sheet(), &info, kEnglish);
  EXPECT_EQ(info.headers, (std::array<QString, 3>{}));
  EXPECT_EQ(info.text, QString());
  EXPECT_EQ(info.selection[0], QStringLiteral("-"));
  for (size_t row = 1; row <= 3; ++row) {
    EXPECT_EQ(info.selection[row], QStringLiteral("-"));
    EXPECT_EQ(info.total[row], QStringLiteral("-"));
  }
  EXPECT_EQ(info.total[0], QString()) << "the respondent has no total";
  EXPECT_EQ(info.total[4], QStringLiteral("flex")) << "the flex total's value stays";
  // Pace 1,2,3,2 and Pay 10,20,10,20 count in no total index here: none.
  EXPECT_EQ(info.selection[4], QStringLiteral("-"));
  SetFlexTotalIndex(f.document, 3.26, &info, kEnglish);
  EXPECT_EQ(info.total[4], QStringLiteral("3.3"));
}

TEST(DetailInfo, RespondentRowShowsAnswerCommentAndAllIndexRows) {
  Fixture f;
  const DetailInfo info = f.Hover(1, 0);
  EXPECT_EQ(info.headers, (std::array<QString, 3>{QStringLiteral("Work"), QStringLiteral("Load"), QStringLiteral("Pace")}));
  EXPECT_EQ(info.text, QStringLiteral("Pace text\r\n\r\nPace 2\r\n\r\nToo fast"));
  // Respondent 1: Pace 2, Pay 20, Extra 4 (Stress and Mood do not count).
  EXPECT_EQ(info.selection[0], QStringLiteral("8.7"));
  // Pace over everybody: 1, 2, 3, 2.
  EXPECT_EQ(info.selection[1], QStringLiteral("2.0"));
  EXPECT_EQ(info.total[1], QStringLiteral("2.5"));
  // Load's first run of columns is Pace and Stress: 1+2+3+2 + 1+2 over 6.
  EXPECT_EQ(info.selection[2], QStringLiteral("1.8"));
  EXPECT_EQ(info.total[2], QStringLiteral("1.7"));
  // Work: Pace, Stress and Pay: 11 + 60 over 10.
  EXPECT_EQ(info.selection[3], QStringLiteral("7.1"));
  EXPECT_EQ(info.total[3], QStringLiteral("7.0"));

  EXPECT_EQ(f.Hover(0, 0).text, QStringLiteral("Pace text\r\n\r\nPace 1")) << "no comment, no trailing breaks";
}

TEST(DetailInfo, RespondentWithoutCountingAnswersShowsDash) {
  Fixture f;
  const DetailInfo info = f.Hover(4, 2);
  EXPECT_EQ(info.selection[0], QStringLiteral("-"));
  EXPECT_EQ(info.text, QStringLiteral("Pay text\r\n\r\nPay 3"));
}

TEST(DetailInfo, AnswerOutsideTheQuestionsAlternativesNamesNone) {
  // Odd's alternatives are followed in the table by Next's: answer 7 of Odd
  // would land on one of Next's if it were taken as an offset.
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("Odd"), {1, 2}, {0, 7, 1}));
  builder.Add(ValuedQuestion(QStringLiteral("Next"), {1, 2, 3, 4, 5, 6, 7, 8}, {0, 0, 0}));
  SurveyDocument document = builder.Load();
  ViewState view;
  view.StartDocument(document);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  DetailInfo info;
  SetUpDetailInfo(document, &info, kEnglish);
  FillDetailInfo(document, view.Sheet(), 1, 0, &info, kEnglish);
  EXPECT_FALSE(info.text.contains(QStringLiteral("Next")));
  EXPECT_TRUE(info.text.endsWith(QStringLiteral("\r\n\r\n")));
  EXPECT_EQ(info.selection[0], QStringLiteral("1"));  // only Next's answer 1 counts
}

TEST(DetailInfo, HeaderRowsEmptyWhatTheyDoNotShow) {
  Fixture f;
  ASSERT_EQ(SheetHeaderRowCount(f.document, f.view.Sheet()), 3);
  DetailInfo info = f.Designed();
  info.selection[0] = QStringLiteral("kept");
  FillDetailInfo(f.document, f.view.Sheet(), -1, 0, &info, kEnglish);
  EXPECT_EQ(info.headers, (std::array<QString, 3>{QStringLiteral("Work"), QStringLiteral("Load"), QStringLiteral("Pace")}));
  EXPECT_EQ(info.text, QStringLiteral("Pace text"));
  EXPECT_EQ(info.selection[0], QStringLiteral("kept")) << "no respondent on the question row";
  EXPECT_EQ(info.selection[1], QStringLiteral("2.0"));

  info.selection[1] = QStringLiteral("kept");
  FillDetailInfo(f.document, f.view.Sheet(), -2, 0, &info, kEnglish);
  EXPECT_EQ(info.headers, (std::array<QString, 3>{QStringLiteral("Work"), QStringLiteral("Load"), QString()}));
  EXPECT_EQ(info.text, QString());
  EXPECT_EQ(info.selection[1], QStringLiteral("kept")) << "a block row has no question index";
  EXPECT_EQ(info.selection[3], QStringLiteral("7.1"));

  FillDetailInfo(f.document, f.view.Sheet(), -3, 0, &info, kEnglish);
  EXPECT_EQ(info.headers, (std::array<QString, 3>{QStringLiteral("Work"), QString(), QString()}));
  EXPECT_EQ(info.text, QString());
}

TEST(DetailInfo, SingleHeaderRowIsTheTopmostRow) {
  SurveyRecipe builder;
  builder.Add(ValuedQuestion(QStringLiteral("Pace"), {1, 2}, {0, 1}));
  SurveyDocument document = builder.Load();
  document.info.indexDecimals = 1;
  ViewState view;
  view.StartDocument(document);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  ASSERT_EQ(SheetHeaderRowCount(document, view.Sheet()), 1);
  DetailInfo info;
  info.headers = {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")};
  info.text = QStringLiteral("old");
  FillDetailInfo(document, view.Sheet(), -1, 0, &info, kEnglish);
  EXPECT_EQ(info.headers, (std::array<QString, 3>{}));
  EXPECT_EQ(info.text, QString());
  EXPECT_EQ(info.selection[1], QStringLiteral("1.5")) << "still the question row";
}

TEST(DetailInfo, QuestionWithoutBlocksAndTheFirstRunOfABlock) {
  Fixture f;
  const DetailInfo mood = f.Hover(0, 3);
  EXPECT_EQ(mood.headers[0], QString());
  EXPECT_EQ(mood.headers[1], QString());
  for (size_t row : {2u, 3u}) {
    EXPECT_EQ(mood.selection[row], QStringLiteral("-"));
    EXPECT_EQ(mood.total[row], QStringLiteral("-"));
  }
  EXPECT_EQ(mood.selection[1], QStringLiteral("-")) << "Mood's alternatives never count";
  // Extra is in Load after a gap: the block's value is that of its first run.
  const DetailInfo extra = f.Hover(0, 4);
  EXPECT_EQ(extra.headers[1], QStringLiteral("Load"));
  EXPECT_EQ(extra.selection[2], QStringLiteral("1.8"));
  EXPECT_EQ(extra.selection[3], QStringLiteral("-"));
}

TEST(DetailInfo, RotatedRowsLeaveTheRespondentIndexUncomputed) {
  Fixture f(1, 2);
  ASSERT_TRUE(f.view.Sheet().columnOffsetsActive);
  const int32_t respondent = f.view.Sheet().RespondentAt(0, 0);
  const DetailInfo info = f.Hover(respondent, 0);
  EXPECT_EQ(info.selection[0], QStringLiteral("-"));
  EXPECT_EQ(info.selection[1], QStringLiteral("2.0"));
  EXPECT_TRUE(info.text.startsWith(QStringLiteral("Pace text\r\n\r\nPace ")));
}

TEST(DetailInfo, OutsideTheSheetOnlyEmptiesHeadersAndText) {
  Fixture f;
  for (const auto& [row, column] : {std::pair{0, 5}, std::pair{0, -1}, std::pair{-4, 0}}) {
    DetailInfo info = f.Hover(1, 0);
    const DetailInfo before = info;
    FillDetailInfo(f.document, f.view.Sheet(), row, column, &info, kEnglish);
    EXPECT_EQ(info.headers, (std::array<QString, 3>{})) << row << "," << column;
    EXPECT_EQ(info.text, QString());
    EXPECT_EQ(info.selection, before.selection);
    EXPECT_EQ(info.total, before.total);
  }
}

TEST(DetailInfo, DocumentWithoutIndexesIsNeverFilled) {
  Fixture f(0);
  DetailInfo info;
  SetUpDetailInfo(f.document, &info, kEnglish);
  EXPECT_EQ(info, DetailInfo());
  ResetDetailInfo(f.document, f.view.Sheet(), &info, kEnglish);
  FillDetailInfo(f.document, f.view.Sheet(), 1, 0, &info, kEnglish);
  EXPECT_EQ(info, DetailInfo());
  EXPECT_EQ(info.ShownRowCount(), 0);
}

TEST(DetailInfo, SwedishNumbers) {
  Fixture f;
  const DetailInfo info = f.Hover(1, 0, kSwedish);
  EXPECT_EQ(info.selection[0], QStringLiteral("8,7"));
  EXPECT_EQ(info.selection[3], QStringLiteral("7,1"));
  EXPECT_EQ(info.total[3], QStringLiteral("7,0"));
}

}  // namespace
}  // namespace kvf::testing
