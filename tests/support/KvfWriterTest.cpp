// Checks the test-support writer by taking its files apart by hand, without
// the document reader, so that round trips through both mean something.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QtEndian>

#include "kvfwriter/KvfWriter.h"

namespace kvf::writer {
namespace {

int32_t I32(const QByteArray& b, qsizetype at) {
  EXPECT_LE(at + 4, b.size());
  return at + 4 <= b.size() ? qFromLittleEndian<int32_t>(b.constData() + at) : 0;
}

int16_t I16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<int16_t>(b.constData() + at); }

double F64(const QByteArray& b, qsizetype at) { return qFromLittleEndian<double>(b.constData() + at); }

int32_t Slot(const QByteArray& payload, int slot) { return I32(payload, 4 * slot); }

uint32_t Crc(const QByteArray& b, qsizetype length) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(b.constData()), static_cast<uInt>(length)));
}

// The payload of a file, taken apart by its own header.
QByteArray PayloadOf(const QByteArray& file) {
  const int32_t headerLength = I32(file, 28);
  const int32_t payloadLength = I32(file, 20);
  const int32_t compressedLength = I32(file, 24);
  if (compressedLength < 1) return file.mid(headerLength, payloadLength);
  QByteArray out(payloadLength, '\0');
  uLongf size = static_cast<uLongf>(payloadLength);
  const int rc =
      uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                 reinterpret_cast<const Bytef*>(file.constData() + headerLength), static_cast<uLong>(compressedLength));
  EXPECT_EQ(rc, Z_OK);
  out.resize(static_cast<qsizetype>(size));
  return out;
}

KvfDescription SmallDocument() {
  KvfDescription d;
  StringTable s;
  d.info.projectName = s.Add("Staff survey");
  d.info.language = s.Add("English");
  d.alternatives = {
      AlternativeRecord{.sheetLabel = s.Add("1"), .name = s.Add("Bad"), .backColor = 0x0000FF, .value = 0},
      AlternativeRecord{.sheetLabel = s.Add("2"), .name = s.Add("Good"), .backColor = 0x00FF00, .value = 7}};
  d.questions = {QuestionRecord{.sheetLabel = s.Add("Q1"),
                                .name = s.Add("Bad"),
                                .firstAlternative = 0,
                                .alternativeCount = 2,
                                .isOverviewQuestion = kTrue,
                                .storedIndex = 3.5}};
  d.answers = {{0, 1, 1}};
  d.respondentComments = {RespondentCommentRecord{.comment = s.Add("Fine")}};
  d.blocks = {BlockRecord{.name = s.Add("All"), .membersByQuestionField = kTrue, .storedIndex = 3.5}};
  d.blockItems = {BlockItemRecord{0, 0}};
  d.strings = s.Entries();
  return d;
}

// The 32-bit values at the given offsets.
std::vector<int32_t> At(const QByteArray& b, std::initializer_list<qsizetype> offsets) {
  std::vector<int32_t> values;
  for (const qsizetype at : offsets) values.push_back(I32(b, at));
  return values;
}

using Ints = std::vector<int32_t>;

TEST(KvfWriterTest, HeaderLengthsAndCrcDescribeTheFile) {
  for (const bool compress : {true, false}) {
    SCOPED_TRACE(compress ? "compressed" : "stored");
    KvfDescription d = SmallDocument();
    d.compress = compress;
    d.header.formatRevision = 10;
    d.header.compatibleRevision = 7;
    const QByteArray file = WriteKvf(d);
    const QByteArray payload = BuildPayload(d);
    const auto size = static_cast<int32_t>(file.size());
    EXPECT_EQ(At(file, {0, 4, 8, 12, 16, 20, 28}), (Ints{static_cast<int32_t>(kMagic1), static_cast<int32_t>(kMagic2),
                                                         10, 7, size, static_cast<int32_t>(payload.size()), 32}));
    if (compress) {
      EXPECT_GE(I32(file, 24), 1);
    } else {
      EXPECT_EQ(std::make_tuple(I32(file, 24), file.mid(32, payload.size())), std::make_tuple(0, payload));
    }
    EXPECT_EQ(file.size(), 32 + (compress ? I32(file, 24) : I32(file, 20)) + 4);
    EXPECT_EQ(static_cast<uint32_t>(I32(file, file.size() - 4)), Crc(file, file.size() - 4));
    EXPECT_EQ(PayloadOf(file), payload);
  }
}

TEST(KvfWriterTest, OverridesAreWrittenAsGiven) {
  KvfDescription d = SmallDocument();
  d.header.magic2 = 0x12345678u;
  d.header.fileLength = 5;
  d.header.payloadLength = 100;
  d.header.compressedLength = -3;
  d.header.headerLength = 31;
  d.header.crc = 0xDEADBEEFu;
  d.info.questionsOffset = 1 << 30;
  d.info.alternativeStride = 20;
  d.info.respondentCount = 1001;
  const QByteArray file = WriteKvf(d);
  EXPECT_EQ(At(file, {4, 16, 20, 24, 28, file.size() - 4}),
            (Ints{0x12345678, 5, 100, -3, 31, static_cast<int32_t>(0xDEADBEEFu)}));
  // Slots 14, 12, 8 as given; 9 (the question count) still computed.
  EXPECT_EQ(At(BuildPayload(d), {4 * 14, 4 * 12, 4 * 8, 4 * 9}), (Ints{1 << 30, 20, 1001, 1}));
}

TEST(KvfWriterTest, RecordsSitAtOffsetPlusIndexTimesStride) {
  KvfDescription d = SmallDocument();
  d.layout.alternativeStride = 52;
  d.layout.questionStride = 10;  // raised to the record size
  d.layout.fillByte = 0xAB;
  const QByteArray p = BuildPayload(d);
  const int32_t alternatives = Slot(p, 11) + 52;  // the second record
  EXPECT_EQ(std::make_tuple(Slot(p, 12), Slot(p, 13)), std::make_tuple(52, 2));
  // SheetLabel, BackColor, Value, GraphColor.
  EXPECT_EQ(At(p, {alternatives, alternatives + 12, alternatives + 20, alternatives + 36}),
            (Ints{d.alternatives[1].sheetLabel, 0x00FF00, 7, kNone}));
  EXPECT_EQ(p.mid(Slot(p, 11) + 40, 12), QByteArray(12, '\xAB'));
  const int32_t questions = Slot(p, 14);
  EXPECT_EQ(Slot(p, 15), kQuestionRecordSize);
  EXPECT_EQ(At(p, {questions + 28, questions + 32, questions + 52, questions + 64}), (Ints{0, 2, kNone, 1}));
  EXPECT_EQ(std::make_tuple(I16(p, questions + 38), F64(p, questions + 40)), std::make_tuple(kTrue, 3.5));
  const int32_t blocks = Slot(p, 20);
  EXPECT_EQ(std::make_tuple(I16(p, blocks + 22), F64(p, blocks + 24), I32(p, blocks + 32)),
            std::make_tuple(kTrue, 3.5, -1));
}

TEST(KvfWriterTest, SectionsFollowTheChosenOrderAndMissingOnesAreAbsent) {
  KvfDescription d = SmallDocument();
  d.layout.order = {Section::Blocks, Section::Questions, Section::Strings};
  d.layout.gapBetweenSections = 3;
  const QByteArray p = BuildPayload(d);
  EXPECT_EQ(Slot(p, 20), kInfoSize + 3);
  EXPECT_EQ(Slot(p, 14), kInfoSize + 3 + kBlockRecordSize + 3);
  EXPECT_GT(Slot(p, 4), Slot(p, 14));
  EXPECT_EQ(At(p, {4 * 6, 4 * 11, 4 * 17, 4 * 23, 4 * 61}), Ints(5, 0));
  EXPECT_EQ(Slot(p, 13), 2);  // the count still follows the content
}

TEST(KvfWriterTest, StringsAreLengthPrefixedUtf16AndSharedByTheTable) {
  StringTable table;
  EXPECT_EQ(table.Add("a"), 0);
  EXPECT_EQ(table.Add(QStringLiteral("Å\u20AC")), 1);
  EXPECT_EQ(table.Add("a"), 0);
  EXPECT_EQ(table.AddOptional(std::nullopt), kNone);

  KvfDescription d;
  d.strings = table.Entries();
  d.strings.push_back(StringEntry{});
  d.strings.back().lengthOverride = -2;
  const QByteArray p = BuildPayload(d);
  const int32_t at = Slot(p, 4);
  EXPECT_EQ(Slot(p, 5), 3);
  EXPECT_EQ(At(p, {at, at + 6, at + 14}), (Ints{1, 2, -2}));  // length prefixes
  EXPECT_EQ(p.mid(at + 4, 2), QByteArray("a\0", 2));
  EXPECT_EQ(p.mid(at + 10, 4), QByteArray("\xC5\x00\xAC\x20", 4));
  EXPECT_EQ(p.size(), at + 18);
}

TEST(KvfWriterTest, AnswerMatrixIsQuestionMajorInEveryWidth) {
  KvfDescription d;
  d.answers = {{1, 200, 3}, {-1, 5, 70000}};
  d.answerComments = {{kNone, 4}, {9}};
  d.layout.answerCommentWidth = 6;
  d.layout.fillByte = 0x5A;
  for (int32_t width : {1, 2, 3}) {
    SCOPED_TRACE(width);
    d.answerWidth = width;
    const QByteArray p = BuildPayload(d);
    EXPECT_EQ(At(p, {4 * 7, 4 * 8, 4 * 9}), (Ints{width, 3, 2}));
    const int32_t at = Slot(p, 6);
    const int size = width == 3 ? 4 : width;
    auto element = [&](int q, int r) {
      const qsizetype e = at + (q * 3 + r) * size;
      return size == 1 ? static_cast<int32_t>(static_cast<uint8_t>(p.at(e))) : size == 2 ? I16(p, e) : I32(p, e);
    };
    EXPECT_EQ(element(0, 1), 200);
    EXPECT_EQ(element(1, 0), size == 1 ? 255 : -1);
    EXPECT_EQ(element(1, 2), size == 4 ? 70000 : size == 2 ? static_cast<int16_t>(70000) : (70000 & 0xFF));

    const int32_t comments = Slot(p, 61);
    EXPECT_EQ(std::make_tuple(Slot(p, 62), comments), std::make_tuple(6, at + 6 * size));
    // [0][1], [0][2] (short row), [1][0] in six-byte elements.
    EXPECT_EQ(At(p, {comments + 6, comments + 12, comments + 18}), (Ints{4, kNone, 9}));
    EXPECT_EQ(I16(p, comments + 4), 0x5A5A);
    EXPECT_EQ(p.size(), comments + 6 * 6);
  }
}

TEST(KvfWriterTest, SyntheticDocumentIsDeterministicAndItsIndexesMatchItsAnswers) {
  SyntheticOptions o{.respondents = 40, .questions = 30, .dimensions = 3, .answerComments = true};
  const KvfDescription d = MakeSyntheticDescription(o);
  EXPECT_EQ(WriteKvf(d), WriteKvf(MakeSyntheticDescription(o)));
  ASSERT_EQ(std::make_tuple(d.questions.size(), d.answers.size(), d.answers[0].size()), std::make_tuple(30u, 30u, 40u));

  int dimensions = 0;
  int64_t totalSum = 0, totalN = 0;
  for (size_t q = 0; q < d.questions.size(); ++q) {
    const QuestionRecord& question = d.questions[q];
    dimensions += question.isDimension != 0;
    int64_t sum = 0, n = 0;
    for (int32_t a : d.answers[q]) {
      ASSERT_GE(a, 0);
      ASSERT_LT(a, question.alternativeCount);
      const int32_t v = d.alternatives[static_cast<size_t>(question.firstAlternative + a)].value;
      sum += v != -1 ? v : 0;
      n += v != -1 ? 1 : 0;
    }
    if (question.inTotalIndex != 0) {
      totalSum += sum;
      totalN += n;
      EXPECT_DOUBLE_EQ(question.storedIndex, static_cast<double>(sum) / n / d.info.indexDivisor);
    }
  }
  EXPECT_EQ(dimensions, 3);
  EXPECT_DOUBLE_EQ(d.info.totalIndex, static_cast<double>(totalSum) / totalN / d.info.indexDivisor);
  EXPECT_EQ(d.questions[0].isFlexTotal, kTrue);

  o.seed += 1;
  EXPECT_NE(WriteKvf(d), WriteKvf(MakeSyntheticDescription(o)));
}

}  // namespace
}  // namespace kvf::writer
