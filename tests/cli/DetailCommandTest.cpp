// kvf detail: arguments, exit codes, the output's shape and one worked cell
// (the detail rules themselves are checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

// Four respondents. Region (North, South) alternates and is a dimension.
// Columns: Pace (weights 10, 20, 30; blocks Work and Load), Pay (weights
// 10, 40; block Work), Mood (no weight). Divisor 10: one decimal.
QString SaveSurvey() {
  return SaveFixture(FromJson(R"({
  "info": {"indexDivisor": 10, "totalIndex": 2.71, "allRespondentsCaption": "All respondents", "featureFlags": 0,
           "indexLabels": ["Respondent index", "Question index", "Sub-block index", "Block index", "Total index"]},
  "questions": [
    {"sheetLabel": "Reg", "name": "Region", "text": "Where?", "isDimension": true,
     "alternatives": [{"sheetLabel": "No", "name": "North"}, {"sheetLabel": "So", "name": "South"}]},
    {"sheetLabel": "Pac", "name": "Pace", "text": "How is the pace?", "isOverviewQuestion": true, "inTotalIndex": true,
     "primaryBlock": 0, "secondaryBlock": 1, "storedIndex": 2.5, "alternatives": [
       {"sheetLabel": "Sl", "name": "Slow", "value": 10}, {"sheetLabel": "Fa", "name": "Fast", "value": 20},
       {"sheetLabel": "He", "name": "Hectic", "value": 30}]},
    {"sheetLabel": "Pay", "name": "Pay", "text": "Is the pay fair?", "isOverviewQuestion": true, "inTotalIndex": true,
     "primaryBlock": 0, "alternatives": [{"sheetLabel": "Lo", "name": "Low", "value": 10},
                                         {"sheetLabel": "Hi", "name": "High", "value": 40}]},
    {"sheetLabel": "Moo", "name": "Mood", "text": "How do you feel?", "isOverviewQuestion": true,
     "alternatives": [{"sheetLabel": "Fi", "name": "Fine"}]}],
  "answers": [[0, 1, 0, 1], [0, 1, 2, 1], [0, 1, 1, 1], [0, 0, 0, 0]],
  "answerComments": [{"question": 1, "respondent": 1, "text": "Too fast"}],
  "blocks": [{"name": "Work", "membersByQuestionField": true, "storedIndex": 1.74},
             {"name": "Load", "membersByQuestionField": true, "storedIndex": 1.66}]})"),
                     QStringLiteral("detail"));
}

QStringList Texts(const QJsonObject& json, const char* key) {
  QStringList texts;
  for (const QJsonValue& value : json.value(QString::fromLatin1(key)).toArray()) texts << value.toString();
  return texts;
}

QStringList Cell(const QString& path, int row, int column) {
  return {"detail", path, "--row", QString::number(row), "--column", QString::number(column)};
}

TEST(KvfDetail, RespondentRowInKeyOrderAndInTheUsersLanguage) {
  const QString path = SaveSurvey();
  const CliResult raw = RunKvf(Cell(path, 1, 0));
  ASSERT_EQ(raw.exitCode, 0) << raw.err.toStdString();
  qsizetype last = -1;
  for (const char* key : {"\"headers\"", "\"text\"", "\"indexLabels\"", "\"selection\"", "\"total\""}) {
    const qsizetype at = raw.out.indexOf(key);
    ASSERT_GT(at, last) << key;
    last = at;
  }
  const QJsonObject json = QJsonDocument::fromJson(raw.out).object();
  EXPECT_EQ(Texts(json, "headers"), (QStringList{"Work", "Load", "Pace"}));
  EXPECT_EQ(json.value(QStringLiteral("text")).toString(), QStringLiteral("How is the pace?\r\n\r\nFast\r\n\r\nToo fast"));
  EXPECT_EQ(Texts(json, "indexLabels"),
            (QStringList{"Respondent index", "Question index", "Sub-block index", "Block index", "Total index"}));
  // Respondent 1: Pace 20 and Pay 40; Pace over all 10+20+30+20; Work adds
  // Pay 10+40+40+40; the sheet's total index is Work's.
  EXPECT_EQ(Texts(json, "selection"), (QStringList{"3.0", "2.0", "2.0", "2.6", "2.6"}));
  // Stored indexes of the question and the blocks, the file's total index.
  EXPECT_EQ(Texts(json, "total"), (QStringList{"", "2.5", "1.7", "1.7", "2.7"}));

  const QJsonObject swedish = RunJson(Cell(path, 1, 0), QStringLiteral("sv"));
  EXPECT_EQ(Texts(swedish, "selection"), (QStringList{"3,0", "2,0", "2,0", "2,6", "2,6"}));
}

TEST(KvfDetail, BadCellsAndRefusedSelections) {
  const QString path = SaveSurvey();
  for (const auto& [row, column] : std::vector<std::pair<int, int>>{{-4, 0}, {0, 3}, {0, -1}, {4, 0}})
    EXPECT_EQ(RunKvf(Cell(path, row, column)).exitCode, 1) << row << "," << column;
  EXPECT_EQ(RunKvf({"detail", path, "--row", "0"}).exitCode, 1);
  EXPECT_EQ(RunKvf({"detail", path, "--row", "x", "--column", "0"}).exitCode, 1);
  const CliResult notSelected = RunKvf(Cell(path, 0, 0) + QStringList{"--keep", "0:1"});
  EXPECT_EQ(notSelected.exitCode, 1);
  EXPECT_TRUE(notSelected.err.contains("not in the selection")) << notSelected.err.toStdString();
  const CliResult refused = RunKvf(Cell(path, 0, 0) + QStringList{"--keep", "0:"});
  EXPECT_EQ(std::make_tuple(refused.exitCode, refused.out), std::make_tuple(3, QByteArray()));
  EXPECT_EQ(RunKvf(Cell(TempDir() + "/missing.kvf", 0, 0)).exitCode, 2);
}

}  // namespace
}  // namespace kvf::testing
