// kvf detail: the detail information window's texts for one hovered cell.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRunner.h"
#include "kvfwriter/KvfWriter.h"
#include "kvfwriter/SurveySketch.h"

namespace kvf::testing {
namespace {

using writer::kTrue;

// Four respondents. Region (North, South) alternates and is a dimension.
// Columns: Pace (weights 10, 20, 30; blocks Work and Load), Pay (weights
// 10, 40; block Work), Mood (no weight). Divisor 10: one decimal.
QString SaveSurvey(int32_t indexDivisor = 10) {
  writer::SurveySketch sketch;
  writer::KvfDescription& d = sketch.Description();
  d.info.indexDivisor = indexDivisor;
  d.info.indexLabel0 = sketch.Text(QStringLiteral("Respondent index"));
  d.info.indexLabel1 = sketch.Text(QStringLiteral("Question index"));
  d.info.indexLabel2 = sketch.Text(QStringLiteral("Sub-block index"));
  d.info.indexLabel3 = sketch.Text(QStringLiteral("Block index"));
  d.info.indexLabel4 = sketch.Text(QStringLiteral("Total index"));
  d.info.totalIndex = 2.71;
  d.info.allRespondentsCaption = sketch.Text(QStringLiteral("All respondents"));
  // Sheet labels are the names' first letters.
  auto alternative = [&](const QString& name, int32_t value) { sketch.Alternative(name.left(2), name, value); };
  auto question = [&](const QString& name, const QString& text, int32_t count) {
    return sketch.Question(name.left(3), name, text, count);
  };
  alternative(QStringLiteral("North"), -1);
  alternative(QStringLiteral("South"), -1);
  writer::QuestionRecord region = question(QStringLiteral("Region"), QStringLiteral("Where?"), 2);
  region.isDimension = kTrue;
  alternative(QStringLiteral("Slow"), 10);
  alternative(QStringLiteral("Fast"), 20);
  alternative(QStringLiteral("Hectic"), 30);
  writer::QuestionRecord pace = question(QStringLiteral("Pace"), QStringLiteral("How is the pace?"), 3);
  pace.isOverviewQuestion = kTrue;
  pace.inTotalIndex = kTrue;
  pace.primaryBlock = 0;
  pace.secondaryBlock = 1;
  pace.storedIndex = 2.5;
  alternative(QStringLiteral("Low"), 10);
  alternative(QStringLiteral("High"), 40);
  writer::QuestionRecord pay = question(QStringLiteral("Pay"), QStringLiteral("Is the pay fair?"), 2);
  pay.isOverviewQuestion = kTrue;
  pay.inTotalIndex = kTrue;
  pay.primaryBlock = 0;
  alternative(QStringLiteral("Fine"), -1);
  writer::QuestionRecord mood = question(QStringLiteral("Mood"), QStringLiteral("How do you feel?"), 1);
  mood.isOverviewQuestion = kTrue;
  d.questions = {region, pace, pay, mood};
  writer::BlockRecord work;
  work.name = sketch.Text(QStringLiteral("Work"));
  work.membersByQuestionField = kTrue;
  work.storedIndex = 1.74;
  writer::BlockRecord load;
  load.name = sketch.Text(QStringLiteral("Load"));
  load.membersByQuestionField = kTrue;
  load.storedIndex = 1.66;
  d.blocks = {work, load};
  d.answers = {{0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 1, 1}, {0, 0, 0, 0}};
  d.answerComments = {{}, {-1, sketch.Text(QStringLiteral("Too fast"))}};
  return SaveFixture(sketch.Finish(), QStringLiteral("detail"));
}

QJsonObject Detail(const QStringList& arguments, const QString& language = QStringLiteral("en")) {
  return RunJson(QStringList{QStringLiteral("detail")} + arguments, language);
}

QStringList Texts(const QJsonObject& json, const char* key) {
  QStringList texts;
  for (const QJsonValue& value : json.value(QString::fromLatin1(key)).toArray()) texts << value.toString();
  return texts;
}

QStringList Cell(const QString& path, int row, int column) {
  return {path, QStringLiteral("--row"), QString::number(row), QStringLiteral("--column"), QString::number(column)};
}

TEST(KvfDetail, RespondentRowInKeyOrder) {
  const QString path = SaveSurvey();
  const CliResult raw = RunKvf(QStringList{QStringLiteral("detail")} + Cell(path, 1, 0));
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

  const QJsonObject other = Detail(Cell(path, 0, 1));
  EXPECT_EQ(other.value(QStringLiteral("text")).toString(), QStringLiteral("Is the pay fair?\r\n\r\nLow"));
  EXPECT_EQ(Texts(other, "headers"), (QStringList{"Work", "", "Pay"}));
  EXPECT_EQ(Texts(other, "selection")[2], QStringLiteral("-")) << "no second-level block";
  EXPECT_EQ(Texts(other, "total")[2], QStringLiteral("-"));

  // The topmost header row names only the first-level block.
  const QJsonObject topmost = Detail(Cell(path, -3, 0));
  EXPECT_EQ(Texts(topmost, "headers"), (QStringList{"Work", "", ""}));
  EXPECT_EQ(topmost.value(QStringLiteral("text")).toString(), QString());
}

TEST(KvfDetail, SelectionRotatedRowsAndSwedishNumbers) {
  const QString path = SaveSurvey();
  const QJsonObject south = Detail(Cell(path, 3, 0) + QStringList{QStringLiteral("--keep"), QStringLiteral("0:1")});
  EXPECT_EQ(Texts(south, "selection"), (QStringList{"3.0", "2.0", "2.0", "3.0", "3.0"}));

  const QJsonObject rotated = Detail(Cell(path, 1, 0) + QStringList{QStringLiteral("--row-order"), QStringLiteral("2")});
  EXPECT_EQ(Texts(rotated, "selection")[0], QStringLiteral("-")) << "rows rotated per column: no respondent index";
  EXPECT_EQ(Texts(rotated, "selection")[1], QStringLiteral("2.0"));

  const QJsonObject swedish = Detail(Cell(path, 1, 0), QStringLiteral("sv"));
  EXPECT_EQ(Texts(swedish, "selection"), (QStringList{"3,0", "2,0", "2,0", "2,6", "2,6"}));
  EXPECT_EQ(Texts(swedish, "total"), (QStringList{"", "2,5", "1,7", "1,7", "2,7"}));
}

TEST(KvfDetail, DocumentWithoutIndexesShowsNothing) {
  const QJsonObject json = Detail(Cell(SaveSurvey(0), 1, 0));
  EXPECT_EQ(Texts(json, "headers"), (QStringList{"", "", ""}));
  EXPECT_EQ(json.value(QStringLiteral("text")).toString(), QString());
  EXPECT_EQ(Texts(json, "indexLabels"), (QStringList{"", "", "", "", ""}));
  EXPECT_EQ(Texts(json, "selection"), (QStringList{"", "", "", "", ""}));
}

TEST(KvfDetail, BadCellsAndRefusedSelections) {
  const QString path = SaveSurvey();
  EXPECT_EQ(RunKvf(QStringList{QStringLiteral("detail")} + Cell(path, -4, 0)).exitCode, 1);
  EXPECT_EQ(RunKvf(QStringList{QStringLiteral("detail")} + Cell(path, 0, 3)).exitCode, 1);
  EXPECT_EQ(RunKvf(QStringList{QStringLiteral("detail")} + Cell(path, 0, -1)).exitCode, 1);
  EXPECT_EQ(RunKvf(QStringList{QStringLiteral("detail")} + Cell(path, 4, 0)).exitCode, 1);
  EXPECT_EQ(RunKvf({QStringLiteral("detail"), path, QStringLiteral("--row"), QStringLiteral("0")}).exitCode, 1);
  EXPECT_EQ(RunKvf({QStringLiteral("detail"), path, QStringLiteral("--row"), QStringLiteral("x"), QStringLiteral("--column"),
                    QStringLiteral("0")})
                .exitCode,
            1);
  const CliResult notSelected =
      RunKvf(QStringList{QStringLiteral("detail")} + Cell(path, 0, 0) + QStringList{"--keep", "0:1"});
  EXPECT_EQ(notSelected.exitCode, 1);
  EXPECT_TRUE(notSelected.err.contains("not in the selection")) << notSelected.err.toStdString();
  const CliResult refused = RunKvf(QStringList{QStringLiteral("detail")} + Cell(path, 0, 0) + QStringList{"--keep", "0:"});
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_TRUE(refused.out.isEmpty());
  EXPECT_EQ(RunKvf(QStringList{QStringLiteral("detail")} + Cell(TempDir() + "/missing.kvf", 0, 0)).exitCode, 2);
}

}  // namespace
}  // namespace kvf::testing
