// kvf select, copy-data, copy-row and index-values: arguments, exit codes,
// the output's shape and one worked case each (the selection rules
// themselves are checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <tuple>

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
  EXPECT_EQ(json.value("alternativeCounts").toArray(), QJsonArray({QJsonArray({4, 4, 4}), QJsonArray({6, 6, 0})}));
  EXPECT_EQ(std::make_tuple(json.value("description").toString(), Ints(json.value("rows")),
                            json.value("columnOffsets").isNull(), json.value("headerRowCount").toInt()),
            std::make_tuple(QStringLiteral("All respondents"), Range(kRespondents), true, 2));
  EXPECT_DOUBLE_EQ(json.value(QStringLiteral("sheetTotalIndex")).toDouble(), (4 * 10 + 8 * 20 + 6 * 1 + 6 * 2) / 24.0);
  const QJsonObject flex = json.value("flexTotal").toObject();
  EXPECT_EQ(
      std::make_tuple(flex.value("questionFlexIndex").toArray().size(), flex.value("blockFlexIndex").toArray().size()),
      std::make_tuple(4, 1));
}

TEST(KvfSelect, KeepFlexAndRowOptionsReachTheSheet) {
  const QString path = Save();
  const QJsonObject kept = Select({path, "--keep", "0:0,2", "--keep=1:1", "--max-rows", "2"});
  EXPECT_EQ(std::make_tuple(Ints(kept.value("rows")), kept.value("description").toString(),
                            kept.value("shownRowCount").toInt()),
            std::make_tuple(std::vector<int>{3, 5, 9, 11}, QStringLiteral("Region North, West; Sex Male"), 2));
  // A refused selection reports its text; the previous sheet stays.
  const QJsonObject refused = Select({path, "--keep", "0:"});
  EXPECT_EQ(
      std::make_tuple(refused.value("error").toString(), Ints(refused.value("rows"))),
      std::make_tuple(QStringLiteral("There are no answers matching the selection criterias!"), Range(kRespondents)));
  const QJsonObject flex =
      Select({path, "--flex", "0", "--flex-on-selection", "--keep", "0:0"}).value("flexTotal").toObject();
  EXPECT_EQ(std::make_tuple(flex.value("caption").toString(), Ints(flex.value("respondents"))),
            std::make_tuple(QStringLiteral("Current selection but Sex Female"), std::vector<int>{0, 6}));
  // A seed repeats a random order.
  const QStringList shuffled = {path, "--row-order", "1", "--seed", "42"};
  std::vector<int> rows = Ints(Select(shuffled).value("rows"));
  EXPECT_EQ(rows, Ints(Select(shuffled).value("rows")));
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, Range(kRespondents));
  const QJsonObject rotated = Select({path, "--row-order", "2"});
  EXPECT_EQ(std::make_tuple(rotated.value("rowOrder").toInt(), Ints(rotated.value("columnOffsets")).size()),
            std::make_tuple(2, 4u));
}

TEST(KvfSelect, BadOptionsAreUsageErrors) {
  const QString path = Save();
  writer::KvfDescription noFlex = Survey();
  noFlex.questions[1].isFlexTotal = writer::kFalse;
  const QString noFlexPath = Save(noFlex);
  const std::vector<QStringList> bad = {{path, "--keep", "2:0"},    {path, "--keep", "0:3"},
                                        {path, "--keep", "zero:1"}, {path, "--keep", "0"},
                                        {path, "--flex", "2"},      {noFlexPath, "--flex", "0"},
                                        {path, "--row-order", "3"}, {path, "--max-rows", "-1"},
                                        {path, "--seed", "x"},      {path, path}};
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
  const CliResult refused = RunKvf({"copy-data", path, "--keep", "1:"});
  EXPECT_EQ(std::make_tuple(refused.exitCode, refused.out, refused.err),
            std::make_tuple(3, QByteArray(), QByteArray("There are no answers matching the selection criterias!\n")));
}

TEST(KvfCopyRow, OneRespondentsAnswersForAShownRow) {
  const QString path = Save();
  const CliResult result = RunKvf({QStringLiteral("copy-row"), path, QStringLiteral("--row"), QStringLiteral("1"),
                                   QStringLiteral("--keep"), QStringLiteral("0:1")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // Row 1 of South (1, 4, 7, 10) is respondent 4: High, One.
  EXPECT_EQ(result.out, QByteArray("Experience\r\nR. How do you rate it?\tHigh\r\nS. Your score?\tOne"));
  const std::vector<std::pair<QStringList, int>> failures = {
      {{}, 1}, {{"--row", "12"}, 1}, {{"--row", "0", "--row-order", "2"}, 3}, {{"--row", "0", "--keep", "0:"}, 3}};
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
  const CliResult none = RunKvf({"index-values", Save(noIndexes)});
  EXPECT_EQ(std::make_tuple(none.exitCode, none.out), std::make_tuple(0, QByteArray()));
  EXPECT_EQ(RunKvf({QStringLiteral("index-values"), path, QStringLiteral("--keep"), QStringLiteral("0:")}).exitCode, 3);
}

}  // namespace
}  // namespace kvf::testing
