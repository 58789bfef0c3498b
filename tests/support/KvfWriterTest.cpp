// Layout facts of the test-support writer that the document reader cannot
// see: overrides written as given, strides, fill bytes and section order.
#include <gtest/gtest.h>

#include <QtEndian>

#include "kvfwriter/KvfWriter.h"

namespace kvf::writer {
namespace {

using Ints = std::vector<int32_t>;

int32_t I32(const QByteArray& b, qsizetype at) {
  EXPECT_LE(at + 4, b.size());
  return at + 4 <= b.size() ? qFromLittleEndian<int32_t>(b.constData() + at) : 0;
}
int32_t Slot(const QByteArray& payload, int slot) { return I32(payload, 4 * slot); }
Ints At(const QByteArray& b, std::initializer_list<qsizetype> offsets) {
  Ints values;
  for (const qsizetype at : offsets) values.push_back(I32(b, at));
  return values;
}

KvfDescription SmallDocument() {
  KvfDescription d;
  StringTable s;
  d.alternatives = {
      AlternativeRecord{.sheetLabel = s.Add("1"), .name = s.Add("Bad"), .backColor = 0x0000FF},
      AlternativeRecord{.sheetLabel = s.Add("2"), .name = s.Add("Good"), .backColor = 0x00FF00, .value = 7}};
  d.questions = {QuestionRecord{.sheetLabel = s.Add("Q1"), .firstAlternative = 0, .alternativeCount = 2}};
  d.answers = {{0, 1, 1}};
  d.blocks = {BlockRecord{.name = s.Add("All")}};
  d.strings = s.Entries();
  return d;
}

TEST(KvfWriterTest, OverridesAreWrittenAsGiven) {
  KvfDescription d = SmallDocument();
  auto& h = d.header;
  std::tie(h.magic2, h.fileLength, h.payloadLength, h.compressedLength, h.headerLength, h.crc) =
      std::make_tuple(0x12345678u, 5, 100, -3, 31, 0xDEADBEEFu);
  std::tie(d.info.questionsOffset, d.info.alternativeStride, d.info.respondentCount) = std::tuple(1 << 30, 20, 1001);
  const QByteArray file = WriteKvf(d);
  EXPECT_EQ(At(file, {4, 16, 20, 24, 28, file.size() - 4}),
            (Ints{0x12345678, 5, 100, -3, 31, static_cast<int32_t>(0xDEADBEEFu)}));
  // Slots 14, 12, 8 as given; 9 (the question count) still computed.
  EXPECT_EQ(At(BuildPayload(d), {4 * 14, 4 * 12, 4 * 8, 4 * 9}), (Ints{1 << 30, 20, 1001, 1}));
}

TEST(KvfWriterTest, RecordsSitAtOffsetPlusIndexTimesStrideWithFillBetween) {
  KvfDescription d = SmallDocument();
  d.layout.alternativeStride = 52;
  d.layout.questionStride = 10;  // raised to the record size
  d.layout.fillByte = 0xAB;
  const QByteArray p = BuildPayload(d);
  const int32_t second = Slot(p, 11) + 52;
  EXPECT_EQ(At(p, {4 * 12, 4 * 13, 4 * 15}), (Ints{52, 2, kQuestionRecordSize}));
  // SheetLabel, BackColor, Value, GraphColor of the second alternative.
  EXPECT_EQ(At(p, {second, second + 12, second + 20, second + 36}),
            (Ints{d.alternatives[1].sheetLabel, 0x00FF00, 7, kNone}));
  EXPECT_EQ(p.mid(Slot(p, 11) + 40, 12), QByteArray(12, '\xAB'));
}

TEST(KvfWriterTest, SectionsFollowTheChosenOrderAndMissingOnesAreAbsent) {
  KvfDescription d = SmallDocument();
  d.layout.order = {Section::Blocks, Section::Questions, Section::Strings};
  d.layout.gapBetweenSections = 3;
  const QByteArray p = BuildPayload(d);
  EXPECT_EQ(At(p, {4 * 20, 4 * 14}), (Ints{kInfoSize + 3, kInfoSize + 3 + kBlockRecordSize + 3}));
  EXPECT_GT(Slot(p, 4), Slot(p, 14));
  // Absent sections have offset 0; the alternative count still follows the content.
  EXPECT_EQ(At(p, {4 * 6, 4 * 11, 4 * 17, 4 * 23, 4 * 61, 4 * 13}), (Ints{0, 0, 0, 0, 0, 2}));
}

TEST(KvfWriterTest, SyntheticDocumentIsDeterministicPerSeed) {
  SyntheticOptions o{.respondents = 40, .questions = 30, .dimensions = 3, .answerComments = true};
  const QByteArray first = WriteKvf(MakeSyntheticDescription(o));
  EXPECT_EQ(first, WriteKvf(MakeSyntheticDescription(o)));
  o.seed += 1;
  EXPECT_NE(first, WriteKvf(MakeSyntheticDescription(o)));
}

}  // namespace
}  // namespace kvf::writer
