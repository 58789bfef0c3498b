#include "core/document/SurveyDocument.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <tuple>

namespace kvf {
namespace {

TEST(SurveyDocument, GetTextOutsideTheTableIsEmpty) {
  SurveyDocument doc;
  doc.strings = {QStringLiteral("zero"), QStringLiteral("one")};
  EXPECT_EQ((QStringList{doc.GetText(1), doc.GetText(-1), doc.GetText(2), doc.GetText(INT32_MIN)}),
            (QStringList{"one", "", "", ""}));
}

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
  Question run;  // alternatives 2 .. 4
  run.firstAlternative = 2;
  run.alternativeCount = 3;
  Question negative;
  negative.alternativeCount = -2;
  Question pastTheEnd;  // alternatives 4 .. 6, of which only 4 exists
  pastTheEnd.firstAlternative = 4;
  pastTheEnd.alternativeCount = 3;
  doc.questions = {run, negative, pastTheEnd};

  EXPECT_EQ(doc.QuestionAt(2), &doc.questions[2]);
  EXPECT_EQ(doc.QuestionAt(-1), nullptr);
  EXPECT_EQ(doc.QuestionAt(3), nullptr);

  EXPECT_EQ(doc.AlternativeCount(0), 3);
  EXPECT_EQ(doc.AlternativeCount(1), 0);
  EXPECT_EQ(doc.AlternativeCount(3), 0);
  EXPECT_EQ(doc.AnswerPositionCount(2), 1);

  EXPECT_EQ(doc.AnswerAlternative(0, 0), &doc.alternatives[2]);
  EXPECT_EQ(doc.AnswerAlternative(0, 2), &doc.alternatives[4]);
  EXPECT_EQ(doc.AnswerAlternative(0, 3), nullptr);
  EXPECT_EQ(doc.AnswerAlternative(0, -1), nullptr);
  EXPECT_EQ(doc.AnswerAlternative(1, 0), nullptr);
  EXPECT_EQ(doc.AnswerAlternative(2, 1), nullptr);
  EXPECT_EQ(doc.AnswerAlternative(3, 0), nullptr);
}

TEST(SurveyDocument, ResetForgetsEverything) {
  SurveyDocument doc;
  doc.strings = {QStringLiteral("x")};
  doc.answers.Assign(1, 1, 1, {1}, 7);
  doc.questions.resize(3);
  doc.dimensions = {1};
  doc.info.rowOrder = 2;
  doc.file.documentFileName = QStringLiteral("a.kvf");
  doc.file.formatRevision = 9;
  ASSERT_TRUE(doc.IsOpen());
  doc.Reset();
  EXPECT_FALSE(doc.IsOpen());
  EXPECT_TRUE(doc.strings.empty() && doc.questions.empty());
  EXPECT_EQ(std::make_tuple(doc.answers.Width(), doc.DimensionCount(), doc.info.rowOrder, doc.file.formatRevision),
            std::make_tuple(-1, 0, -1, 0));
}

TEST(SurveyDocument, GuidRegistryFormReadsTheFieldsLittleEndian) {
  const std::array<uint8_t, 16> guid = {0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0xF0, 0xDE,
                                        0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
  EXPECT_EQ(GuidRegistryForm(guid), QStringLiteral("{12345678-9ABC-DEF0-0123-456789ABCDEF}"));
  EXPECT_EQ(GuidRegistryForm({}), QStringLiteral("{00000000-0000-0000-0000-000000000000}"));
}

TEST(SurveyDocument, IndexDecimalsStepAtPowersOfTen) {
  const std::pair<int32_t, int32_t> steps[] = {{1, 0},     {9, 0},     {10, 1},     {99, 1},        {100, 2},
                                              {9999, 3}, {99999, 4}, {100000, 5}, {INT32_MAX, 5}};
  for (const auto& [divisor, decimals] : steps) EXPECT_EQ(IndexDecimalsForDivisor(divisor), decimals) << divisor;
}

}  // namespace
}  // namespace kvf
