// kvf select, copy-data, copy-row and index-values: arguments, exit codes,
// the output's shape and one worked case each (the selection rules
// themselves are checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

constexpr int kRespondents = 12;

// Region = r mod 3 and Sex = r mod 2 are dimensions, Sex the flex question;
// Rating (10 when r mod 3 == 0, else 20) in block Experience and Score
// (1, 2 = r mod 2) are the overview questions, both in the total index.
writer::KvfDescription Survey() {
  return FromJson(R"({
  "info": {"language": "English", "allRespondentsCaption": "All respondents", "tooFewCaption": "Too few respondents",
           "indexDivisor": 1, "allowCopy": true, "allowCopyData": true, "featureFlags": 0},
  "questions": [
    {"sheetLabel": "Reg", "name": "Region", "text": "Where?", "isDimension": true, "alternatives": [
      {"sheetLabel": "N", "name": "North"}, {"sheetLabel": "S", "name": "South"}, {"sheetLabel": "W", "name": "West"}]},
    {"sheetLabel": "Sex", "name": "Sex", "text": "Sex?", "isDimension": true, "isFlexTotal": true, "alternatives": [
      {"sheetLabel": "F", "name": "Female"}, {"sheetLabel": "M", "name": "Male"}]},
    {"sheetLabel": "R", "name": "Rating", "text": "How do you rate it?", "isOverviewQuestion": true,
     "inTotalIndex": true, "primaryBlock": 0, "alternatives": [
      {"sheetLabel": "lo", "name": "Low", "value": 10}, {"sheetLabel": "hi", "name": "High", "value": 20}]},
    {"sheetLabel": "S", "name": "Score", "text": "Your score?", "isOverviewQuestion": true, "inTotalIndex": true,
     "alternatives": [{"sheetLabel": "1", "name": "One", "value": 1}, {"sheetLabel": "2", "name": "Two", "value": 2}]}],
  "answers": [[0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2], [0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1],
              [0, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1], [0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1]],
  "blocks": [{"name": "Experience", "membersByQuestionField": true}]})");
}

QString Save(const writer::KvfDescription& d = Survey()) { return SaveFixture(d, QStringLiteral("selection")); }

QJsonObject Select(const QStringList& arguments) { return RunJson(QStringList{QStringLiteral("select")} + arguments); }

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
  const CliResult raw = RunKvf({QStringLiteral("select"), Save()});
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
  EXPECT_EQ(json.value(QStringLiteral("description")).toString(), QStringLiteral("All respondents"));
  EXPECT_EQ(Ints(json.value(QStringLiteral("rows"))), Range(kRespondents));
  EXPECT_TRUE(json.value(QStringLiteral("columnOffsets")).isNull());
  EXPECT_EQ(json.value(QStringLiteral("headerRowCount")).toInt(), 2);
  EXPECT_DOUBLE_EQ(json.value(QStringLiteral("sheetTotalIndex")).toDouble(), (4 * 10 + 8 * 20 + 6 * 1 + 6 * 2) / 24.0);
  const QJsonObject flex = json.value(QStringLiteral("flexTotal")).toObject();
  EXPECT_EQ(flex.value(QStringLiteral("questionFlexIndex")).toArray().size(), 4);
  EXPECT_EQ(flex.value(QStringLiteral("blockFlexIndex")).toArray().size(), 1);
}

TEST(KvfSelect, KeepFlexAndRowOptionsReachTheSheet) {
  const QString path = Save();
  const QJsonObject kept = Select({path, QStringLiteral("--keep"), QStringLiteral("0:0,2"), QStringLiteral("--keep=1:1"),
                                   QStringLiteral("--max-rows"), QStringLiteral("2")});
  EXPECT_EQ(Ints(kept.value(QStringLiteral("rows"))), (std::vector<int>{3, 5, 9, 11}));
  EXPECT_EQ(kept.value(QStringLiteral("description")).toString(), QStringLiteral("Region North, West; Sex Male"));
  EXPECT_EQ(kept.value(QStringLiteral("shownRowCount")).toInt(), 2);

  const QJsonObject refused = Select({path, QStringLiteral("--keep"), QStringLiteral("0:")});
  EXPECT_EQ(refused.value(QStringLiteral("error")).toString(),
            QStringLiteral("There are no answers matching the selection criterias!"));
  EXPECT_EQ(Ints(refused.value(QStringLiteral("rows"))), Range(kRespondents)) << "the previous sheet stays";

  const QJsonObject flex = Select({path, QStringLiteral("--flex"), QStringLiteral("0"),
                                   QStringLiteral("--flex-on-selection"), QStringLiteral("--keep"), QStringLiteral("0:0")})
                               .value(QStringLiteral("flexTotal"))
                               .toObject();
  EXPECT_EQ(flex.value(QStringLiteral("caption")).toString(), QStringLiteral("Current selection but Sex Female"));
  EXPECT_EQ(Ints(flex.value(QStringLiteral("respondents"))), (std::vector<int>{0, 6}));

  const QStringList shuffled = {path, QStringLiteral("--row-order"), QStringLiteral("1"), QStringLiteral("--seed"),
                                QStringLiteral("42")};
  std::vector<int> rows = Ints(Select(shuffled).value(QStringLiteral("rows")));
  EXPECT_EQ(rows, Ints(Select(shuffled).value(QStringLiteral("rows"))));
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, Range(kRespondents));
  const QJsonObject rotated = Select({path, QStringLiteral("--row-order"), QStringLiteral("2")});
  EXPECT_EQ(rotated.value(QStringLiteral("rowOrder")).toInt(), 2);
  EXPECT_EQ(Ints(rotated.value(QStringLiteral("columnOffsets"))).size(), 4u);
}

TEST(KvfSelect, BadOptionsAreUsageErrors) {
  const QString path = Save();
  writer::KvfDescription noFlex = Survey();
  noFlex.questions[1].isFlexTotal = writer::kFalse;
  const QString noFlexPath = Save(noFlex);
  const std::vector<QStringList> bad = {
      {path, QStringLiteral("--keep"), QStringLiteral("2:0")},  {path, QStringLiteral("--keep"), QStringLiteral("0:3")},
      {path, QStringLiteral("--keep"), QStringLiteral("zero:1")}, {path, QStringLiteral("--keep"), QStringLiteral("0")},
      {path, QStringLiteral("--flex"), QStringLiteral("2")},    {noFlexPath, QStringLiteral("--flex"), QStringLiteral("0")},
      {path, QStringLiteral("--row-order"), QStringLiteral("3")}, {path, QStringLiteral("--max-rows"), QStringLiteral("-1")},
      {path, QStringLiteral("--seed"), QStringLiteral("x")},    {path, path},
  };
  for (const QStringList& arguments : bad) {
    const CliResult result = RunKvf(QStringList{QStringLiteral("select")} + arguments);
    EXPECT_EQ(result.exitCode, 1) << arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(result.out.isEmpty());
  }
  EXPECT_EQ(RunKvf({QStringLiteral("select"), TempDir() + QStringLiteral("/missing.kvf")}).exitCode, 2);
}

TEST(KvfCopyData, ExactClipboardTextAndRefusals) {
  const QString path = Save();
  const CliResult result = RunKvf({QStringLiteral("copy-data"), path, QStringLiteral("--keep"), QStringLiteral("0:0")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // North: respondents 0, 3, 6, 9 with rating lo/hi by r mod 3 and score by r mod 2.
  EXPECT_EQ(result.out, QByteArray("lo\t1\r\nlo\t2\r\nlo\t1\r\nlo\t2"));
  const CliResult refused = RunKvf({QStringLiteral("copy-data"), path, QStringLiteral("--keep"), QStringLiteral("1:")});
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_TRUE(refused.out.isEmpty());
  EXPECT_EQ(refused.err, QByteArray("There are no answers matching the selection criterias!\n"));
}

TEST(KvfCopyRow, OneRespondentsAnswersForAShownRow) {
  const QString path = Save();
  const CliResult result = RunKvf({QStringLiteral("copy-row"), path, QStringLiteral("--row"), QStringLiteral("1"),
                                   QStringLiteral("--keep"), QStringLiteral("0:1")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // Row 1 of South (1, 4, 7, 10) is respondent 4: High, One.
  EXPECT_EQ(result.out, QByteArray("Experience\r\nR. How do you rate it?\tHigh\r\nS. Your score?\tOne"));
  const std::vector<std::pair<QStringList, int>> failures = {
      {{}, 1},
      {{QStringLiteral("--row"), QStringLiteral("12")}, 1},
      {{QStringLiteral("--row"), QStringLiteral("0"), QStringLiteral("--row-order"), QStringLiteral("2")}, 3},
      {{QStringLiteral("--row"), QStringLiteral("0"), QStringLiteral("--keep"), QStringLiteral("0:")}, 3},
  };
  for (const auto& [arguments, code] : failures)
    EXPECT_EQ(RunKvf(QStringList{QStringLiteral("copy-row"), path} + arguments).exitCode, code)
        << arguments.join(QLatin1Char(' ')).toStdString();
}

TEST(KvfIndexValues, TheValueTableOfTheSheet) {
  const QString path = Save();
  const CliResult result =
      RunKvf({QStringLiteral("index-values"), path, QStringLiteral("--keep"), QStringLiteral("1:0")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // Even respondents: ratings 10, 20, 20, 10, 20, 20 and score 1 six times.
  EXPECT_EQ(result.out, QByteArray("Value\tCount\r\n1\t6\r\n10\t2\r\n20\t4"));
  writer::KvfDescription noIndexes = Survey();
  noIndexes.info.indexDivisor = 0;
  const CliResult none = RunKvf({QStringLiteral("index-values"), Save(noIndexes)});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_TRUE(none.out.isEmpty());
  EXPECT_EQ(RunKvf({QStringLiteral("index-values"), path, QStringLiteral("--keep"), QStringLiteral("0:")}).exitCode, 3);
}

}  // namespace
}  // namespace kvf::testing
