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
    std::tie(pace.primaryBlock, pace.secondaryBlock) = std::tuple(0, 1);
    TestQuestion stress = ValuedQuestion(QStringLiteral("Stress"), {1, 2, -1}, {2, 2, 0, 1, 2});
    std::tie(stress.primaryBlock, stress.secondaryBlock) = std::tuple(0, 1);
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

using Headers = std::array<QString, 3>;
using IndexRows = decltype(DetailInfo::selection);

// The values of the given index rows.
QStringList Pick(const IndexRows& values, std::initializer_list<size_t> rows) {
  QStringList picked;
  for (const size_t row : rows) picked << values[row];
  return picked;
}

// A one-question document ("Pace", values 1 and 2, answered 0 then 1) whose
// sheet is shown; with a second question when given.
struct Small {
  explicit Small(const std::vector<TestQuestion>& questions) {
    SurveyRecipe builder;
    for (const TestQuestion& q : questions) builder.Add(q);
    document = builder.Load();
    document.info.indexDecimals = 1;
    view.StartDocument(document);
    EXPECT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  }
  SurveyDocument document;
  ViewState view;
};

TEST(DetailInfo, SetUpAndResetByTheSheetDesign) {
  Fixture f;
  f.document.info.indexLabels[2] = -1;
  f.document.info.currentTotalIndex = -1.0;
  DetailInfo info;
  SetUpDetailInfo(f.document, &info, kEnglish);
  EXPECT_EQ(info.headers, (Headers{" ", "", " "}));
  EXPECT_EQ(std::make_tuple(info.indexLabels[2], info.RowShown(2), info.ShownRowCount(), info.total[4]),
            std::make_tuple(QString(), false, 4, QStringLiteral("-")));

  f.document.info.indexLabels[2] = 0;
  SetUpDetailInfo(f.document, &info, kEnglish);
  EXPECT_EQ(std::make_tuple(info.headers[1], info.ShownRowCount()), std::make_tuple(QStringLiteral(" "), 5));
  info.total[4] = QStringLiteral("flex");
  ResetDetailInfo(f.document, f.view.Sheet(), &info, kEnglish);
  EXPECT_TRUE(info.headers == Headers{} && info.text.isEmpty());
  // Pace 1,2,3,2 and Pay 10,20,10,20 count in no total index here: row 4 has none.
  EXPECT_EQ(info.selection, (IndexRows{"-", "-", "-", "-", "-"}));
  // The respondent has no total; the flex total's value stays.
  EXPECT_EQ(info.total, (IndexRows{"", "-", "-", "-", "flex"}));
  SetFlexTotalIndex(f.document, 3.26, &info, kEnglish);
  EXPECT_EQ(info.total[4], "3.3");
}

TEST(DetailInfo, RespondentRowShowsAnswerCommentAndAllIndexRows) {
  Fixture f;
  const DetailInfo info = f.Hover(1, 0);
  EXPECT_EQ(info.headers, (Headers{"Work", "Load", "Pace"}));
  EXPECT_EQ(info.text, "Pace text\r\n\r\nPace 2\r\n\r\nToo fast");
  // Rows: respondent 1 (Pace 2, Pay 20, Extra 4; Stress and Mood do not count);
  // Pace over everybody (1, 2, 3, 2); Load's first run of columns, Pace and
  // Stress (1+2+3+2 + 1+2 over 6); Work: Pace, Stress and Pay (11 + 60 over 10).
  EXPECT_EQ(Pick(info.selection, {0, 1, 2, 3}), (QStringList{"8.7", "2.0", "1.8", "7.1"}));
  EXPECT_EQ(Pick(info.total, {1, 2, 3}), (QStringList{"2.5", "1.7", "7.0"}));
  EXPECT_EQ(f.Hover(0, 0).text, "Pace text\r\n\r\nPace 1") << "no comment, no trailing breaks";
  // Without counting answers the respondent row shows a dash.
  const DetailInfo none = f.Hover(4, 2);
  EXPECT_EQ(std::make_tuple(none.selection[0], none.text), std::make_tuple(QStringLiteral("-"), QStringLiteral("Pay text\r\n\r\nPay 3")));
}

TEST(DetailInfo, AnswerOutsideTheQuestionsAlternativesNamesNone) {
  // Odd's alternatives are followed in the table by Next's: answer 7 of Odd
  // would land on one of Next's if it were taken as an offset.
  Small s({ValuedQuestion(QStringLiteral("Odd"), {1, 2}, {0, 7, 1}),
           ValuedQuestion(QStringLiteral("Next"), {1, 2, 3, 4, 5, 6, 7, 8}, {0, 0, 0})});
  DetailInfo info;
  SetUpDetailInfo(s.document, &info, kEnglish);
  FillDetailInfo(s.document, s.view.Sheet(), 1, 0, &info, kEnglish);
  EXPECT_FALSE(info.text.contains(QStringLiteral("Next")));
  EXPECT_TRUE(info.text.endsWith(QStringLiteral("\r\n\r\n")));
  EXPECT_EQ(info.selection[0], "1.0");  // only Next's answer 1 counts
}

TEST(DetailInfo, HeaderRowsEmptyWhatTheyDoNotShow) {
  Fixture f;
  ASSERT_EQ(SheetHeaderRowCount(f.document, f.view.Sheet()), 3);
  DetailInfo info = f.Designed();
  info.selection[0] = QStringLiteral("kept");
  FillDetailInfo(f.document, f.view.Sheet(), -1, 0, &info, kEnglish);
  // No respondent on the question row.
  EXPECT_EQ(Pick(info.selection, {0, 1}), (QStringList{"kept", "2.0"}));
  info.selection[1] = QStringLiteral("kept");
  FillDetailInfo(f.document, f.view.Sheet(), -2, 0, &info, kEnglish);
  EXPECT_TRUE(info.headers == (Headers{"Work", "Load", ""}) && info.text.isEmpty());
  // A block row has no question index.
  EXPECT_EQ(Pick(info.selection, {1, 3}), (QStringList{"kept", "7.1"}));
  FillDetailInfo(f.document, f.view.Sheet(), -3, 0, &info, kEnglish);
  EXPECT_TRUE(info.headers == (Headers{"Work", "", ""}) && info.text.isEmpty());

  // A single header row is the topmost row, and still the question row.
  Small one({ValuedQuestion(QStringLiteral("Pace"), {1, 2}, {0, 1})});
  ASSERT_EQ(SheetHeaderRowCount(one.document, one.view.Sheet()), 1);
  info = DetailInfo();
  info.headers = {"x", "y", "z"};
  info.text = QStringLiteral("old");
  FillDetailInfo(one.document, one.view.Sheet(), -1, 0, &info, kEnglish);
  EXPECT_TRUE(info.headers == Headers{} && info.text.isEmpty() && info.selection[1] == "1.5");
}

}  // namespace
}  // namespace kvf::testing
