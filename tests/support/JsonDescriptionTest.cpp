// The JSON description read by kvf-make: defaults, conversions and the
// error messages that point at the faulty element.
#include <gtest/gtest.h>

#include "kvfwriter/JsonDescription.h"

namespace kvf::writer {
namespace {

KvfDescription Parse(const char* json) {
  KvfDescription d;
  QString error;
  EXPECT_TRUE(ParseJsonDescription(QByteArray(json), &d, &error)) << error.toStdString();
  return d;
}

QString ErrorOf(const char* json) {
  KvfDescription d;
  QString error;
  EXPECT_FALSE(ParseJsonDescription(QByteArray(json), &d, &error));
  return error;
}

QString Text(const KvfDescription& d, int32_t reference) {
  return reference < 0 ? QStringLiteral("<none>") : d.strings.at(static_cast<size_t>(reference)).text;
}

constexpr const char* kSurvey = R"({
  "formatRevision": 9, "compatibleRevision": 8, "compress": false,
  "info": {"guid": "{01020304-0506-0708-090A-0B0C0D0E0F10}", "projectName": "Staff", "language": "English",
           "allowCopy": true, "indexDivisor": 10, "minimumSelection": 5,
           "indexLabels": ["Q", "B", null, "Blk", "Total"], "levelColors": ["#FF8000", 255, null, "#000000"],
           "created": "2024-03-01T12:00:00Z"},
  "questions": [
    {"sheetLabel": "D1", "name": "Department", "isDimension": true, "isFlexTotal": true,
     "alternatives": [{"sheetLabel": "1", "name": "Sales"}, {"sheetLabel": "2", "name": "IT"}]},
    {"sheetLabel": "Q1", "name": "Workload", "text": "How is your workload?", "isOverviewQuestion": true,
     "primaryBlock": 0, "storedIndex": 5.0, "inTotalIndex": true,
     "alternatives": [{"sheetLabel": "1", "name": "Bad", "backColor": "#FF0000", "value": 0},
                      {"sheetLabel": "2", "name": "Good", "backColor": "#00FF00", "value": 100,
                       "selectionName": null, "graphValue": 7}]}
  ],
  "answers": [[0, 1, 1], [0, 1, 1]],
  "respondentComments": ["Fine", null],
  "answerComments": [{"question": 1, "respondent": 2, "text": "Too much"}],
  "blocks": [{"sheetLabel": "W", "name": "Work", "membersByQuestionField": true, "storedIndex": 5.0}],
  "blockItems": [[0, 1]]
})";

TEST(JsonDescriptionTest, ReadsASurveyWithItsDefaults) {
  const KvfDescription d = Parse(kSurvey);
  EXPECT_EQ(std::make_tuple(d.header.formatRevision, d.header.compatibleRevision, d.compress, d.answerWidth),
            std::make_tuple(9, 8, false, 1));

  const InfoFields& i = d.info;
  const std::array<uint8_t, 16> guid{4, 3, 2, 1, 6, 5, 8, 7, 9, 10, 11, 12, 13, 14, 15, 16};
  // MinimumComplementSelection follows minimumSelection; the feature flags say the document has indexes.
  EXPECT_EQ(std::make_tuple(i.guid, Text(d, i.projectName), i.allowCopy, i.allowPrint, i.minimumComplementSelection,
                            i.featureFlags),
            std::make_tuple(guid, QString("Staff"), kTrue, kFalse, 5, 0x100));
  EXPECT_EQ(std::make_tuple(Text(d, i.indexLabel3), i.indexLabel2, i.levelColors, i.created),
            std::make_tuple(QString("Blk"), kNone, std::array<int32_t, 4>{0x0080FF, 255, kNone, 0}, 45352.5));

  ASSERT_EQ(d.questions.size(), 2u);
  ASSERT_EQ(d.alternatives.size(), 4u);
  const QuestionRecord& q = d.questions[1];
  // Graph flags 0x103 with a stored index, 3 without.
  EXPECT_EQ(std::make_tuple(q.firstAlternative, q.alternativeCount, q.selectionName, q.graphFlags,
                            d.questions[0].graphFlags, d.questions[0].isFlexTotal),
            std::make_tuple(2, 2, q.name, 0x103, 3, kTrue));
  const AlternativeRecord& good = d.alternatives[3];
  EXPECT_EQ(std::make_tuple(good.backColor, good.graphColor, good.graphValue, good.selectionName,
                            d.alternatives[2].graphValue, d.alternatives[0].value),
            std::make_tuple(0x0000FF00, 0x0000FF00, 7, kNone, 0, -1));

  // Equal texts share one entry: "1", "2" and "Good" vs the question names.
  EXPECT_EQ(d.alternatives[0].sheetLabel, d.alternatives[2].sheetLabel);
  EXPECT_EQ(d.answers, (std::vector<std::vector<int32_t>>{{0, 1, 1}, {0, 1, 1}}));
  ASSERT_EQ(d.respondentComments.size(), 2u);
  EXPECT_EQ(std::make_tuple(d.respondentComments[1].comment, Text(d, d.answerComments[1][2]), d.answerComments[0][2],
                            d.blocks[0].graphFlags, d.blockItems.size()),
            std::make_tuple(kNone, QString("Too much"), kNone, 0x103, size_t{1}));
}

TEST(JsonDescriptionTest, AnswerWidthFollowsTheLargestAnswerUnlessGiven) {
  std::string many = R"({"questions":[{"alternatives":[)";
  for (int k = 0; k < 300; ++k) many += k == 0 ? "{}" : ",{}";
  many += R"(]}],"answers":[[0,299]]})";
  EXPECT_EQ(Parse(many.c_str()).answerWidth, 2);
  EXPECT_EQ(Parse(R"({"answerWidth":3,"questions":[{"alternatives":[{}]}],"answers":[[0]]})").answerWidth, 3);
  many.insert(1, R"("answerWidth":1,)");
  EXPECT_EQ(ErrorOf(many.c_str()), "answers: answer 299 does not fit answerWidth 1");
}

TEST(JsonDescriptionTest, ErrorsNameTheJsonPath) {
  EXPECT_TRUE(ErrorOf("{").startsWith("invalid JSON at byte"));
  EXPECT_EQ(ErrorOf("[]"), "expected a JSON object at the top");
  EXPECT_EQ(ErrorOf(R"({"questionz":[]})"), "questionz: unknown key");
  EXPECT_EQ(ErrorOf(R"({"info":{"allowCopy":1}})"), "info.allowCopy: expected true or false");
  EXPECT_EQ(ErrorOf(R"({"info":{"indexLabels":["a"]}})"), "info.indexLabels: expected 5 elements");
  EXPECT_TRUE(ErrorOf(R"({"info":{"guid":"{1234}"}})").startsWith("info.guid: expected a GUID"));
  EXPECT_TRUE(ErrorOf(R"({"questions":[{},{"alternatives":[{},{"backColor":"red"}]}]})")
                  .startsWith("questions[1].alternatives[1].backColor: expected a colour"));
  EXPECT_EQ(ErrorOf(R"({"questions":[{"alternatives":[{"value":1.5}]}]})"),
            "questions[0].alternatives[0].value: expected a 32-bit integer");
  EXPECT_EQ(ErrorOf(R"({"questions":[{"alternatives":[{},{}]}],"answers":[[0,2]]})"),
            "answers[0][1]: answer 2 is not an alternative position of question 0 (0 .. 1)");
  EXPECT_EQ(ErrorOf(R"({"questions":[{"alternatives":[{}]},{"alternatives":[{}]}],"answers":[[0,0],[0]]})"),
            "answers[1]: expected 2 answers like answers[0], found 1");
  EXPECT_EQ(ErrorOf(R"({"questions":[{"alternatives":[{}]}],"answers":[[0]],"respondentComments":["a","b"]})"),
            "respondentComments: 2 comments for 1 respondents");
  EXPECT_EQ(ErrorOf(R"({"questions":[{"primaryBlock":0}]})"),
            "questions[0].primaryBlock: block 0 does not exist (0 blocks)");
  EXPECT_EQ(ErrorOf(R"({"blocks":[{}],"blockItems":[[0,0]]})"), "blockItems[0]: [0, 0] names no block and question");
  EXPECT_EQ(ErrorOf(R"({"questions":[{"alternatives":[{}]}],"answers":[[0]],
                         "answerComments":[{"question":0,"respondent":1,"text":"x"}]})"),
            "answerComments[0]: question 0, respondent 1 is outside the answer matrix");
}

}  // namespace
}  // namespace kvf::writer
