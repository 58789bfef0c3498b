#include "core/document/SurveyDocument.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <tuple>

namespace kvf {
namespace {

TEST(SurveyDocument, GetDataWidensEachWidth) {
  // Two respondents, two questions, stored question by question.
  AnswerMatrix bytes8;
  bytes8.Assign(1, 2, 2, {200, 1, 2, 255}, 0);
  EXPECT_EQ(std::make_tuple(bytes8.Get(0, 0), bytes8.Get(1, 0), bytes8.Get(0, 1), bytes8.Get(1, 1)),
            std::make_tuple(200, 1, 2, 255));

  AnswerMatrix bytes16;
  bytes16.Assign(2, 1, 2, {0xFF, 0xFF, 0x34, 0x12}, 0);
  EXPECT_EQ(std::make_tuple(bytes16.Get(0, 0), bytes16.Get(0, 1)), std::make_tuple(-1, 0x1234));

  AnswerMatrix bytes32;
  bytes32.Assign(3, 1, 1, {0xFE, 0xFF, 0xFF, 0x7F}, 0);
  // Cells outside a present matrix name no alternative.
  EXPECT_EQ(std::make_tuple(bytes32.Get(0, 0), bytes32.Get(0, 1), bytes32.Get(1, 0), bytes32.Get(-1, 0)),
            std::make_tuple(0x7FFFFFFE, -1, -1, -1));
  AnswerMatrix none;
  EXPECT_EQ(std::make_tuple(none.Width(), none.Get(0, 0)), std::make_tuple(-1, 0));
}

TEST(SurveyDocument, CheckedAccessorsStayInsideTheTables) {
  SurveyDocument doc;
  doc.alternatives.resize(5);
  doc.questions.resize(3);
  // Alternatives 2 .. 4; a negative count; 4 .. 6, of which only 4 exists.
  std::tie(doc.questions[0].firstAlternative, doc.questions[0].alternativeCount) = std::tuple(2, 3);
  doc.questions[1].alternativeCount = -2;
  std::tie(doc.questions[2].firstAlternative, doc.questions[2].alternativeCount) = std::tuple(4, 3);
  EXPECT_EQ(std::make_tuple(doc.QuestionAt(2), doc.QuestionAt(-1), doc.QuestionAt(3)),
            std::make_tuple(&doc.questions[2], nullptr, nullptr));
  EXPECT_EQ(std::make_tuple(doc.AlternativeCount(0), doc.AlternativeCount(1), doc.AlternativeCount(3),
                            doc.AnswerPositionCount(2)),
            std::make_tuple(3, 0, 0, 1));
  EXPECT_EQ(std::make_tuple(doc.AnswerAlternative(0, 0), doc.AnswerAlternative(0, 2)),
            std::make_tuple(&doc.alternatives[2], &doc.alternatives[4]));
  for (const auto& [q, a] : {std::pair{0, 3}, std::pair{0, -1}, std::pair{1, 0}, std::pair{2, 1}, std::pair{3, 0}})
    EXPECT_EQ(doc.AnswerAlternative(q, a), nullptr) << q << "," << a;
}

TEST(SurveyDocument, IndexDecimalsStepAtPowersOfTen) {
  const std::pair<int32_t, int32_t> steps[] = {{1, 0}, {9, 0}, {10, 1}, {99999, 4}, {100000, 5}, {INT32_MAX, 5}};
  for (const auto& [divisor, decimals] : steps) EXPECT_EQ(IndexDecimalsForDivisor(divisor), decimals) << divisor;
}

}  // namespace
}  // namespace kvf
