// kvf select, copy-data, copy-row and index-values on documents written by
// the test writer.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "cli/CliRunner.h"
#include "kvfwriter/KvfWriter.h"
#include "kvfwriter/SurveySketch.h"

namespace kvf::testing {
namespace {

using writer::kTrue;

constexpr int kRespondents = 12;

struct SurveyOptions {
  int32_t minimumSelection = 0;
  int32_t minimumGraphSelection = 0;
  int32_t indexDivisor = 1;
  bool flexQuestion = true;
};

// Region (North, South, West) = r mod 3 and Sex (Female, Male) = r mod 2
// are dimensions, Sex is the flex question; Rating (weights 10, 20: r mod 3
// == 0 gives 10) in block 0 and Score (weights 1, 2 = r mod 2) are the
// overview questions, both in the total index.
writer::KvfDescription Survey(const SurveyOptions& options = {}) {
  writer::SurveySketch sketch;
  writer::KvfDescription& d = sketch.Description();
  d.info.language = sketch.Text(QStringLiteral("English"));
  d.info.allRespondentsCaption = sketch.Text(QStringLiteral("All respondents"));
  d.info.tooFewCaption = sketch.Text(QStringLiteral("Too few respondents"));
  d.info.indexDivisor = options.indexDivisor;
  d.info.minimumSelection = options.minimumSelection;
  d.info.minimumGraphSelection = options.minimumGraphSelection;
  d.info.allowCopy = d.info.allowCopyData = kTrue;
  sketch.Alternative(QStringLiteral("N"), QStringLiteral("North"), -1);
  sketch.Alternative(QStringLiteral("S"), QStringLiteral("South"), -1);
  sketch.Alternative(QStringLiteral("W"), QStringLiteral("West"), -1);
  writer::QuestionRecord region = sketch.Question(QStringLiteral("Reg"), QStringLiteral("Region"), QStringLiteral("Where?"), 3);
  region.isDimension = kTrue;
  sketch.Alternative(QStringLiteral("F"), QStringLiteral("Female"), -1);
  sketch.Alternative(QStringLiteral("M"), QStringLiteral("Male"), -1);
  writer::QuestionRecord sex = sketch.Question(QStringLiteral("Sex"), QStringLiteral("Sex"), QStringLiteral("Sex?"), 2);
  sex.isDimension = kTrue;
  sex.isFlexTotal = options.flexQuestion ? kTrue : writer::kFalse;
  sketch.Alternative(QStringLiteral("lo"), QStringLiteral("Low"), 10);
  sketch.Alternative(QStringLiteral("hi"), QStringLiteral("High"), 20);
  writer::QuestionRecord rating =
      sketch.Question(QStringLiteral("R"), QStringLiteral("Rating"), QStringLiteral("How do you rate it?"), 2);
  rating.isOverviewQuestion = kTrue;
  rating.inTotalIndex = kTrue;
  rating.primaryBlock = 0;
  sketch.Alternative(QStringLiteral("1"), QStringLiteral("One"), 1);
  sketch.Alternative(QStringLiteral("2"), QStringLiteral("Two"), 2);
  writer::QuestionRecord score = sketch.Question(QStringLiteral("S"), QStringLiteral("Score"), QStringLiteral("Your score?"), 2);
  score.isOverviewQuestion = kTrue;
  score.inTotalIndex = kTrue;
  d.questions = {region, sex, rating, score};
  writer::BlockRecord block;
  block.name = sketch.Text(QStringLiteral("Experience"));
  block.membersByQuestionField = kTrue;
  d.blocks = {block};
  d.answers.assign(4, std::vector<int32_t>(kRespondents));
  for (int r = 0; r < kRespondents; ++r) {
    d.answers[0][static_cast<size_t>(r)] = r % 3;
    d.answers[1][static_cast<size_t>(r)] = r % 2;
    d.answers[2][static_cast<size_t>(r)] = r % 3 == 0 ? 0 : 1;
    d.answers[3][static_cast<size_t>(r)] = r % 2;
  }
  return sketch.Finish();
}

QString Save(const writer::KvfDescription& d) { return SaveFixture(d, QStringLiteral("selection")); }

QJsonObject Select(const QStringList& arguments, const QString& language = QStringLiteral("en")) {
  return RunJson(QStringList{QStringLiteral("select")} + arguments, language);
}

std::vector<int> Ints(const QJsonValue& value) {
  std::vector<int> numbers;
  for (const QJsonValue& element : value.toArray()) numbers.push_back(element.toInt());
  return numbers;
}

std::vector<int> Range(int count) {
  std::vector<int> numbers(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) numbers[static_cast<size_t>(i)] = i;
  return numbers;
}

TEST(KvfSelect, KeysInOrderAndTheFirstSheetWithoutOptions) {
  const QString path = Save(Survey());
  const CliResult raw = RunKvf({QStringLiteral("select"), path});
  ASSERT_EQ(raw.exitCode, 0) << raw.err.toStdString();
  qsizetype last = -1;
  for (const char* key : {"\"count\"", "\"alternativeCounts\"", "\"error\"", "\"description\"", "\"dataRowsAllowed\"",
                          "\"flexTotalDiffers\"", "\"splitDisabled\"", "\"rowOrder\"", "\"rows\"", "\"columnOffsets\"",
                          "\"headerRowCount\"", "\"shownRowCount\"", "\"sheetTotalIndex\"", "\"flexTotal\""}) {
    const qsizetype at = raw.out.indexOf(key);
    ASSERT_GT(at, last) << key;
    last = at;
  }
  const QJsonObject json = QJsonDocument::fromJson(raw.out).object();
  EXPECT_EQ(json.value(QStringLiteral("count")).toInt(), kRespondents);
  const QJsonArray counts = json.value(QStringLiteral("alternativeCounts")).toArray();
  ASSERT_EQ(counts.size(), 2);
  EXPECT_EQ(Ints(counts[0]), (std::vector<int>{4, 4, 4}));
  EXPECT_EQ(Ints(counts[1]), (std::vector<int>{6, 6, 0}));
  EXPECT_EQ(json.value(QStringLiteral("error")).toString(), QString());
  EXPECT_EQ(json.value(QStringLiteral("description")).toString(), QStringLiteral("All respondents"));
  EXPECT_TRUE(json.value(QStringLiteral("dataRowsAllowed")).toBool());
  EXPECT_EQ(json.value(QStringLiteral("rowOrder")).toInt(), 0);
  EXPECT_EQ(Ints(json.value(QStringLiteral("rows"))), Range(kRespondents));
  EXPECT_TRUE(json.value(QStringLiteral("columnOffsets")).isNull());
  EXPECT_EQ(json.value(QStringLiteral("headerRowCount")).toInt(), 2);
  EXPECT_EQ(json.value(QStringLiteral("shownRowCount")).toInt(), kRespondents);
  // Rating 10/20/20 and score 1/2 over twelve respondents each.
  EXPECT_DOUBLE_EQ(json.value(QStringLiteral("sheetTotalIndex")).toDouble(), (4 * 10 + 8 * 20 + 6 * 1 + 6 * 2) / 24.0);
  const QJsonObject flex = json.value(QStringLiteral("flexTotal")).toObject();
  EXPECT_EQ(flex.value(QStringLiteral("caption")).toString(), QStringLiteral("All respondents"));
  EXPECT_EQ(Ints(flex.value(QStringLiteral("respondents"))), Range(kRespondents));
  EXPECT_EQ(flex.value(QStringLiteral("questionFlexIndex")).toArray().size(), 4);
  EXPECT_EQ(flex.value(QStringLiteral("blockFlexIndex")).toArray().size(), 1);
}

TEST(KvfSelect, KeepRestrictsDimensionsAndDescribesThem) {
  const QString path = Save(Survey());
  const QJsonObject json = Select({path, QStringLiteral("--keep"), QStringLiteral("0:0,2"), QStringLiteral("--keep=1:1"),
                                   QStringLiteral("--max-rows"), QStringLiteral("2")});
  EXPECT_EQ(json.value(QStringLiteral("count")).toInt(), 4);
  EXPECT_EQ(Ints(json.value(QStringLiteral("rows"))), (std::vector<int>{3, 5, 9, 11}));
  EXPECT_EQ(json.value(QStringLiteral("description")).toString(), QStringLiteral("Region North, West; Sex Male"));
  // Region counts among men (South included), sex counts among North and West.
  const QJsonArray counts = json.value(QStringLiteral("alternativeCounts")).toArray();
  EXPECT_EQ(Ints(counts[0]), (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(Ints(counts[1]), (std::vector<int>{4, 4, 0}));
  EXPECT_EQ(json.value(QStringLiteral("shownRowCount")).toInt(), 2);
  EXPECT_TRUE(json.value(QStringLiteral("flexTotalDiffers")).toBool());
}

TEST(KvfSelect, RefusedSelectionKeepsThePreviousSheetInBothLanguages) {
  const QString path = Save(Survey());
  for (const QString& language : {QStringLiteral("en"), QStringLiteral("sv")}) {
    const QJsonObject json = Select({path, QStringLiteral("--keep"), QStringLiteral("0:")}, language);
    EXPECT_EQ(json.value(QStringLiteral("error")).toString(),
              language == QStringLiteral("sv") ? QStringLiteral("Det finns inga svar som stämmer överens med det urval du gjort!")
                                               : QStringLiteral("There are no answers matching the selection criterias!"));
    EXPECT_EQ(json.value(QStringLiteral("count")).toInt(), 0);
    EXPECT_EQ(json.value(QStringLiteral("description")).toString(), QStringLiteral("All respondents"));
    EXPECT_EQ(Ints(json.value(QStringLiteral("rows"))), Range(kRespondents));
  }
  SurveyOptions options;
  options.minimumGraphSelection = 5;
  const QJsonObject tooFew =
      Select({Save(Survey(options)), QStringLiteral("--keep"), QStringLiteral("0:1"), QStringLiteral("--keep"),
              QStringLiteral("1:0")});
  EXPECT_EQ(tooFew.value(QStringLiteral("error")).toString(), QStringLiteral("Too few respondents"));
  EXPECT_EQ(tooFew.value(QStringLiteral("count")).toInt(), 2);
}

TEST(KvfSelect, FlexTotalCaptionRespondentsAndIndexes) {
  const QString path = Save(Survey());
  const QJsonObject json = Select({path, QStringLiteral("--flex"), QStringLiteral("1")});
  const QJsonObject flex = json.value(QStringLiteral("flexTotal")).toObject();
  EXPECT_EQ(flex.value(QStringLiteral("caption")).toString(), QStringLiteral("Sex Male"));
  EXPECT_EQ(Ints(flex.value(QStringLiteral("respondents"))), (std::vector<int>{1, 3, 5, 7, 9, 11}));
  // Odd respondents: ratings 20, 10, 20, 20, 10, 20 and score 2 each.
  const QJsonArray questions = flex.value(QStringLiteral("questionFlexIndex")).toArray();
  EXPECT_DOUBLE_EQ(questions[2].toDouble(), 100.0 / 6.0);
  EXPECT_DOUBLE_EQ(questions[3].toDouble(), 2.0);
  EXPECT_DOUBLE_EQ(flex.value(QStringLiteral("currentTotalIndex")).toDouble(), 112.0 / 12.0);
  EXPECT_DOUBLE_EQ(flex.value(QStringLiteral("blockFlexIndex")).toArray()[0].toDouble(), 100.0 / 6.0);
  EXPECT_TRUE(json.value(QStringLiteral("flexTotalDiffers")).toBool());

  const QJsonObject onSelection = Select({path, QStringLiteral("--flex"), QStringLiteral("0"),
                                          QStringLiteral("--flex-on-selection"), QStringLiteral("--keep"),
                                          QStringLiteral("0:0")});
  const QJsonObject flex2 = onSelection.value(QStringLiteral("flexTotal")).toObject();
  EXPECT_EQ(flex2.value(QStringLiteral("caption")).toString(), QStringLiteral("Current selection but Sex Female"));
  EXPECT_EQ(Ints(flex2.value(QStringLiteral("respondents"))), (std::vector<int>{0, 6}));

  SurveyOptions small;
  small.minimumGraphSelection = 7;
  const QJsonObject below = Select({Save(Survey(small)), QStringLiteral("--flex"), QStringLiteral("1")});
  const QJsonObject flex3 = below.value(QStringLiteral("flexTotal")).toObject();
  EXPECT_EQ(flex3.value(QStringLiteral("currentTotalIndex")).toDouble(), -1.0);
  EXPECT_EQ(flex3.value(QStringLiteral("questionFlexIndex")).toArray()[2].toDouble(), -1.0);
}

TEST(KvfSelect, RowOrdersAndSeeds) {
  const QString path = Save(Survey());
  const QStringList shuffled = {path, QStringLiteral("--row-order"), QStringLiteral("1"), QStringLiteral("--seed"),
                                QStringLiteral("42")};
  const QJsonObject first = Select(shuffled);
  const QJsonObject second = Select(shuffled);
  EXPECT_EQ(first.value(QStringLiteral("rowOrder")).toInt(), 1);
  std::vector<int> rows = Ints(first.value(QStringLiteral("rows")));
  EXPECT_EQ(rows, Ints(second.value(QStringLiteral("rows"))));
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, Range(kRespondents));

  const QJsonObject rotated = Select({path, QStringLiteral("--row-order"), QStringLiteral("2")});
  EXPECT_EQ(rotated.value(QStringLiteral("rowOrder")).toInt(), 2);
  EXPECT_EQ(Ints(rotated.value(QStringLiteral("rows"))), Range(kRespondents));
  const std::vector<int> offsets = Ints(rotated.value(QStringLiteral("columnOffsets")));
  ASSERT_EQ(offsets.size(), 4u);
  for (const int offset : offsets) EXPECT_TRUE(offset >= 0 && offset < kRespondents);
}

TEST(KvfSelect, BadOptionsAreUsageErrors) {
  const QString path = Save(Survey());
  SurveyOptions noFlex;
  noFlex.flexQuestion = false;
  const QString noFlexPath = Save(Survey(noFlex));
  const std::vector<QStringList> bad = {
      {path, QStringLiteral("--keep"), QStringLiteral("2:0")},
      {path, QStringLiteral("--keep"), QStringLiteral("0:3")},
      {path, QStringLiteral("--keep"), QStringLiteral("zero:1")},
      {path, QStringLiteral("--keep"), QStringLiteral("0")},
      {path, QStringLiteral("--flex"), QStringLiteral("2")},
      {noFlexPath, QStringLiteral("--flex"), QStringLiteral("0")},
      {path, QStringLiteral("--row-order"), QStringLiteral("3")},
      {path, QStringLiteral("--max-rows"), QStringLiteral("-1")},
      {path, QStringLiteral("--seed"), QStringLiteral("x")},
      {path, path},
  };
  for (const QStringList& arguments : bad) {
    const CliResult result = RunKvf(QStringList{QStringLiteral("select")} + arguments);
    EXPECT_EQ(result.exitCode, 1) << arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(result.out.isEmpty());
  }
  EXPECT_EQ(RunKvf({QStringLiteral("select"), TempDir() + QStringLiteral("/missing.kvf")}).exitCode, 2);
}

TEST(KvfCopyData, ExactClipboardTextAndRefusals) {
  const QString path = Save(Survey());
  const CliResult result = RunKvf({QStringLiteral("copy-data"), path, QStringLiteral("--keep"), QStringLiteral("0:0")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // North: respondents 0, 3, 6, 9 with rating lo/hi by r mod 3 and score by r mod 2.
  EXPECT_EQ(result.out, QByteArray("lo\t1\r\nlo\t2\r\nlo\t1\r\nlo\t2"));

  const CliResult refused = RunKvf({QStringLiteral("copy-data"), path, QStringLiteral("--keep"), QStringLiteral("1:")},
                                   QStringLiteral("sv"));
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_TRUE(refused.out.isEmpty());
  EXPECT_EQ(refused.err, QStringLiteral("Det finns inga svar som stämmer överens med det urval du gjort!\n").toUtf8());

  SurveyOptions options;
  options.minimumSelection = 5;
  const CliResult small =
      RunKvf({QStringLiteral("copy-data"), Save(Survey(options)), QStringLiteral("--keep"), QStringLiteral("0:0")});
  EXPECT_EQ(small.exitCode, 3);
  EXPECT_TRUE(small.out.isEmpty());
  EXPECT_FALSE(small.err.isEmpty());
}

TEST(KvfCopyRow, OneRespondentsAnswersForAShownRow) {
  const QString path = Save(Survey());
  const CliResult result = RunKvf({QStringLiteral("copy-row"), path, QStringLiteral("--row"), QStringLiteral("1"),
                                   QStringLiteral("--keep"), QStringLiteral("0:1")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // Row 1 of South (1, 4, 7, 10) is respondent 4: High, One.
  EXPECT_EQ(result.out, QByteArray("Experience\r\nR. How do you rate it?\tHigh\r\nS. Your score?\tOne"));

  EXPECT_EQ(RunKvf({QStringLiteral("copy-row"), path}).exitCode, 1);
  EXPECT_EQ(RunKvf({QStringLiteral("copy-row"), path, QStringLiteral("--row"), QStringLiteral("12")}).exitCode, 1);
  EXPECT_EQ(RunKvf({QStringLiteral("copy-row"), path, QStringLiteral("--row"), QStringLiteral("0"),
                    QStringLiteral("--row-order"), QStringLiteral("2")})
                .exitCode,
            3);
  EXPECT_EQ(RunKvf({QStringLiteral("copy-row"), path, QStringLiteral("--row"), QStringLiteral("0"),
                    QStringLiteral("--keep"), QStringLiteral("0:")})
                .exitCode,
            3);
}

TEST(KvfIndexValues, TheValueTableOfTheSheet) {
  const QString path = Save(Survey());
  const CliResult result =
      RunKvf({QStringLiteral("index-values"), path, QStringLiteral("--keep"), QStringLiteral("1:0")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // Even respondents: ratings 10, 20, 20, 10, 20, 20 and score 1 six times.
  EXPECT_EQ(result.out, QByteArray("Value\tCount\r\n1\t6\r\n10\t2\r\n20\t4"));

  SurveyOptions noIndexes;
  noIndexes.indexDivisor = 0;
  const CliResult none = RunKvf({QStringLiteral("index-values"), Save(Survey(noIndexes))});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_TRUE(none.out.isEmpty());
  EXPECT_EQ(RunKvf({QStringLiteral("index-values"), path, QStringLiteral("--keep"), QStringLiteral("0:")}).exitCode, 3);
}

}  // namespace
}  // namespace kvf::testing
