// kvf dump: the decoded document as JSON, exactly in the documented schema
// (what the reader decodes is checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRunner.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::testing {
namespace {

using writer::kTrue;

QString Save(const QString& name, const writer::KvfDescription& d) { return SaveFixture(d, name); }

writer::KvfDescription Survey() {
  writer::KvfDescription d;
  d.strings = {"English", "Q", "Yes", "No", "Everyone", "Comment", "B"};
  d.info.language = 0;
  d.info.guid[0] = 0xAB;
  d.info.allRespondentsCaption = 4;
  d.info.indexDivisor = 100;
  d.info.totalIndex = 0.1;
  d.info.created = 46000.5;
  d.info.allowCopy = kTrue;
  for (const int value : {100, 0}) {
    writer::AlternativeRecord a;
    a.sheetLabel = value == 100 ? 2 : 3;
    a.value = value;
    a.backColor = 0x00FF00;
    d.alternatives.push_back(a);
  }
  writer::QuestionRecord q;
  q.name = 1;
  q.alternativeCount = 2;
  q.isOverviewQuestion = kTrue;
  q.isDimension = kTrue;
  q.inTotalIndex = kTrue;
  q.storedIndex = -1.0;
  d.questions = {q};
  d.answerWidth = 2;
  d.answers = {{0, 1, 1}};
  d.respondentComments = {{5, -1}};
  d.answerComments = {{-1, 5, -1}};
  writer::BlockRecord block;
  block.name = 6;
  d.blocks = {block};
  d.blockItems = {{0, 0}};
  return d;
}

QJsonObject Dump(const QString& path) { return RunJson({QStringLiteral("dump"), path}); }

TEST(KvfDump, KeysFollowTheSchemaInOrder) {
  const CliResult result = RunKvf({QStringLiteral("dump"), Save(QStringLiteral("order.kvf"), Survey())});
  ASSERT_EQ(result.exitCode, 0);
  const QByteArray& out = result.out;
  const std::vector<const char*> topLevel = {
      "\"formatRevision\"", "\"compatibleRevision\"", "\"fileName\"", "\"title\"", "\"info\"",
      "\"strings\"", "\"answerWidth\"", "\"respondentCount\"", "\"matrixQuestionCount\"", "\"answers\"",
      "\"alternatives\"", "\"questions\"", "\"respondentComments\"", "\"answerComments\"", "\"blocks\"",
      "\"blockItems\"", "\"overviewQuestions\"", "\"dimensions\"", "\"maxDimensionAlternatives\"",
      "\"flexTotalQuestion\""};
  qsizetype last = -1;
  for (const char* key : topLevel) {
    const qsizetype at = out.indexOf(key);
    ASSERT_GT(at, last) << key;
    last = at;
  }
  EXPECT_TRUE(out.endsWith("}\n"));
}

TEST(KvfDump, FieldsAreDecodedAndResolved) {
  const QJsonObject dump = Dump(Save(QStringLiteral("fields.kvf"), Survey()));
  EXPECT_EQ(dump[QStringLiteral("formatRevision")].toInt(), 9);
  EXPECT_EQ(dump[QStringLiteral("fileName")].toString(), QStringLiteral("fields.kvf"));
  EXPECT_EQ(dump[QStringLiteral("title")].toString(), QStringLiteral("fields.kvf"));
  const QJsonObject info = dump[QStringLiteral("info")].toObject();
  EXPECT_EQ(info[QStringLiteral("guid")].toString(), QStringLiteral("{000000AB-0000-0000-0000-000000000000}"));
  EXPECT_EQ(info[QStringLiteral("language")].toString(), QStringLiteral("English"));
  EXPECT_EQ(info[QStringLiteral("languageCode")].toString(), QStringLiteral("en"));
  EXPECT_EQ(info[QStringLiteral("created")].toDouble(), 46000.5);
  EXPECT_EQ(info[QStringLiteral("indexDecimals")].toInt(), 2);
  EXPECT_EQ(info[QStringLiteral("totalIndex")].toDouble(), 0.1);
  EXPECT_EQ(info[QStringLiteral("allowCopy")], QJsonValue(true));
  EXPECT_EQ(info[QStringLiteral("allowCopyData")], QJsonValue(false));
  EXPECT_EQ(info[QStringLiteral("allRespondentsCaption")].toString(), QStringLiteral("Everyone"));
  EXPECT_EQ(info[QStringLiteral("indexLabels")].toArray().size(), 5);
  EXPECT_EQ(info[QStringLiteral("levelColors")].toArray().size(), 4);
  EXPECT_EQ(info[QStringLiteral("fileVersion")].toArray().size(), 3);

  EXPECT_EQ(dump[QStringLiteral("answerWidth")].toInt(), 2);
  EXPECT_EQ(dump[QStringLiteral("respondentCount")].toInt(), 3);
  EXPECT_EQ(dump[QStringLiteral("answers")].toArray(), QJsonArray({QJsonArray({0, 1, 1})}));
  const QJsonObject alternative = dump[QStringLiteral("alternatives")].toArray()[0].toObject();
  EXPECT_EQ(alternative[QStringLiteral("sheetLabel")].toString(), QStringLiteral("Yes"));
  EXPECT_EQ(alternative[QStringLiteral("value")].toInt(), 100);
  EXPECT_EQ(alternative[QStringLiteral("protected")], QJsonValue(false));
  const QJsonObject question = dump[QStringLiteral("questions")].toArray()[0].toObject();
  EXPECT_EQ(question[QStringLiteral("name")].toString(), QStringLiteral("Q"));
  EXPECT_EQ(question[QStringLiteral("storedIndex")].toDouble(), -1.0);
  EXPECT_EQ(question[QStringLiteral("alternativeCount")].toInt(), 2);
  EXPECT_EQ(dump[QStringLiteral("respondentComments")].toArray(), QJsonArray({QStringLiteral("Comment")}));
  EXPECT_EQ(dump[QStringLiteral("answerComments")].toArray(),
            QJsonArray({QJsonArray({QString(), QStringLiteral("Comment"), QString()})}));
  const QJsonObject block = dump[QStringLiteral("blocks")].toArray()[0].toObject();
  EXPECT_EQ(block[QStringLiteral("name")].toString(), QStringLiteral("B"));
  EXPECT_EQ(block[QStringLiteral("fromFile")], QJsonValue(true));
  EXPECT_EQ(dump[QStringLiteral("blockItems")].toArray(), QJsonArray({QJsonArray({0, 0})}));
  EXPECT_EQ(dump[QStringLiteral("dimensions")].toArray(), QJsonArray({0}));
  EXPECT_EQ(dump[QStringLiteral("flexTotalQuestion")].toInt(), -1);
}

TEST(KvfDump, NoIndexSentinelAndEmptyDocumentPrintPlainly) {
  const CliResult result = RunKvf({QStringLiteral("dump"), Save(QStringLiteral("empty.kvf"), writer::KvfDescription())});
  ASSERT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out.contains("\"totalIndex\":-1,"));
  EXPECT_TRUE(result.out.contains("\"answerWidth\":-1,\"respondentCount\":0,\"matrixQuestionCount\":0,\"answers\":[]"));
  EXPECT_TRUE(result.out.contains("\"answerComments\":null"));
}

}  // namespace
}  // namespace kvf::testing
