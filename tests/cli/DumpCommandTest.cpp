// kvf dump: the decoded document as JSON, exactly in the documented schema
// (what the reader decodes is checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

QString Save(const QString& name, const writer::KvfDescription& d) { return SaveFixture(d, name); }

writer::KvfDescription Survey() {
  return FromJson(R"({
  "answerWidth": 2,
  "info": {"language": "English", "guid": "{000000AB-0000-0000-0000-000000000000}", "allRespondentsCaption": "Everyone",
           "indexDivisor": 100, "totalIndex": 0.1, "created": 46000.5, "allowCopy": true},
  "questions": [{"name": "Q", "isOverviewQuestion": true, "isDimension": true, "inTotalIndex": true, "alternatives": [
    {"sheetLabel": "Yes", "value": 100, "backColor": 65280}, {"sheetLabel": "No", "value": 0, "backColor": 65280}]}],
  "answers": [[0, 1, 1]],
  "respondentComments": ["Comment"],
  "answerComments": [{"question": 0, "respondent": 1, "text": "Comment"}],
  "blocks": [{"name": "B"}],
  "blockItems": [[0, 0]]})");
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
  auto at = [](const QJsonObject& o, const char* key) { return o.value(QString::fromLatin1(key)); };
  EXPECT_EQ(std::make_tuple(at(dump, "formatRevision").toInt(), at(dump, "fileName").toString(),
                            at(dump, "title").toString()),
            std::make_tuple(9, QStringLiteral("fields.kvf"), QStringLiteral("fields.kvf")));
  const QJsonObject info = at(dump, "info").toObject();
  EXPECT_EQ(std::make_tuple(at(info, "guid").toString(), at(info, "language").toString(),
                            at(info, "languageCode").toString(), at(info, "allRespondentsCaption").toString()),
            std::make_tuple(QStringLiteral("{000000AB-0000-0000-0000-000000000000}"), QStringLiteral("English"),
                            QStringLiteral("en"), QStringLiteral("Everyone")));
  EXPECT_EQ(std::make_tuple(at(info, "created").toDouble(), at(info, "indexDecimals").toInt(),
                            at(info, "totalIndex").toDouble(), at(info, "allowCopy"), at(info, "allowCopyData")),
            std::make_tuple(46000.5, 2, 0.1, QJsonValue(true), QJsonValue(false)));
  EXPECT_EQ(std::make_tuple(at(info, "indexLabels").toArray().size(), at(info, "levelColors").toArray().size(),
                            at(info, "fileVersion").toArray().size()),
            std::make_tuple(5, 4, 3));
  EXPECT_EQ(std::make_tuple(at(dump, "answerWidth").toInt(), at(dump, "respondentCount").toInt(),
                            at(dump, "answers").toArray()),
            std::make_tuple(2, 3, QJsonArray({QJsonArray({0, 1, 1})})));
  const QJsonObject alternative = at(dump, "alternatives").toArray()[0].toObject();
  EXPECT_EQ(std::make_tuple(at(alternative, "sheetLabel").toString(), at(alternative, "value").toInt(),
                            at(alternative, "protected")),
            std::make_tuple(QStringLiteral("Yes"), 100, QJsonValue(false)));
  const QJsonObject question = at(dump, "questions").toArray()[0].toObject();
  EXPECT_EQ(std::make_tuple(at(question, "name").toString(), at(question, "storedIndex").toDouble(),
                            at(question, "alternativeCount").toInt()),
            std::make_tuple(QStringLiteral("Q"), -1.0, 2));
  EXPECT_EQ(std::make_tuple(at(dump, "respondentComments").toArray(), at(dump, "answerComments").toArray()),
            std::make_tuple(QJsonArray({QStringLiteral("Comment")}),
                            QJsonArray({QJsonArray({QString(), QStringLiteral("Comment"), QString()})})));
  const QJsonObject block = at(dump, "blocks").toArray()[0].toObject();
  EXPECT_EQ(std::make_tuple(at(block, "name").toString(), at(block, "fromFile")),
            std::make_tuple(QStringLiteral("B"), QJsonValue(true)));
  EXPECT_EQ(std::make_tuple(at(dump, "blockItems").toArray(), at(dump, "dimensions").toArray(),
                            at(dump, "flexTotalQuestion").toInt()),
            std::make_tuple(QJsonArray({QJsonArray({0, 0})}), QJsonArray({0}), -1));
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
