// Small crafted documents that pass every structural check of the reader
// but would make later work explode: each is refused with a message that
// names the limit it exceeds, or loads within the limits.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/document/DocumentLimits.h"
#include "core/document/KvfReader.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf {
namespace {

using writer::KvfDescription;
using writer::kTrue;

// `questions` dimension questions that all own the same run of
// `alternatives` alternatives (records may share a run).
KvfDescription SharedDimensions(int questions, int alternatives) {
  KvfDescription d;
  d.alternatives.resize(static_cast<size_t>(alternatives));
  writer::QuestionRecord q;
  q.alternativeCount = alternatives;
  q.isDimension = kTrue;
  q.isOverviewQuestion = kTrue;
  d.questions.assign(static_cast<size_t>(questions), q);
  return d;
}

// One long text named by every answer comment of a respondents x questions
// matrix.
KvfDescription RepeatedComment(int respondents, int questions, int length) {
  KvfDescription d;
  d.strings = {QString(length, QLatin1Char('x'))};
  d.alternatives.resize(1);
  writer::QuestionRecord q;
  q.alternativeCount = 1;
  q.isOverviewQuestion = kTrue;
  d.questions.assign(static_cast<size_t>(questions), q);
  d.answers.assign(static_cast<size_t>(questions), std::vector<int32_t>(static_cast<size_t>(respondents), 0));
  d.answerComments.assign(static_cast<size_t>(questions), std::vector<int32_t>(static_cast<size_t>(respondents), 0));
  return d;
}

// A payload announced far larger than any real survey, with enough
// incompressible bytes stored that deflate's ratio would allow it.
KvfDescription HugeAnnouncedPayload() {
  KvfDescription d;
  QByteArray noise(200 * 1024, '\0');
  QRandomGenerator random(7);
  for (char& c : noise) c = static_cast<char>(random.bounded(256));
  d.layout.payloadTail = noise;
  d.header.payloadLength = 200 * 1024 * 1024;
  return d;
}

struct Refusal {
  const char* name;
  KvfDescription (*make)();
  limits::Limit limit;
};

class HostileDocument : public ::testing::TestWithParam<Refusal> {};

TEST_P(HostileDocument, IsRefusedNamingTheLimit) {
  SurveyDocument document;
  const Status read = DecodeKvf(writer::WriteKvf(GetParam().make()), document).Error();
  EXPECT_EQ(LoadErrorOf(read), LoadError::TooBig);
  const BiText text = limits::LimitExceededText(GetParam().limit);
  EXPECT_EQ(std::make_tuple(read.Message().english, read.Message().swedish), std::make_tuple(text.english, text.swedish));
  EXPECT_TRUE(text.english.startsWith(QStringLiteral("This KVF file exceeds a limit of KVF Viewer: more than ")));
}

INSTANTIATE_TEST_SUITE_P(
    Limits, HostileDocument,
    ::testing::Values(
        // A few hundred bytes compressed: 30,000 navigator entries.
        Refusal{"dimension_alternatives", [] { return SharedDimensions(30, 1000); },
                limits::Limit::DimensionAlternatives},
        // One wide dimension among many empty ones: tables of 1000 x 20000 cells.
        Refusal{"dimensions_times_alternatives",
                [] {
                  KvfDescription d = SharedDimensions(1000, 20000);
                  for (size_t q = 1; q < d.questions.size(); ++q) d.questions[q].alternativeCount = 0;
                  return d;
                },
                limits::Limit::DimensionCells},
        Refusal{"many_dimensions", [] { return SharedDimensions(1001, 1); }, limits::Limit::Dimensions},
        // Every one of 40 questions owning the same 60,000 alternatives.
        Refusal{"question_alternatives",
                [] {
                  KvfDescription d = SharedDimensions(40, 60000);
                  for (auto& q : d.questions) q.isDimension = writer::kFalse;
                  return d;
                },
                limits::Limit::QuestionAlternatives},
        Refusal{"alternatives_per_question", [] { return SharedDimensions(1, 70000); },
                limits::Limit::AlternativesPerQuestion},
        // 1,000 x 1,000 comments naming one 100-character text: 10^8 characters to print.
        Refusal{"repeated_text_references", [] { return RepeatedComment(1000, 1000, 100); },
                limits::Limit::ReferencedCharacters},
        Refusal{"announced_payload", HugeAnnouncedPayload, limits::Limit::PayloadBytes}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(HostileDocument, WithinTheLimitsLoads) {
  SurveyDocument document;
  EXPECT_TRUE(DecodeKvf(writer::WriteKvf(RepeatedComment(1000, 1000, 60)), document).ok());
  EXPECT_EQ(document.answerComments.size(), 1000000u);
}

TEST(HostileDocument, ItemsOfBlocksTheFileLacksAreDropped) {
  KvfDescription d = SharedDimensions(2, 2);
  d.blocks.resize(1);
  d.blockItems = {{0, 1}, {1, 0}, {-1, 0}, {7, 1}};
  SurveyDocument document;
  ASSERT_TRUE(DecodeKvf(writer::WriteKvf(d), document).ok());
  ASSERT_EQ(document.blockItems.size(), 1u);
  EXPECT_EQ(document.blockItems[0].question, 1);
}

}  // namespace
}  // namespace kvf
