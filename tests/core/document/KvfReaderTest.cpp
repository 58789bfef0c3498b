// The .kvf reader against files written by the independent writer.
#include "core/document/KvfReader.h"

#include <gtest/gtest.h>

#include <zlib.h>
#include <QtEndian>
#include <cstring>
#include <functional>
#include <iterator>
#include <tuple>

#include "core/document/KvfFormat.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf {
namespace {

using writer::KvfDescription;
using writer::kTrue;

// A small but complete document: two dimensions, an overview block, index
// settings, comments; every field set to a value that differs from its
// default so a field read from the wrong place shows.
KvfDescription SmallSurvey(int revision = 9) {
  KvfDescription d;
  d.header.formatRevision = revision;
  d.header.compatibleRevision = std::min(revision, 9);
  d.strings = {"Svenska", "Project 7", "Q1", "Department", "Full text", "Sel", "A", "Alt A", "B", "Alt B",
               "C", "Alt C", "Block", "Block name", "Comment one", "Answer comment", "label0", "label1",
               "label2", "label3", "label4", "Everyone", "Too few", "tip1", "tip2", "caption"};
  auto& i = d.info;
  i.projectNumber = i.projectName = 1;
  std::tie(i.copyright, i.documentComment) = std::tuple(3, 4);
  i.fileVersion = {1, 2, 345};
  i.created = 45000.25;
  i.language = 0;
  i.allowCopy = i.allowPrint = i.allowSave = i.allowCopyData = kTrue;
  i.hasRespondentComments = i.hideFirstAlternative = kTrue;
  i.indexDivisor = 10;
  i.indexCaption = 25;
  std::tie(i.indexLabel0, i.indexLabel1, i.indexLabel2, i.indexLabel3, i.indexLabel4) = std::tuple(16, 17, 18, 19, 20);
  std::tie(i.allRespondentsCaption, i.tooFewCaption, i.countTip, i.selectionTip) = std::tuple(21, 22, 23, 24);
  std::tie(i.minimumSelection, i.minimumGraphSelection, i.minimumComplementSelection) = std::tuple(3, 4, 6);
  std::tie(i.sheetColor0, i.sheetColor1) = std::tuple(0x111111, 0x222222);
  i.levelColors = {0x333333, 0x444444, 0x555555, 0x666666};
  std::tie(i.kept60, i.kept67, i.rowOrder, i.rowOrderThreshold, i.featureFlags, i.maxAlternativeValue) =
      std::tuple(60, 67, 2, 50, 0x100, 40);
  i.totalIndex = 1.5;
  for (int b = 0; b < 16; ++b) d.info.guid[static_cast<size_t>(b)] = static_cast<uint8_t>(0x10 + b);
  // Alternatives 0..2 belong to question 0 (a dimension), 3..4 to question 1.
  for (int a = 0; a < 5; ++a) {
    d.alternatives.push_back({.sheetLabel = 6 + 2 * (a % 3),
                              .name = 7 + 2 * (a % 3),
                              .selectionName = 5,
                              .backColor = 0x0000FF + a,
                              .value = a == 4 ? -1 : 10 * a,
                              .complementProtected = static_cast<int16_t>(a == 1 ? kTrue : 0),
                              .protectedFlag = static_cast<int16_t>(a == 2 ? kTrue : 0),
                              .graphOptions = 7,
                              .graphValue = 100 + a,
                              .graphColor = 0x00FF00 + a});
  }
  const writer::QuestionRecord q0{.sheetLabel = 2, .name = 3, .text = 4, .selectionName = 5, .backColor = 0xABCDEF,
                                  .primaryBlock = 0, .firstAlternative = 0, .alternativeCount = 3, .isDimension = kTrue,
                                  .isOverviewQuestion = kTrue, .storedIndex = 2.25, .inTotalIndex = kTrue,
                                  .secondaryBlock = 1, .isFlexTotal = kTrue, .graphFlags = 0x105, .rankingWeight = 3};
  writer::QuestionRecord q1 = q0;
  q1.firstAlternative = 3;
  q1.alternativeCount = 2;
  q1.isDimension = 0;
  q1.storedIndex = -1.0;
  q1.primaryBlock = -1;
  d.questions = {q0, q1};

  d.answerWidth = 1;
  d.answers = {{0, 1, 2, 200}, {0, 1, 1, 0}};  // [question][respondent]
  d.respondentComments = {{14, 2}, {-1, -1}};
  d.answerComments = {{15, -1, -1, -1}, {-1, -1, 15, -1}};
  const writer::BlockRecord block{.sheetLabel = 12, .name = 13, .membersByQuestionField = kTrue, .storedIndex = 0.5,
                                  .blockLevel = 1, .graphFlags = 0x101};
  const writer::BlockRecord block2{.name = 13};
  d.blocks = {block, block2};
  d.blockItems = {{1, 1}, {1, 0}};
  return d;
}

// A read's revisions and its error as a LoadError (None on success).
struct Outcome : KvfRevisions {
  LoadError error = LoadError::None;
};

struct Loaded {
  Outcome result;
  SurveyDocument document;
};

Loaded Read(const QByteArray& bytes, ReadOptions options = {}) {
  Loaded loaded;
  const Result<KvfRevisions> read = DecodeKvf(bytes, loaded.document, options);
  if (read) static_cast<KvfRevisions&>(loaded.result) = read.Value();
  loaded.result.error = LoadErrorOf(read.Error());
  return loaded;
}

Loaded Read(const KvfDescription& description) { return Read(writer::WriteKvf(description)); }

LoadError ErrorOf(const KvfDescription& description) { return Read(description).result.error; }
LoadError ErrorOf(const QByteArray& bytes) { return Read(bytes).result.error; }

// The load error of the small survey after change.
LoadError ErrorWith(const std::function<void(KvfDescription&)>& change) {
  KvfDescription d = SmallSurvey();
  change(d);
  return ErrorOf(d);
}

TEST(KvfReader, RevisionNineReadsEveryField) {
  const Loaded l = Read(SmallSurvey());
  ASSERT_EQ(l.result.error, LoadError::None);
  EXPECT_FALSE(l.result.upgradeWarningDue);
  const SurveyDocument& doc = l.document;
  const DocumentInfo& i = doc.info;
  EXPECT_EQ(GuidRegistryForm(i.guid), QStringLiteral("{13121110-1514-1716-1819-1A1B1C1D1E1F}"));
  const std::pair<TextRef, const char*> texts[] = {
      {i.projectName, "Project 7"}, {i.documentComment, "Full text"}, {i.indexCaption, "caption"},
      {i.countTip, "tip1"},         {i.selectionTip, "tip2"},        {i.allRespondentsCaption, "Everyone"},
      {i.tooFewCaption, "Too few"}};
  for (const auto& [ref, text] : texts) EXPECT_EQ(doc.GetText(ref), QString::fromUtf8(text));
  for (int k = 0; k < 5; ++k) EXPECT_EQ(doc.GetText(i.indexLabels[static_cast<size_t>(k)]), QStringLiteral("label%1").arg(k));
  EXPECT_EQ(std::make_tuple(i.fileVersion, i.created, i.languageCode),
            std::make_tuple(std::array<int32_t, 3>{1, 2, 345}, 45000.25, QStringLiteral("sv")));
  EXPECT_TRUE(i.allowCopy && i.allowPrint && i.allowSave && i.allowCopyData);
  EXPECT_TRUE(i.hasRespondentComments && i.hideFirstAlternative);
  // Fields behind a revision gate are checked by the gates below.
  EXPECT_EQ(std::make_tuple(i.indexDivisor, i.indexDecimals, i.featureFlags, i.minimumSelection, i.minimumGraphSelection,
                            i.sheetColor0, i.sheetColor1, i.currentTotalIndex),
            std::make_tuple(10, 1, 0x100, 3, 4, 0x111111, 0x222222, 1.5));

  EXPECT_EQ(std::make_tuple(doc.answers.Width(), doc.RespondentCount(), doc.answers.QuestionCount(), doc.GetData(3, 0),
                            doc.GetData(2, 1)),
            std::make_tuple(1, 4, 2, 200, 1));
  ASSERT_EQ(doc.alternatives.size(), 5u);
  const Alternative& a2 = doc.alternatives[2];
  EXPECT_EQ(std::make_tuple(doc.GetText(a2.sheetLabel), doc.GetText(a2.name), a2.backColor, a2.value, a2.graphOptions),
            std::make_tuple(QStringLiteral("C"), QStringLiteral("Alt C"), 0x0000FF + 2, 20, 7));
  EXPECT_TRUE(!a2.complementProtected && a2.isProtected);
  ASSERT_EQ(doc.questions.size(), 2u);
  const Question& q = doc.questions[0];
  EXPECT_EQ(doc.GetText(q.text), QStringLiteral("Full text"));
  EXPECT_TRUE(q.isDimension && q.isOverviewQuestion && q.isFlexTotal && q.inTotalIndex);
  EXPECT_EQ(std::make_tuple(q.backColor, q.primaryBlock, q.storedIndex, q.flexIndex, doc.questions[1].firstAlternative),
            std::make_tuple(0xABCDEF, 0, 2.25, 2.25, 3));
  ASSERT_EQ(doc.respondentComments.size(), 2u);
  EXPECT_EQ(std::make_tuple(doc.GetText(doc.respondentComments[0].comment), doc.respondentComments[0].kept),
            std::make_tuple(QStringLiteral("Comment one"), 2));
  ASSERT_TRUE(doc.answerCommentsPresent);
  EXPECT_EQ(std::make_tuple(doc.AnswerComment(0, 0), doc.AnswerComment(2, 1), doc.AnswerComment(1, 1)),
            std::make_tuple(15, 15, -1));
  ASSERT_EQ(doc.blocks.size(), 2u);
  const Block& b = doc.blocks[0];
  EXPECT_TRUE(doc.BlockName(0) == QStringLiteral("Block name") && b.membersByQuestionField && b.fromFile);
  EXPECT_EQ(std::make_tuple(b.storedIndex, b.flexIndex, b.blockLevel, b.graphFlags), std::make_tuple(0.5, 0.5, 1, 0x101));
  EXPECT_FALSE(b.includeInCopy);  // only level -1 blocks are copied by default
  EXPECT_TRUE(doc.blocks[1].includeInCopy);
  ASSERT_EQ(doc.blockItems.size(), 2u);
  EXPECT_EQ(std::make_tuple(doc.blockItems[1].block, doc.blockItems[1].question), std::make_tuple(1, 0));
  EXPECT_EQ(std::make_tuple(doc.overviewQuestions, doc.dimensions, doc.maxDimensionAlternatives, doc.flexTotalQuestion),
            std::make_tuple(std::vector<int32_t>{0, 1}, std::vector<int32_t>{0}, 3, 0));
  EXPECT_TRUE(doc.ComplementProtected(0, 1) && !doc.ComplementProtected(0, 0) && !doc.ComplementProtected(0, 3));
}

// Defaults computed from other fields (the plain defaults of each revision
// are checked by the gates below).
TEST(KvfReader, RevisionOneTakesEveryDefault) {
  const Loaded l = Read(SmallSurvey(1));
  ASSERT_EQ(l.result.error, LoadError::None);
  const SurveyDocument& doc = l.document;
  const DocumentInfo& i = doc.info;
  // MinimumComplementSelection = MinimumSelection; the total index is computed later, by the
  // session; the feature flags say the document has indexes; the largest Value of the alternatives.
  EXPECT_EQ(std::make_tuple(i.minimumComplementSelection, i.totalIndex, i.featureFlags, i.maxAlternativeValue),
            std::make_tuple(3, -1.0, 0x100, 30));
  const Alternative& a = doc.alternatives[2];
  EXPECT_EQ(std::make_tuple(a.graphOptions, a.graphValue, a.graphColor), std::make_tuple(0, a.value, a.backColor));
  // Graph flags 0x103 with a stored index, 3 without.
  EXPECT_EQ(std::make_tuple(doc.questions[0].graphFlags, doc.questions[0].rankingWeight, doc.questions[1].graphFlags),
            std::make_tuple(0x103, 1, 3));
  EXPECT_TRUE(doc.blocks[0].includeInCopy);
  EXPECT_EQ(std::make_tuple(doc.blocks[0].graphFlags, doc.blocks[1].graphFlags), std::make_tuple(0x103, 3));
}

TEST(KvfReader, EachRevisionGateOpensAtItsRevision) {
  struct Gate {
    int revision;
    std::function<bool(const SurveyDocument&)> taken;
  };
  const std::vector<Gate> gates = {
      {2, [](const SurveyDocument& d) { return d.info.levelColors[3] == 0x666666 && d.info.indexLabels[2] == 18; }},
      {2, [](const SurveyDocument& d) { return d.questions[0].secondaryBlock == 1 && d.blocks[0].blockLevel == 1; }},
      {3, [](const SurveyDocument& d) { return d.alternatives[2].graphValue == 102; }},
      {4, [](const SurveyDocument& d) { return d.answerCommentsPresent && d.info.kept60 == 60; }},
      {5, [](const SurveyDocument& d) { return d.info.rowOrder == 2 && d.info.totalIndex == 1.5; }},
      {5, [](const SurveyDocument& d) { return d.info.minimumComplementSelection == 6; }},
      {6, [](const SurveyDocument& d) { return d.questions[0].isFlexTotal && d.info.kept67 == 67; }},
      {7, [](const SurveyDocument& d) { return d.alternatives[2].graphColor == 0x00FF00 + 2; }},
      {8, [](const SurveyDocument& d) { return d.questions[0].graphFlags == 0x105 && d.questions[0].rankingWeight == 3; }},
      {9, [](const SurveyDocument& d) { return d.info.rowOrderThreshold == 50 && d.info.allowCopyData; }},
      {9, [](const SurveyDocument& d) { return d.info.maxAlternativeValue == 40; }},
  };
  for (const Gate& gate : gates) {
    const Loaded before = Read(SmallSurvey(gate.revision - 1));
    const Loaded at = Read(SmallSurvey(gate.revision));
    ASSERT_EQ(before.result.error, LoadError::None);
    ASSERT_EQ(at.result.error, LoadError::None);
    EXPECT_FALSE(gate.taken(before.document)) << "revision " << gate.revision - 1;
    EXPECT_TRUE(gate.taken(at.document)) << "revision " << gate.revision;
  }
}

TEST(KvfReader, NewerFormatRevisionOpensWithAWarning) {
  KvfDescription d = SmallSurvey();
  d.header.formatRevision = 10;
  const Loaded l = Read(d);
  EXPECT_EQ(std::make_tuple(l.result.error, l.result.upgradeWarningDue, l.result.formatRevision),
            std::make_tuple(LoadError::None, true, 10));
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.compatibleRevision = 10; }), LoadError::TooNew);
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.compatibleRevision = 0; }), LoadError::TooOld);
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.compatibleRevision = -5; }), LoadError::TooOld);
}

TEST(KvfReader, LayoutVariantsReadTheSame) {
  const Loaded plain = Read(SmallSurvey());
  ASSERT_EQ(plain.result.error, LoadError::None);

  KvfDescription stored = SmallSurvey();
  stored.compress = false;
  KvfDescription padded = SmallSurvey();
  padded.extraHeaderBytes = QByteArray(13, '\x7f');
  auto& lay = padded.layout;
  std::tie(lay.alternativeStride, lay.questionStride, lay.commentStride, lay.blockStride, lay.blockItemStride) =
      std::tuple(52, 100, 9, 64, 12);
  std::tie(lay.answerCommentWidth, lay.gapBetweenSections, lay.fillByte) = std::tuple(10, 7, 0xEE);
  KvfDescription reversed = SmallSurvey();
  std::reverse(reversed.layout.order.begin(), reversed.layout.order.end());

  for (const KvfDescription* variant : {&stored, &padded, &reversed}) {
    const Loaded l = Read(*variant);
    ASSERT_EQ(l.result.error, LoadError::None);
    const SurveyDocument& d = l.document;
    const SurveyDocument& p = plain.document;
    EXPECT_EQ(std::make_tuple(d.strings, d.GetData(3, 0), d.answerComments),
              std::make_tuple(p.strings, 200, p.answerComments));
    EXPECT_EQ(std::make_tuple(d.alternatives[4].graphColor, d.questions[1].rankingWeight, d.blocks[0].graphFlags),
              std::make_tuple(p.alternatives[4].graphColor, p.questions[1].rankingWeight, p.blocks[0].graphFlags));
    EXPECT_EQ(std::make_tuple(d.blockItems[1].question, d.respondentComments[0].kept), std::make_tuple(0, 2));
  }
}

TEST(KvfReader, AbsentSectionsGiveEmptyTables) {
  KvfDescription d;
  d.header.formatRevision = 9;
  const Loaded l = Read(d);
  ASSERT_EQ(l.result.error, LoadError::None);
  const SurveyDocument& doc = l.document;
  EXPECT_TRUE(doc.strings.empty() && doc.alternatives.empty() && doc.questions.empty() && doc.blocks.empty());
  EXPECT_EQ(std::make_tuple(doc.answers.Width(), doc.RespondentCount(), doc.answers.QuestionCount(), doc.flexTotalQuestion,
                            doc.answerCommentsPresent, doc.info.languageCode),
            std::make_tuple(-1, 0, 0, -1, false, QString()));

  // A matrix with an unknown width is no matrix at all.
  KvfDescription odd = SmallSurvey();
  odd.info.answerWidth = 4;
  const Loaded o = Read(odd);
  ASSERT_EQ(o.result.error, LoadError::None);
  EXPECT_EQ(std::make_tuple(o.document.answers.Width(), o.document.RespondentCount()), std::make_tuple(-1, 0));
  EXPECT_FALSE(o.document.answerCommentsPresent);  // nor comments on it
}

TEST(KvfReader, LanguageCodeIsTheFirstTwoCharactersLowerCased) {
  const std::vector<std::pair<QString, QString>> cases = {{"EN-gb", "en"}, {"E", "e"}, {"D ", "d"}, {QString(), QString()}};
  for (const auto& [language, code] : cases) {
    KvfDescription d = SmallSurvey();
    d.strings[0] = language;
    const Loaded l = Read(d);
    ASSERT_EQ(l.result.error, LoadError::None);
    EXPECT_EQ(l.document.info.languageCode, code) << language.toStdString();
  }
}

TEST(KvfReader, HeaderChecksComeInOrder) {
  // The magic before the revision (which would be TooOld).
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.magic1 = 0x12345678, d.header.compatibleRevision = 0; }),
            LoadError::NotKvf);
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.magic2 = 0; }), LoadError::NotKvf);
  // The revision before the lengths (which would be Damaged).
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.compatibleRevision = 10, d.header.fileLength = 1; }),
            LoadError::TooNew);
  EXPECT_EQ(ErrorOf(QByteArray()), LoadError::NotKvf);
  EXPECT_EQ(ErrorOf(QByteArray(5, '\0')), LoadError::NotKvf);
}

TEST(KvfReader, LengthFieldsMustBeExact) {
  const QByteArray good = writer::WriteKvf(SmallSurvey());
  const auto size = static_cast<int32_t>(good.size());
  EXPECT_EQ(ErrorWith([&](KvfDescription& d) { d.header.fileLength = size + 1; }), LoadError::Damaged);
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.headerLength = 31; }), LoadError::Damaged);
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.payloadLength = 287; }), LoadError::Damaged);
  // Truncating a file makes every length field lie.
  EXPECT_EQ(ErrorOf(good.left(good.size() - 1)), LoadError::Damaged);
}

TEST(KvfReader, CrcCoversHeaderAndStoredPayload) {
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.header.crc = 0xDEADBEEF; }), LoadError::Damaged);
  // A flipped byte in the extra header bytes, the stored payload or the CRC.
  KvfDescription extra = SmallSurvey();
  extra.extraHeaderBytes = QByteArray(8, 'h');
  const QByteArray good = writer::WriteKvf(extra);
  ASSERT_EQ(ErrorOf(good), LoadError::None);
  for (const qsizetype at : {qsizetype{34}, qsizetype{45}, good.size() / 2, good.size() - 1}) {
    QByteArray bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x01);
    EXPECT_EQ(ErrorOf(bad), LoadError::Damaged) << "byte " << at;
  }
  // A stored payload is covered raw; a negative compressed length also means stored.
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.compress = false, d.header.compressedLength = -7; }), LoadError::None);
}

// Builds a file around a payload of our own, with correct lengths and CRC.
QByteArray FileAround(const QByteArray& payload, bool compress, int32_t announcedPayload) {
  QByteArray stored = payload;
  if (compress) {
    uLongf size = compressBound(static_cast<uLong>(payload.size()));
    stored.resize(static_cast<qsizetype>(size));
    compress2(reinterpret_cast<Bytef*>(stored.data()), &size, reinterpret_cast<const Bytef*>(payload.constData()),
              static_cast<uLong>(payload.size()), 6);
    stored.resize(static_cast<qsizetype>(size));
  }
  QByteArray file(32, '\0');
  qToLittleEndian<uint32_t>(format::kMagic1, file.data());
  qToLittleEndian<uint32_t>(format::kMagic2, file.data() + 4);
  qToLittleEndian<int32_t>(9, file.data() + 8);
  qToLittleEndian<int32_t>(9, file.data() + 12);
  qToLittleEndian<int32_t>(static_cast<int32_t>(32 + stored.size() + 4), file.data() + 16);
  qToLittleEndian<int32_t>(announcedPayload, file.data() + 20);
  qToLittleEndian<int32_t>(compress ? static_cast<int32_t>(stored.size()) : 0, file.data() + 24);
  qToLittleEndian<int32_t>(32, file.data() + 28);
  file += stored;
  const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(file.constData()), static_cast<uInt>(file.size()));
  char tail[4];
  qToLittleEndian<uint32_t>(static_cast<uint32_t>(crc), tail);
  return file + QByteArray(tail, 4);
}

TEST(KvfReader, CompressionFaultsAreDamage) {
  const QByteArray payload = writer::BuildPayload(SmallSurvey());
  const auto size = static_cast<int32_t>(payload.size());
  EXPECT_EQ(ErrorOf(FileAround(payload, true, size)), LoadError::None);
  // zlib delivers fewer bytes than announced: the payload is the shorter one.
  EXPECT_EQ(ErrorOf(FileAround(payload, true, size + 100)), LoadError::None);
  // The stream holds more than announced.
  EXPECT_EQ(ErrorOf(FileAround(payload, true, size - 1)), LoadError::Damaged);
  // The decompressed payload is shorter than the information record.
  EXPECT_EQ(ErrorOf(FileAround(payload.left(200), true, 288)), LoadError::Damaged);
  // Not a zlib stream at all (stored bytes announced as compressed).
  QByteArray notZlib = FileAround(payload, false, size);
  qToLittleEndian<int32_t>(size, notZlib.data() + 24);
  const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(notZlib.constData()), 32 + static_cast<uInt>(size));
  qToLittleEndian<uint32_t>(static_cast<uint32_t>(crc), notZlib.data() + 32 + size);
  EXPECT_EQ(ErrorOf(notZlib), LoadError::Damaged);
}

TEST(KvfReader, ImpossibleExpansionIsRefusedBeforeAllocating) {
  const QByteArray payload = writer::BuildPayload(SmallSurvey());
  // 2 GB announced for a stream of a few hundred bytes.
  EXPECT_EQ(ErrorOf(FileAround(payload, true, 0x7FFFFFFF)), LoadError::Damaged);
  // Highly compressible data within deflate's real ratio still loads.
  QByteArray zeros = payload;
  zeros.append(QByteArray(500000, '\0'));
  EXPECT_EQ(ErrorOf(FileAround(zeros, true, static_cast<int32_t>(zeros.size()))), LoadError::None);
}

TEST(KvfReader, SizeLimitIsOneMillionAnswers) {
  KvfDescription d;
  d.answerWidth = 1;
  d.answers.assign(1000, std::vector<int32_t>(1000, 0));
  const Loaded ok = Read(d);
  EXPECT_EQ(std::make_tuple(ok.result.error, ok.document.RespondentCount()), std::make_tuple(LoadError::None, 1000));

  // The product is formed without overflow.
  for (const auto& [respondents, questions] :
       std::vector<std::pair<int32_t, int32_t>>{{1001, 1000}, {65536, 65536}, {0x7FFFFFFF, 0x7FFFFFFF}}) {
    KvfDescription big;
    big.info.respondentCount = respondents;
    big.info.matrixQuestionCount = questions;
    EXPECT_EQ(ErrorOf(big), LoadError::TooBig) << respondents;
  }
}

TEST(KvfReader, StructuresReachingPastThePayloadAreDamage) {
  using Change = std::function<void(KvfDescription&)>;
  const Change damaging[] = {[](KvfDescription& d) { d.strings[3].lengthOverride = -1; },
                             [](KvfDescription& d) { d.strings.back().lengthOverride = 100000; },
                             [](KvfDescription& d) { d.info.stringCount = 1000000; },
                             [](KvfDescription& d) { d.info.answersOffset = 0x7FFFFFFF; },
                             [](KvfDescription& d) { d.info.respondentCount = 999; },
                             [](KvfDescription& d) { d.info.alternativeCount = 0x7FFFFFFF; },
                             [](KvfDescription& d) { d.info.alternativeStride = 39; },
                             [](KvfDescription& d) { d.info.questionStride = 67; },
                             [](KvfDescription& d) { d.info.commentStride = 4; },
                             [](KvfDescription& d) { d.info.blockStride = 20; },
                             [](KvfDescription& d) { d.info.blockItemStride = 7; },
                             [](KvfDescription& d) { d.info.blockItemsOffset = 0x7FFFFFFF; },
                             [](KvfDescription& d) { d.info.answerCommentWidth = 3; },
                             [](KvfDescription& d) { d.questions[1].alternativeCount = 3; },
                             [](KvfDescription& d) { d.questions[1].firstAlternative = -1; }};
  for (size_t k = 0; k < std::size(damaging); ++k)
    EXPECT_EQ(ErrorWith(damaging[k]), LoadError::Damaged) << "change " << k;
  // A question without alternatives may name any first alternative.
  EXPECT_EQ(
      ErrorWith([](KvfDescription& d) { d.questions[1].alternativeCount = 0, d.questions[1].firstAlternative = 99; }),
      LoadError::None);
  // A section offset below 1 means the section is absent, not damaged.
  EXPECT_EQ(ErrorWith([](KvfDescription& d) { d.info.blocksOffset = -4; }), LoadError::None);
}

TEST(KvfReader, AnswersOutsideTheAlternativesArePassedOn) {
  KvfDescription d = SmallSurvey();
  d.answers = {{0, 1, 2, 250}, {9, 1, 1, 0}};
  const Loaded l = Read(d);
  ASSERT_EQ(l.result.error, LoadError::None);
  EXPECT_EQ(std::make_tuple(l.document.GetData(3, 0), l.document.GetData(0, 1)), std::make_tuple(250, 9));
  EXPECT_EQ(l.document.AnswerAlternative(1, 9), nullptr);
}

TEST(KvfReader, QuestionsBeyondTheMatrixHaveNoAnswers) {
  KvfDescription d = SmallSurvey();
  d.info.matrixQuestionCount = 1;  // two questions, answers for the first only
  const Loaded l = Read(d);
  ASSERT_EQ(l.result.error, LoadError::None);
  EXPECT_EQ(std::make_tuple(l.document.questions.size(), l.document.answers.QuestionCount(), l.document.GetData(3, 0),
                            l.document.GetData(0, 1)),
            std::make_tuple(size_t{2}, 1, 200, -1));
  EXPECT_EQ(l.document.AnswerAlternative(1, l.document.GetData(0, 1)), nullptr);
  EXPECT_EQ(l.document.AnswerComment(0, 1), -1);
}

}  // namespace
}  // namespace kvf
