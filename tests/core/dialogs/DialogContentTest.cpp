// The dialogs' content: file properties, the options' comments and row
// limit, the print format's units and printer choice, the about texts and
// the comment's plain-text form.
#include <gtest/gtest.h>

#include <limits>

#include "core/dialogs/AboutTexts.h"
#include "core/dialogs/CommentPlainText.h"
#include "core/dialogs/DocumentProperties.h"
#include "core/dialogs/OptionsContent.h"
#include "core/dialogs/PrintFormatRules.h"

namespace kvf {
namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

SurveyDocument PropertiesDocument() {
  SurveyDocument doc;
  doc.strings = {S("Index caption"), S("Q1"), S("Q2"), S("Q3")};
  doc.file = {S("/tmp/a.kvf"), S("a.kvf"), S("a"), 9, 9};
  doc.info.fileVersion = {1, 2, 34};
  doc.info.rowOrder = 1;
  doc.info.rowOrderThreshold = 20;
  doc.info.indexDivisor = 1;
  doc.info.indexCaption = 0;
  doc.info.created = 45000.5;  // 15 March 2023, 12:00
  for (TextRef name : {1, 2, 3}) {
    Question q;
    q.name = name;
    q.isOverviewQuestion = name != 2;
    q.inTotalIndex = name == 1;  // Q2 is no overview question: only Q3 is left out
    doc.questions.push_back(q);
  }
  return doc;
}

QString Value(const DocumentPropertiesContent& content, const QString& label) {
  for (const PropertyRow& row : content.rows)
    if (row.label == label) return row.value;
  ADD_FAILURE() << "no row " << label.toStdString();
  return {};
}

TEST(DocumentProperties, RowsAndIndexFrame) {
  SurveyDocument doc = PropertiesDocument();
  const QLocale c = QLocale::c();
  DocumentPropertiesContent en = DescribeDocumentProperties(doc, false, c);
  EXPECT_EQ(en.rows.size(), 12u);
  EXPECT_EQ(en.identityRowCount, 8);
  EXPECT_EQ(Value(en, S("File format:")), S("KVF revision 9"));
  EXPECT_EQ(Value(en, S("File version:")), S("1.02.0034"));
  EXPECT_EQ(Value(en, S("File created:")),
            c.toString(QDateTime(QDate(2023, 3, 15), QTime(12, 0), Qt::UTC), QLocale::ShortFormat) + S(" UTC"));
  EXPECT_EQ(Value(en, S("Overview row order:")), S("Random at selections less then 20"));
  EXPECT_EQ(en.indexFrame.caption, S("Index caption"));
  EXPECT_EQ(en.indexFrame.information, S("Total index includes all questions except these:\nQ3"));
  EXPECT_EQ(en.comment, QString());

  doc.file.formatRevision = 10;
  doc.info.indexDivisor = 0;
  doc.info.rowOrder = 7;
  doc.info.rowOrderThreshold = -1;
  doc.info.fileVersion = {-1, 0, 123456};
  const DocumentPropertiesContent sv = DescribeDocumentProperties(doc, true, c);
  EXPECT_EQ(Value(sv, S("Filformat:")), S("KVF revision 10 (bakåtkompatibel med revision 9)"));
  EXPECT_EQ(Value(sv, S("Filversion:")), S("-1.00.123456"));
  EXPECT_EQ(Value(sv, S("Radordning i översikten:")), S("Odefinerad"));
  EXPECT_EQ(Value(sv, S("Copyright:")), QString());
  EXPECT_FALSE(sv.indexFrame.enabled);
  EXPECT_EQ(sv.indexFrame.status + sv.indexFrame.caption + sv.indexFrame.information, S("Avaktiverat"));
}

TEST(DocumentProperties, OleDatesOutsideQtGiveNoText) {
  EXPECT_EQ(OleDateToUtc(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC));
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300, -2e11})
    EXPECT_EQ(CreatedDateText(bad, QLocale::c()), QString()) << bad;
}

TEST(OptionsContent, RowOrderCommentForEachCaseAndPhrase) {
  EXPECT_EQ(RowOrderComment(-1, 10).english, S("The row order you select below will only be apllied to files that "
                                               "have not been locked to use a specific row order."));
  const BiText threshold = RowOrderComment(1, 10);
  EXPECT_EQ(threshold.english, S("Note thet the row order you select below won't be applied to the currently open "
                                 "file unless the selection size is at least 10. Below that it is locked to use a "
                                 "random row order."));
  EXPECT_TRUE(
      threshold.swedish.endsWith(S("om urvalet är minst 10, annars är den låst till att använda en "
                                   "slumpmässig radordning.")));
  const struct {
    int32_t order;
    const char* english;
    const char* swedish;
  } phrases[] = {{0, "the original row order.", "den ursprungliga radordningen."},
                 {2, "a per column random row order.", "en per kolumn slumpmässig radordning."},
                 {9, "an undefined row order.", "en odefinerad radordning."}};
  for (const auto& p : phrases) {
    const BiText locked = RowOrderComment(p.order, -1);
    EXPECT_EQ(locked.english, S("Note that the row order you select below won't be applied to the currently open "
                                "file since it is locked to use ") +
                                  S(p.english));
    EXPECT_EQ(locked.swedish, S("Observera att den radordning du väljer nedan inte kommer att påverka den fil som är "
                                "öppen just nu eftersom den är låst till att använda ") +
                                  S(p.swedish));
  }
}

TEST(OptionsContent, RowLimitAndListData) {
  EXPECT_EQ(ParseMaxRows(S(" 250 ")), 250);
  EXPECT_EQ(ParseMaxRows(S("2147483647")), std::numeric_limits<int32_t>::max());
  for (const char* bad : {"0", "abc", "-5", "2147483648", "1.5", ""}) EXPECT_EQ(ParseMaxRows(S(bad)), std::nullopt);
  EXPECT_EQ(ItemIndexOfData(GraphLegendItems(), 0), 2);
  EXPECT_EQ(ItemIndexOfData(GraphLegendItems(), 5), -1);
}

TEST(PrintFormatRules, UnitsFormattingAndRounding) {
  const QLocale c = QLocale::c();
  const MarginUnit mm = MarginUnitFor(QLocale::MetricSystem);
  const MarginUnit inches = MarginUnitFor(QLocale::ImperialUSSystem);
  EXPECT_EQ(inches.label.swedish, S("tum"));
  EXPECT_EQ(MarginUnitFor(QLocale::ImperialUKSystem).label.english, S("mm"));
  EXPECT_EQ(FormatMargin(kDefaultBindingMargin, mm, c) + FormatMargin(kDefaultOtherMargins, mm, c), S("30.010.0"));
  EXPECT_EQ(FormatMargin(kDefaultBindingMargin, inches, c) + FormatMargin(kDefaultOtherMargins, inches, c),
            S("1.180.39"));
  EXPECT_EQ(ParseMargin(S(" 25 "), mm, c), 1418);  // 1417.5 rounds to even
  EXPECT_EQ(ParseMargin(S("0.5"), inches, c), 720);
  EXPECT_EQ(FormatMargin(1000000, mm, QLocale(QLocale::English)), S("17,636.7"));
  EXPECT_EQ(ParseMargin(S("1,5"), mm, QLocale(QLocale::Swedish)), 85);
  for (const char* bad : {"abc", "-1", "1e30", ""}) EXPECT_EQ(ParseMargin(S(bad), mm, c), std::nullopt) << bad;

  const QStringList printers = {S("Office"), S("Lab"), S("Home")};
  EXPECT_EQ(ChoosePrinter(printers, S("LAB"), S("Home")), 1);
  EXPECT_EQ(ChoosePrinter(printers, S("Gone"), S("Home")), 2);
  EXPECT_EQ(ChoosePrinter(printers, S("Gone"), QString()), -1);
}

TEST(AboutTexts, VersionFrameAndSummary) {
  EXPECT_EQ(AboutVersionText({3, 5, 12}), S("Version 3.05.0012"));
  const QString compliance =
      AboutRtfDocument(AboutTopic::Compliance, false, {}, CurrentApplicationFacts(), {}, QLocale::c());
  EXPECT_TRUE(
      compliance.startsWith(S("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\r\n"
                              "\\deflang1033\\pard\\tx1440\\plain\\f0\\fs17\\b Document File Format")));
  EXPECT_TRUE(compliance.endsWith(S("\r\n\\par\r\n}")));
  EXPECT_TRUE(AboutRtfDocument(AboutTopic::Trademark, true, {}, {}, {}, QLocale::c()).contains(S("\\u228?")));

  platform::SystemFacts system;
  system.cpuArchitecture = S("x86_64");
  system.utcOffsetSeconds = -(5 * 3600 + 30 * 60);
  system.processors.logicalProcessors = 2;
  system.processors.hasFeatureFlags = true;
  system.processors.featureFlags = {S("mmx"), S("sse2")};
  system.memory.totalKb = 2000000;
  system.memory.availableKb = 500000;
  const QString summary =
      SystemSummaryRtfBody(system, {{1, 2, 3}, S("arm64"), QString()}, {true, false}, QLocale(QLocale::English));
  for (const char* part :
       {"\\b Operating system\\b0\\par Architecture:\\tab x86_64\\par Model:\\tab Unknown",
        "Time zone offset:\\tab UTC -05:30",
        "No Save Settings:\\tab No\\par No Recent "
        "Docs:\\tab Yes",
        "\\b Processors\\b0", "MMX:\\tab Yes\\par 3DNow!:\\tab No", "SSE2:\\tab Yes", "CPUs/Cores:\\tab 2\\par",
        "Load:\\tab 75 %", "Physical:\\tab 2,000,000 kb", "Swap:\\tab Unknown", "Version:\\tab 1.02\\par Build:\\tab 3",
        "ZLib\\b0\\par Version:\\tab "
        "Unknown"})
    EXPECT_TRUE(summary.contains(S(part))) << part << "\n" << summary.toStdString();
}

TEST(CommentPlainText, KeepsTextOnly) {
  EXPECT_EQ(CommentPlainText(S("not {rtf} \\par")), S("not {rtf} \\par"));
  EXPECT_EQ(CommentPlainText(S("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0;}{\\*\\generator x;}"
                               "\\f0 Caf\\'e9 \\'80\\{1\\}\\par\r\nLine\\tab two \\u8364?!\\line}")),
            S("Café €{1}\nLine\ttwo €!\n"));
  EXPECT_EQ(CommentPlainText(S("{\\rtf1 a}}}b{{{c\\")), S("abc"));  // unbalanced braces, a trailing backslash
  EXPECT_EQ(CommentPlainText(S("{\\rtf1 ") + QString(100000, QLatin1Char('{')) + S("x")), S("x"));
}

}  // namespace
}  // namespace kvf
