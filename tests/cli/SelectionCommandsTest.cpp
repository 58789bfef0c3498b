// kvf select, copy-data, copy-row, index-values and detail: arguments, exit
// codes, the output's shape and one worked case each (the selection and
// detail rules themselves are checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <tuple>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

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

const std::vector<int> kAll = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

TEST(KvfSelect, KeysInOrderAndTheFirstSheetWithoutOptions) {
  const CliResult raw = RunKvf({"select", Save()});
  ASSERT_EQ(raw.exitCode, 0) << raw.err.toStdString();
  ExpectKeysInOrder(raw.out,
                    "count alternativeCounts error description dataRowsAllowed flexTotalDiffers splitDisabled rowOrder "
                    "rows columnOffsets headerRowCount shownRowCount sheetTotalIndex flexTotal");
  const QJsonObject json = QJsonDocument::fromJson(raw.out).object();
  EXPECT_EQ(std::make_tuple(json["count"].toInt(), Ints(json["rows"]), json["columnOffsets"].isNull(),
                            json["headerRowCount"].toInt()),
            std::make_tuple(12, kAll, true, 2));
}

TEST(KvfSelect, KeepFlexAndRowOptionsReachTheSheet) {
  const QString path = Save();
  const QJsonObject kept = Select({path, "--keep", "0:0,2", "--keep=1:1", "--max-rows", "2"});
  EXPECT_EQ(std::make_tuple(Ints(kept["rows"]), kept["shownRowCount"].toInt()),
            std::make_tuple(std::vector<int>{3, 5, 9, 11}, 2));
  // A refused selection reports its text; the previous sheet stays.
  const QJsonObject refused = Select({path, "--keep", "0:"});
  EXPECT_EQ(std::make_tuple(refused["error"].toString().isEmpty(), Ints(refused["rows"])),
            std::make_tuple(false, kAll));
  const QJsonObject flex =
      Select({path, "--flex", "0", "--flex-on-selection", "--keep", "0:0"})["flexTotal"].toObject();
  EXPECT_EQ(Ints(flex["respondents"]), (std::vector<int>{0, 6}));
  // A seed repeats a random order.
  const QStringList shuffled = {path, "--row-order", "1", "--seed", "42"};
  std::vector<int> rows = Ints(Select(shuffled)["rows"]);
  EXPECT_EQ(rows, Ints(Select(shuffled)["rows"]));
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, kAll);
  EXPECT_EQ(Ints(Select({path, "--row-order", "2"})["columnOffsets"]).size(), 4u);
}

TEST(KvfSelect, BadOptionsAreUsageErrors) {
  const QString path = Save();
  writer::KvfDescription noFlex = Survey();
  noFlex.questions[1].isFlexTotal = writer::kFalse;
  const std::vector<QStringList> bad = {
      {path, "--keep", "2:0"},       {path, "--keep", "0:3"},    {path, "--keep", "0"}, {path, "--flex", "2"},
      {Save(noFlex), "--flex", "0"}, {path, "--row-order", "3"}, {path, "--seed", "x"}, {path, path}};
  for (const QStringList& arguments : bad) {
    const CliResult result = RunKvf(QStringList{"select"} + arguments);
    EXPECT_EQ(std::make_tuple(result.exitCode, result.out), std::make_tuple(1, QByteArray()))
        << arguments.join(' ').toStdString();
  }
}

TEST(KvfCopyData, ExactClipboardTextAndRefusals) {
  const QString path = Save();
  const CliResult result = RunKvf({"copy-data", path, "--keep", "0:0"});
  // North: respondents 0, 3, 6, 9 with rating lo/hi by r mod 3 and score by r mod 2.
  EXPECT_EQ(std::make_tuple(result.exitCode, result.out),
            std::make_tuple(0, QByteArray("lo\t1\r\nlo\t2\r\nlo\t1\r\nlo\t2")));
  const CliResult refused = RunKvf({"copy-data", path, "--keep", "1:"});
  EXPECT_EQ(std::make_tuple(refused.exitCode, refused.out, refused.err),
            std::make_tuple(3, QByteArray(), QByteArray("There are no answers matching the selection criterias!\n")));
}

TEST(KvfCopyRow, OneRespondentsAnswersForAShownRow) {
  const QString path = Save();
  const CliResult result = RunKvf({"copy-row", path, "--row", "1", "--keep", "0:1"});
  // Row 1 of South (1, 4, 7, 10) is respondent 4: High, One.
  EXPECT_EQ(std::make_tuple(result.exitCode, result.out),
            std::make_tuple(0, QByteArray("Experience\r\nR. How do you rate it?\tHigh\r\nS. Your score?\tOne")));
  const std::pair<QStringList, int> failures[] = {
      {{}, 1}, {{"--row", "12"}, 1}, {{"--row", "0", "--row-order", "2"}, 3}, {{"--row", "0", "--keep", "0:"}, 3}};
  for (const auto& [arguments, code] : failures)
    EXPECT_EQ(RunKvf(QStringList{"copy-row", path} + arguments).exitCode, code) << arguments.join(' ').toStdString();
}

TEST(KvfIndexValues, TheValueTableOfTheSheet) {
  const QString path = Save();
  const CliResult result = RunKvf({"index-values", path, "--keep", "1:0"});
  // Even respondents: ratings 10, 20, 20, 10, 20, 20 and score 1 six times.
  EXPECT_EQ(std::make_tuple(result.exitCode, result.out),
            std::make_tuple(0, QByteArray("Value\tCount\r\n1\t6\r\n10\t2\r\n20\t4")));
  writer::KvfDescription noIndexes = Survey();
  noIndexes.info.indexDivisor = 0;
  const CliResult none = RunKvf({"index-values", Save(noIndexes)});
  EXPECT_EQ(std::make_tuple(none.exitCode, none.out), std::make_tuple(0, QByteArray()));
  EXPECT_EQ(RunKvf({"index-values", path, "--keep", "0:"}).exitCode, 3);
}

QStringList Cell(const QString& path, int row, int column) {
  return {"detail", path, "--row", QString::number(row), "--column", QString::number(column)};
}

TEST(KvfDetail, KeyOrderTheUsersDecimalSeparatorAndBadCells) {
  writer::KvfDescription oneDecimal = Survey();
  oneDecimal.info.indexDivisor = 10;
  const QString path = Save(oneDecimal);
  const CliResult english = RunKvf(Cell(path, 1, 0));
  ASSERT_EQ(english.exitCode, 0) << english.err.toStdString();
  ExpectKeysInOrder(english.out, "headers text indexLabels selection total");
  const QJsonObject json = QJsonDocument::fromJson(english.out).object();
  EXPECT_TRUE(json["headers"].toArray().contains(QStringLiteral("Experience")));
  EXPECT_EQ(json["selection"].toArray().size(), 5);
  const QByteArray selection = english.out.mid(english.out.indexOf("\"selection\""));
  EXPECT_TRUE(selection.contains('.'));
  EXPECT_TRUE(RunKvf(Cell(path, 1, 0), "sv").out.endsWith(QByteArray(selection).replace('.', ',')));
  const std::pair<QStringList, int> cases[] = {
      {Cell(path, -3, 0), 1}, {Cell(path, 0, 2), 1}, {Cell(path, 12, 0), 1}, {{"detail", path, "--row", "0"}, 1},
      {Cell(path, 0, 0) + QStringList{"--keep", "0:1"}, 1},  // respondent 0 is not in the selection
      {Cell(path, 1, 0) + QStringList{"--keep", "0:"}, 3}, {Cell(TempDir() + "/missing.kvf", 0, 0), 2}};
  for (const auto& [arguments, code] : cases) {
    const CliResult result = RunKvf(arguments);
    EXPECT_EQ(std::make_tuple(result.exitCode, result.out.isEmpty()), std::make_tuple(code, true))
        << arguments.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace kvf::testing
