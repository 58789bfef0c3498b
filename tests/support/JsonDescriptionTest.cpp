// kvf-make's JSON description: defaults, conversions, errors naming the faulty element.
#include <gtest/gtest.h>

#include "kvfwriter/JsonDescription.h"

namespace kvf::writer {
namespace {

QString ErrorOf(const std::string& json, KvfDescription* d = nullptr) {
  KvfDescription local;
  QString error;
  const bool ok = ParseJsonDescription(QByteArray::fromStdString(json), d ? d : &local, &error);
  EXPECT_EQ(ok, d != nullptr) << error.toStdString();
  return error;
}

TEST(JsonDescriptionTest, FillsDefaultsAndConvertsGuidsColoursAndDates) {
  KvfDescription d;
  ErrorOf(R"({"info": {"guid": "{01020304-0506-0708-090A-0B0C0D0E0F10}", "minimumSelection": 5, "indexDivisor": 10,
                       "levelColors": ["#FF8000", 255, null, "#000000"], "created": "2024-03-01T12:00:00Z"},
      "questions": [{"name": "Dept", "alternatives": [{}]},
                    {"name": "Load", "storedIndex": 5.0, "alternatives": [{"backColor": "#00FF00", "value": 9}]}],
      "answers": [[0], [0]], "blocks": [{"storedIndex": 5.0}]})",
          &d);
  const InfoFields& i = d.info;
  // Minimum complement selection follows minimumSelection; with a divisor the feature flags announce indexes.
  EXPECT_EQ(std::make_tuple(i.guid, i.minimumComplementSelection, i.featureFlags, i.levelColors, i.created),
            std::make_tuple(std::array<uint8_t, 16>{4, 3, 2, 1, 6, 5, 8, 7, 9, 10, 11, 12, 13, 14, 15, 16}, 5, 0x100,
                            std::array<int32_t, 4>{0x0080FF, 255, kNone, 0}, 45352.5));
  ASSERT_EQ(std::make_tuple(d.questions.size(), d.alternatives.size()), std::make_tuple(size_t{2}, size_t{2}));
  const QuestionRecord& q = d.questions[1];
  const AlternativeRecord& a = d.alternatives[1];
  // Graph flags 0x103 with a stored index, 3 without; the graph colour and value follow the back colour and value.
  EXPECT_EQ(std::make_tuple(d.compress, d.answerWidth, q.firstAlternative, q.selectionName, q.graphFlags,
                            d.questions[0].graphFlags, d.blocks[0].graphFlags, d.alternatives[0].value),
            std::make_tuple(true, 1, 1, q.name, 0x103, 3, 0x103, -1));
  EXPECT_EQ(std::make_tuple(a.graphColor, a.graphValue, a.selectionName), std::make_tuple(0x0000FF00, 9, a.name));
}

TEST(JsonDescriptionTest, AnswerWidthFollowsTheLargestAnswerUnlessGiven) {
  std::string many = R"({"questions":[{"alternatives":[{})";
  for (int k = 1; k < 300; ++k) many += ",{}";
  many += R"(]}],"answers":[[0,299]]})";
  KvfDescription d, given;
  ErrorOf(many, &d);
  ErrorOf(R"({"answerWidth":3,"questions":[{"alternatives":[{}]}],"answers":[[0]]})", &given);
  EXPECT_EQ(std::make_tuple(d.answerWidth, given.answerWidth), std::make_tuple(2, 3));
  EXPECT_EQ(ErrorOf(many.insert(1, R"("answerWidth":1,)")), "answers: answer 299 does not fit answerWidth 1");
}

TEST(JsonDescriptionTest, ErrorsNameTheJsonPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"{", "invalid JSON at byte"},
      {"[]", "expected a JSON object at the top"},
      {R"({"questionz":[]})", "questionz: unknown key"},
      {R"({"info":{"allowCopy":1}})", "info.allowCopy: expected true or false"},
      {R"({"info":{"indexLabels":["a"]}})", "info.indexLabels: expected 5 elements"},
      {R"({"info":{"guid":"{1234}"}})", "info.guid: expected a GUID"},
      {R"({"questions":[{},{"alternatives":[{},{"backColor":"red"}]}]})",
       "questions[1].alternatives[1].backColor: expected a colour"},
      {R"({"questions":[{"alternatives":[{"value":1.5}]}]})",
       "questions[0].alternatives[0].value: expected a 32-bit integer"},
      {R"({"questions":[{"alternatives":[{},{}]}],"answers":[[0,2]]})",
       "answers[0][1]: answer 2 is not an alternative position of question 0 (0 .. 1)"},
      {R"({"questions":[{"alternatives":[{}]},{"alternatives":[{}]}],"answers":[[0,0],[0]]})",
       "answers[1]: expected 2 answers like answers[0], found 1"},
      {R"({"questions":[{"alternatives":[{}]}],"answers":[[0]],"respondentComments":["a","b"]})",
       "respondentComments: 2 comments for 1 respondents"},
      {R"({"questions":[{"primaryBlock":0}]})", "questions[0].primaryBlock: block 0 does not exist (0 blocks)"},
      {R"({"blocks":[{}],"blockItems":[[0,0]]})", "blockItems[0]: [0, 0] names no block and question"},
      {R"({"questions":[{"alternatives":[{}]}],"answers":[[0]],"answerComments":[{"question":0,"respondent":1,"text":"x"}]})",
       "answerComments[0]: question 0, respondent 1 is outside the answer matrix"}};
  for (const auto& [json, message] : cases) EXPECT_TRUE(ErrorOf(json).startsWith(message)) << json;
}

}  // namespace
}  // namespace kvf::writer
