// kvf dump: the decoded document as JSON in the documented schema (what the
// reader decodes is checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

TEST(KvfDump, KeysInOrderAndFieldsAsJsonValues) {
  const QString path = SaveFixture(FromJson(R"({
  "answerWidth": 2,
  "info": {"language": "English", "indexDivisor": 100, "totalIndex": 0.1, "allowCopy": true},
  "questions": [{"name": "Q", "isOverviewQuestion": true, "isDimension": true, "alternatives": [
    {"sheetLabel": "Yes", "value": 100}, {"sheetLabel": "No", "value": 0}]}],
  "answers": [[0, 1, 1]],
  "respondentComments": ["Comment"],
  "answerComments": [{"question": 0, "respondent": 1, "text": "Comment"}],
  "blocks": [{"name": "B"}],
  "blockItems": [[0, 0]]})"),
                                   "fields.kvf");
  const CliResult result = RunKvf({"dump", path});
  ASSERT_EQ(result.exitCode, 0);
  ExpectKeysInOrder(result.out,
                    "formatRevision compatibleRevision fileName title info strings answerWidth respondentCount "
                    "matrixQuestionCount answers alternatives questions respondentComments answerComments blocks "
                    "blockItems overviewQuestions dimensions maxDimensionAlternatives flexTotalQuestion");
  EXPECT_TRUE(result.out.endsWith("}\n"));
  const QJsonObject dump = RunJson({"dump", path});
  const QJsonObject info = dump["info"].toObject();
  EXPECT_EQ(
      std::make_tuple(dump["fileName"].toString(), info["languageCode"].toString(), info["totalIndex"].toDouble(),
                      info["allowCopy"], info["allowCopyData"]),
      std::make_tuple(QStringLiteral("fields.kvf"), QStringLiteral("en"), 0.1, QJsonValue(true), QJsonValue(false)));
  EXPECT_EQ(std::make_tuple(dump["answers"].toArray(), dump["blockItems"].toArray(), dump["flexTotalQuestion"].toInt()),
            std::make_tuple(QJsonArray({QJsonArray({0, 1, 1})}), QJsonArray({QJsonArray({0, 0})}), -1));
  // Answer comments as one row per question, one text per respondent.
  EXPECT_EQ(dump["answerComments"].toArray(),
            QJsonArray({QJsonArray({QString(), QStringLiteral("Comment"), QString()})}));
}

TEST(KvfDump, NoIndexSentinelAndEmptyDocumentPrintPlainly) {
  const CliResult result = RunKvf({"dump", SaveFixture(writer::KvfDescription(), "empty.kvf")});
  ASSERT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out.contains("\"totalIndex\":-1,"));
  EXPECT_TRUE(result.out.contains("\"answerWidth\":-1,\"respondentCount\":0,\"matrixQuestionCount\":0,\"answers\":[]"));
  EXPECT_TRUE(result.out.contains("\"answerComments\":null"));
}

}  // namespace
}  // namespace kvf::testing
