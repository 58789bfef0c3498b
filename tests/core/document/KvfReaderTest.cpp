// The .kvf reader against files written by the independent writer.
#include "core/document/KvfReader.h"

#include <gtest/gtest.h>

#include <QtEndian>
#include <cstring>
#include <iterator>
#include <tuple>
#include <zlib.h>

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
  for (int b = 0; b < 16; ++b) i.guid[static_cast<size_t>(b)] = static_cast<uint8_t>(0x10 + b);
  i.projectNumber = i.projectName = 1;
  i.copyright = 3;
  i.documentComment = 4;
  i.fileVersion = {1, 2, 345};
  i.created = 45000.25;
  i.language = 0;
  i.allowCopy = i.allowPrint = i.allowSave = i.allowCopyData = kTrue;
  i.hasRespondentComments = i.hideFirstAlternative = kTrue;
  i.indexDivisor = 10;
  i.indexCaption = 25;
  i.indexLabel0 = 16;
  i.indexLabel1 = 17;
  i.indexLabel2 = 18;
  i.indexLabel3 = 19;
  i.indexLabel4 = 20;
  i.allRespondentsCaption = 21;
  i.tooFewCaption = 22;
  i.countTip = 23;
  i.selectionTip = 24;
  i.minimumSelection = 3;
  i.minimumGraphSelection = 4;
  i.minimumComplementSelection = 6;
  i.sheetColor0 = 0x111111;
  i.sheetColor1 = 0x222222;
  i.levelColors = {0x333333, 0x444444, 0x555555, 0x666666};
  i.kept60 = 60;
  i.kept67 = 67;
  i.rowOrder = 2;
  i.rowOrderThreshold = 50;
  i.totalIndex = 1.5;
  i.featureFlags = 0x100;
  i.maxAlternativeValue = 40;

  // Alternatives 0..2 belong to question 0 (a dimension), 3..4 to question 1.
  for (int a = 0; a < 5; ++a) {
    writer::AlternativeRecord r;
    r.sheetLabel = 6 + 2 * (a % 3);
    r.name = 7 + 2 * (a % 3);
    r.selectionName = 5;
    r.backColor = 0x0000FF + a;
    r.value = a == 4 ? -1 : 10 * a;
    r.complementProtected = a == 1 ? kTrue : 0;
    r.protectedFlag = a == 2 ? kTrue : 0;
    r.graphOptions = 7;
    r.graphValue = 100 + a;
    r.graphColor = 0x00FF00 + a;
    d.alternatives.push_back(r);
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
  EXPECT_EQ(i.fileVersion, (std::array<int32_t, 3>{1, 2, 345}));
  EXPECT_EQ(i.created, 45000.25);
  EXPECT_EQ(i.languageCode, QStringLiteral("sv"));
  EXPECT_TRUE(i.allowCopy && i.allowPrint && i.allowSave && i.allowCopyData);
  EXPECT_TRUE(i.hasRespondentComments && i.hideFirstAlternative);
  const std::pair<int32_t, int32_t> numbers[] = {
      {i.rowOrder, 2},           {i.rowOrderThreshold, 50},          {i.indexDivisor, 10},
      {i.indexDecimals, 1},      {i.maxAlternativeValue, 40},        {i.featureFlags, 0x100},
      {i.minimumSelection, 3},   {i.minimumComplementSelection, 6},  {i.minimumGraphSelection, 4},
      {i.sheetColor0, 0x111111}, {i.sheetColor1, 0x222222},          {i.kept60, 60},
      {i.kept67, 67}};
  for (size_t k = 0; k < std::size(numbers); ++k) EXPECT_EQ(numbers[k].first, numbers[k].second) << "number " << k;
  EXPECT_EQ(i.totalIndex, 1.5);
  EXPECT_EQ(i.currentTotalIndex, 1.5);
  EXPECT_EQ(i.levelColors, (std::array<Colour, 4>{0x333333, 0x444444, 0x555555, 0x666666}));

  ASSERT_EQ(doc.answers.Width(), 1);
  EXPECT_EQ(doc.RespondentCount(), 4);
  EXPECT_EQ(doc.answers.QuestionCount(), 2);
  EXPECT_EQ(doc.GetData(3, 0), 200);
  EXPECT_EQ(doc.GetData(2, 1), 1);

  ASSERT_EQ(doc.alternatives.size(), 5u);
  const Alternative& a2 = doc.alternatives[2];
  EXPECT_EQ(doc.GetText(a2.sheetLabel), QStringLiteral("C"));
  EXPECT_EQ(doc.GetText(a2.name), QStringLiteral("Alt C"));
  EXPECT_EQ(std::make_tuple(a2.backColor, a2.value, a2.graphOptions, a2.graphValue, a2.graphColor),
            std::make_tuple(0x0000FF + 2, 20, 7, 102, 0x00FF00 + 2));
  EXPECT_FALSE(a2.complementProtected);
  EXPECT_TRUE(a2.isProtected);

  ASSERT_EQ(doc.questions.size(), 2u);
  const Question& q = doc.questions[0];
  EXPECT_EQ(doc.GetText(q.text), QStringLiteral("Full text"));
  EXPECT_TRUE(q.isDimension && q.isOverviewQuestion && q.isFlexTotal && q.inTotalIndex);
  EXPECT_EQ(std::make_tuple(q.backColor, q.primaryBlock, q.secondaryBlock, q.graphFlags, q.rankingWeight),
            std::make_tuple(0xABCDEF, 0, 1, 0x105, 3));
  EXPECT_EQ(q.storedIndex, 2.25);
  EXPECT_EQ(q.flexIndex, 2.25);
  EXPECT_EQ(doc.questions[1].firstAlternative, 3);

  ASSERT_EQ(doc.respondentComments.size(), 2u);
  EXPECT_EQ(doc.GetText(doc.respondentComments[0].comment), QStringLiteral("Comment one"));
  EXPECT_EQ(doc.respondentComments[0].kept, 2);
  ASSERT_TRUE(doc.answerCommentsPresent);
  EXPECT_EQ(doc.AnswerComment(0, 0), 15);
  EXPECT_EQ(doc.AnswerComment(2, 1), 15);
  EXPECT_EQ(doc.AnswerComment(1, 1), -1);

  ASSERT_EQ(doc.blocks.size(), 2u);
  const Block& b = doc.blocks[0];
  EXPECT_EQ(doc.BlockName(0), QStringLiteral("Block name"));
  EXPECT_TRUE(b.membersByQuestionField && b.fromFile);
  EXPECT_EQ(std::make_tuple(b.storedIndex, b.flexIndex, b.blockLevel, b.graphFlags), std::make_tuple(0.5, 0.5, 1, 0x101));
  EXPECT_FALSE(b.includeInCopy);  // only level -1 blocks are copied by default
  EXPECT_TRUE(doc.blocks[1].includeInCopy);
  ASSERT_EQ(doc.blockItems.size(), 2u);
  EXPECT_EQ(doc.blockItems[1].block, 1);
  EXPECT_EQ(doc.blockItems[1].question, 0);

  EXPECT_EQ(doc.overviewQuestions, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(doc.dimensions, (std::vector<int32_t>{0}));
  EXPECT_EQ(doc.maxDimensionAlternatives, 3);
  EXPECT_EQ(doc.flexTotalQuestion, 0);
  EXPECT_TRUE(doc.ComplementProtected(0, 1));
  EXPECT_FALSE(doc.ComplementProtected(0, 0));
  EXPECT_FALSE(doc.ComplementProtected(0, 3));
}

// Defaults computed from other fields (the plain defaults of each revision
// are checked by the gates below).
TEST(KvfReader, RevisionOneTakesEveryDefault) {
  const Loaded l = Read(SmallSurvey(1));
  ASSERT_EQ(l.result.error, LoadError::None);
  const SurveyDocument& doc = l.document;
  const DocumentInfo& i = doc.info;
  EXPECT_EQ(i.minimumComplementSelection, 3);  // = MinimumSelection
  EXPECT_EQ(i.totalIndex, -1.0);               // computed later, by the session
  EXPECT_EQ(i.featureFlags, 0x100);            // the document has indexes
  EXPECT_EQ(i.maxAlternativeValue, 30);        // largest Value of the alternatives
  const Alternative& a = doc.alternatives[2];
  EXPECT_EQ(a.graphOptions, 0);
  EXPECT_EQ(a.graphValue, a.value);
  EXPECT_EQ(a.graphColor, a.backColor);
  EXPECT_EQ(doc.questions[0].graphFlags, 0x103);  // has a stored index
  EXPECT_EQ(doc.questions[0].rankingWeight, 1);
  EXPECT_EQ(doc.questions[1].graphFlags, 3);  // no stored index
  EXPECT_TRUE(doc.blocks[0].includeInCopy);
  EXPECT_EQ(doc.blocks[0].graphFlags, 0x103);
  EXPECT_EQ(doc.blocks[1].graphFlags, 3);
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

TEST(KvfReader, EveryRevisionRoundTripsThroughTheWriter) {
  for (int revision = 1; revision <= 10; ++revision) {
    for (const bool compress : {true, false}) {
      writer::SyntheticOptions options;
      options.respondents = 37;
      options.questions = 23;
      options.dimensions = 3;
      options.answerWidth = 1 + revision % 3;
      options.compress = compress;
      options.answerComments = true;
      options.seed = static_cast<uint64_t>(revision);
      KvfDescription d = writer::MakeSyntheticDescription(options);
      d.header.formatRevision = revision;
      d.header.compatibleRevision = std::min(revision, 9);
      const Loaded l = Read(d);
      SCOPED_TRACE(testing::Message() << "revision " << revision << (compress ? " compressed" : " stored"));
      ASSERT_EQ(l.result.error, LoadError::None);
      const SurveyDocument& doc = l.document;
      ASSERT_EQ(doc.strings.size(), d.strings.size());
      for (size_t k = 0; k < d.strings.size(); ++k) EXPECT_EQ(doc.strings[k], d.strings[k].text);
      ASSERT_EQ(doc.answers.QuestionCount(), static_cast<int32_t>(d.answers.size()));
      ASSERT_EQ(doc.RespondentCount(), 37);
      for (size_t q = 0; q < d.answers.size(); ++q)
        for (size_t r = 0; r < d.answers[q].size(); ++r)
          ASSERT_EQ(doc.GetData(static_cast<int32_t>(r), static_cast<int32_t>(q)), d.answers[q][r]);
      ASSERT_EQ(doc.questions.size(), d.questions.size());
      for (size_t q = 0; q < d.questions.size(); ++q) {
        EXPECT_EQ(doc.questions[q].firstAlternative, d.questions[q].firstAlternative);
        EXPECT_EQ(doc.questions[q].storedIndex, d.questions[q].storedIndex);
        EXPECT_EQ(doc.questions[q].isDimension, d.questions[q].isDimension != 0);
      }
      ASSERT_EQ(doc.alternatives.size(), d.alternatives.size());
      for (size_t a = 0; a < d.alternatives.size(); ++a) EXPECT_EQ(doc.alternatives[a].value, d.alternatives[a].value);
      EXPECT_EQ(doc.blocks.size(), d.blocks.size());
      EXPECT_EQ(doc.blockItems.size(), d.blockItems.size());
      EXPECT_EQ(doc.answerCommentsPresent, revision >= 4);
      EXPECT_EQ(doc.DimensionCount(), 3);
      EXPECT_EQ(l.result.upgradeWarningDue, revision == 10);
    }
  }
}

TEST(KvfReader, NewerFormatRevisionOpensWithAWarning) {
  KvfDescription d = SmallSurvey();
  d.header.formatRevision = 10;
  d.header.compatibleRevision = 9;
  const Loaded l = Read(d);
  EXPECT_EQ(l.result.error, LoadError::None);
  EXPECT_TRUE(l.result.upgradeWarningDue);
  EXPECT_EQ(l.result.formatRevision, 10);

  d.header.compatibleRevision = 10;
  EXPECT_EQ(ErrorOf(d), LoadError::TooNew);
  d.header.compatibleRevision = 0;
  EXPECT_EQ(ErrorOf(d), LoadError::TooOld);
  d.header.compatibleRevision = -5;
  EXPECT_EQ(ErrorOf(d), LoadError::TooOld);
}

TEST(KvfReader, LayoutVariantsReadTheSame) {
  const Loaded plain = Read(SmallSurvey());
  ASSERT_EQ(plain.result.error, LoadError::None);

  KvfDescription stored = SmallSurvey();
  stored.compress = false;
  KvfDescription padded = SmallSurvey();
  padded.extraHeaderBytes = QByteArray(13, '\x7f');
  padded.layout.alternativeStride = 52;
  padded.layout.questionStride = 100;
  padded.layout.commentStride = 9;
  padded.layout.blockStride = 64;
  padded.layout.blockItemStride = 12;
  padded.layout.answerCommentWidth = 10;
  padded.layout.gapBetweenSections = 7;
  padded.layout.fillByte = 0xEE;
  KvfDescription reversed = SmallSurvey();
  std::reverse(reversed.layout.order.begin(), reversed.layout.order.end());

  for (const KvfDescription* variant : {&stored, &padded, &reversed}) {
    const Loaded l = Read(*variant);
    ASSERT_EQ(l.result.error, LoadError::None);
    EXPECT_EQ(l.document.strings, plain.document.strings);
    EXPECT_EQ(l.document.GetData(3, 0), 200);
    EXPECT_EQ(l.document.answerComments, plain.document.answerComments);
    EXPECT_EQ(l.document.alternatives[4].graphColor, plain.document.alternatives[4].graphColor);
    EXPECT_EQ(l.document.questions[1].rankingWeight, plain.document.questions[1].rankingWeight);
    EXPECT_EQ(l.document.blocks[0].graphFlags, plain.document.blocks[0].graphFlags);
    EXPECT_EQ(l.document.blockItems[1].question, 0);
    EXPECT_EQ(l.document.respondentComments[0].kept, 2);
  }
}

TEST(KvfReader, AnswerWidthsWidenAsDocumented) {
  for (const int width : {1, 2, 3}) {
    KvfDescription d = SmallSurvey();
    d.answerWidth = width;
    d.answers = {{0, 1, 2, width == 1 ? 200 : -1}, {0, 1, 1, 0}};
    const Loaded l = Read(d);
    ASSERT_EQ(l.result.error, LoadError::None);
    EXPECT_EQ(l.document.answers.Width(), width);
    EXPECT_EQ(l.document.GetData(3, 0), width == 1 ? 200 : -1) << "width " << width;
  }
}

TEST(KvfReader, AbsentSectionsGiveEmptyTables) {
  KvfDescription d;
  d.header.formatRevision = 9;
  const Loaded l = Read(d);
  ASSERT_EQ(l.result.error, LoadError::None);
  const SurveyDocument& doc = l.document;
  EXPECT_TRUE(doc.strings.empty());
  EXPECT_EQ(doc.answers.Width(), -1);
  EXPECT_EQ(doc.RespondentCount(), 0);
  EXPECT_EQ(doc.answers.QuestionCount(), 0);
  EXPECT_TRUE(doc.alternatives.empty() && doc.questions.empty() && doc.blocks.empty());
  EXPECT_FALSE(doc.answerCommentsPresent);
  EXPECT_EQ(doc.flexTotalQuestion, -1);
  EXPECT_EQ(doc.info.languageCode, QString());

  // A matrix with an unknown width is no matrix at all.
  KvfDescription odd = SmallSurvey();
  odd.info.answerWidth = 4;
  const Loaded o = Read(odd);
  ASSERT_EQ(o.result.error, LoadError::None);
  EXPECT_EQ(o.document.answers.Width(), -1);
  EXPECT_EQ(o.document.RespondentCount(), 0);
  EXPECT_FALSE(o.document.answerCommentsPresent);
}

TEST(KvfReader, LanguageCodeIsTheFirstTwoCharactersLowerCased) {
  const std::vector<std::pair<QString, QString>> cases = {
      {QStringLiteral("Svenska"), QStringLiteral("sv")}, {QStringLiteral("EN-gb"), QStringLiteral("en")},
      {QStringLiteral("E"), QStringLiteral("e")},        {QStringLiteral(" x"), QStringLiteral(" x")},
      {QStringLiteral("D "), QStringLiteral("d")},       {QString(), QString()}};
  for (const auto& [language, code] : cases) {
    KvfDescription d = SmallSurvey();
    d.strings[0] = language;
    const Loaded l = Read(d);
    ASSERT_EQ(l.result.error, LoadError::None);
    EXPECT_EQ(l.document.info.languageCode, code) << language.toStdString();
  }
}

TEST(KvfReader, AllowPrintNeedsPrinting) {
  ReadOptions noPrinter;
  noPrinter.printingAvailable = false;
  const Loaded l = Read(writer::WriteKvf(SmallSurvey()), noPrinter);
  ASSERT_EQ(l.result.error, LoadError::None);
  EXPECT_FALSE(l.document.info.allowPrint);
  EXPECT_TRUE(l.document.info.allowCopy);
}

TEST(KvfReader, HeaderChecksComeInOrder) {
  KvfDescription d = SmallSurvey();
  d.header.magic1 = 0x12345678;
  d.header.compatibleRevision = 0;  // would be error 3, but the magic is checked first
  EXPECT_EQ(ErrorOf(d), LoadError::NotKvf);

  d = SmallSurvey();
  d.header.magic2 = 0;
  EXPECT_EQ(ErrorOf(d), LoadError::NotKvf);

  d = SmallSurvey();
  d.header.compatibleRevision = 10;
  d.header.fileLength = 1;  // would be error 5, but the revision is checked first
  EXPECT_EQ(ErrorOf(d), LoadError::TooNew);

  EXPECT_EQ(Read(QByteArray()).result.error, LoadError::NotKvf);
  EXPECT_EQ(Read(QByteArray(5, '\0')).result.error, LoadError::NotKvf);
}

TEST(KvfReader, LengthFieldsMustBeExact) {
  const QByteArray good = writer::WriteKvf(SmallSurvey());
  KvfDescription d = SmallSurvey();
  d.header.fileLength = static_cast<int32_t>(good.size()) + 1;
  EXPECT_EQ(ErrorOf(d), LoadError::Damaged);
  d.header.fileLength = static_cast<int32_t>(good.size()) - 1;
  EXPECT_EQ(ErrorOf(d), LoadError::Damaged);

  d = SmallSurvey();
  d.header.headerLength = 31;
  EXPECT_EQ(ErrorOf(d), LoadError::Damaged);

  d = SmallSurvey();
  d.header.payloadLength = 287;
  EXPECT_EQ(ErrorOf(d), LoadError::Damaged);

  // Truncating a file makes every length field lie.
  EXPECT_EQ(Read(good.left(good.size() - 1)).result.error, LoadError::Damaged);
  EXPECT_EQ(Read(good.left(40)).result.error, LoadError::Damaged);
}

TEST(KvfReader, CrcCoversHeaderAndStoredPayload) {
  KvfDescription d = SmallSurvey();
  d.header.crc = 0xDEADBEEF;
  EXPECT_EQ(ErrorOf(d), LoadError::Damaged);

  // A flipped byte in the extra header bytes, the stored payload or the CRC.
  KvfDescription extra = SmallSurvey();
  extra.extraHeaderBytes = QByteArray(8, 'h');
  const QByteArray good = writer::WriteKvf(extra);
  ASSERT_EQ(Read(good).result.error, LoadError::None);
  for (const qsizetype at : {qsizetype{34}, qsizetype{45}, good.size() / 2, good.size() - 1}) {
    QByteArray bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x01);
    EXPECT_EQ(Read(bad).result.error, LoadError::Damaged) << "byte " << at;
  }
  // A stored payload is covered raw; a negative compressed length also means stored.
  d = SmallSurvey();
  d.compress = false;
  d.header.compressedLength = -7;
  EXPECT_EQ(ErrorOf(d), LoadError::None);
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
  EXPECT_EQ(Read(FileAround(payload, true, size)).result.error, LoadError::None);
  // zlib delivers fewer bytes than announced: the payload is the shorter one.
  EXPECT_EQ(Read(FileAround(payload, true, size + 100)).result.error, LoadError::None);
  // The stream holds more than announced.
  EXPECT_EQ(Read(FileAround(payload, true, size - 1)).result.error, LoadError::Damaged);
  // The decompressed payload is shorter than the information record.
  EXPECT_EQ(Read(FileAround(payload.left(200), true, 288)).result.error, LoadError::Damaged);
  // Not a zlib stream at all (stored bytes announced as compressed).
  QByteArray notZlib = FileAround(payload, false, size);
  qToLittleEndian<int32_t>(size, notZlib.data() + 24);
  const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(notZlib.constData()), 32 + static_cast<uInt>(size));
  qToLittleEndian<uint32_t>(static_cast<uint32_t>(crc), notZlib.data() + 32 + size);
  EXPECT_EQ(Read(notZlib).result.error, LoadError::Damaged);
}

TEST(KvfReader, ImpossibleExpansionIsRefusedBeforeAllocating) {
  const QByteArray payload = writer::BuildPayload(SmallSurvey());
  // 2 GB announced for a stream of a few hundred bytes.
  EXPECT_EQ(Read(FileAround(payload, true, 0x7FFFFFFF)).result.error, LoadError::Damaged);
  // Highly compressible data within deflate's real ratio still loads.
  QByteArray zeros = payload;
  zeros.append(QByteArray(500000, '\0'));
  EXPECT_EQ(Read(FileAround(zeros, true, static_cast<int32_t>(zeros.size()))).result.error, LoadError::None);
}

TEST(KvfReader, SizeLimitIsOneMillionAnswers) {
  KvfDescription d;
  d.answerWidth = 1;
  d.answers.assign(1000, std::vector<int32_t>(1000, 0));
  const Loaded ok = Read(d);
  ASSERT_EQ(ok.result.error, LoadError::None);
  EXPECT_EQ(ok.document.RespondentCount(), 1000);

  KvfDescription big;
  big.info.respondentCount = 1001;
  big.info.matrixQuestionCount = 1000;
  EXPECT_EQ(ErrorOf(big), LoadError::TooBig);
  // The product is formed without overflow.
  big.info.respondentCount = 65536;
  big.info.matrixQuestionCount = 65536;
  EXPECT_EQ(ErrorOf(big), LoadError::TooBig);
  big.info.respondentCount = 0x7FFFFFFF;
  big.info.matrixQuestionCount = 0x7FFFFFFF;
  EXPECT_EQ(ErrorOf(big), LoadError::TooBig);
}

TEST(KvfReader, StructuresReachingPastThePayloadAreDamage) {
  auto damaged = [](const std::function<void(KvfDescription&)>& change) {
    KvfDescription d = SmallSurvey();
    change(d);
    return ErrorOf(d);
  };
  EXPECT_EQ(damaged([](KvfDescription& d) { d.strings[3].lengthOverride = -1; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.strings.back().lengthOverride = 100000; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.stringCount = 1000000; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.stringsOffset = 0x7FFFFFF0; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.answersOffset = 0x7FFFFFFF; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.respondentCount = 999; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.alternativeCount = 0x7FFFFFFF; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.alternativeStride = 39; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.questionStride = 67; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.questionStride = 0x7FFFFFFF; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.commentStride = 4; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.blockStride = 20; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.blockItemStride = 7; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.blockItemsOffset = 0x7FFFFFFF; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.answerCommentWidth = 3; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.answerCommentWidth = 0x40000000; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.questions[1].alternativeCount = 3; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.questions[1].firstAlternative = -1; }), LoadError::Damaged);
  EXPECT_EQ(damaged([](KvfDescription& d) { d.questions[1].alternativeCount = -1; }), LoadError::Damaged);
  // A question without alternatives may name any first alternative.
  EXPECT_EQ(damaged([](KvfDescription& d) {
              d.questions[1].alternativeCount = 0;
              d.questions[1].firstAlternative = 99;
            }),
            LoadError::None);
  // A section offset below 1 means the section is absent, not damaged.
  EXPECT_EQ(damaged([](KvfDescription& d) { d.info.blocksOffset = -4; }), LoadError::None);
}

TEST(KvfReader, AnswersOutsideTheAlternativesArePassedOn) {
  KvfDescription d = SmallSurvey();
  d.answers = {{0, 1, 2, 250}, {9, 1, 1, 0}};
  const Loaded l = Read(d);
  ASSERT_EQ(l.result.error, LoadError::None);
  EXPECT_EQ(l.document.GetData(3, 0), 250);
  EXPECT_EQ(l.document.GetData(0, 1), 9);
  EXPECT_EQ(l.document.AnswerAlternative(1, 9), nullptr);
}

TEST(KvfReader, QuestionsBeyondTheMatrixHaveNoAnswers) {
  KvfDescription d = SmallSurvey();
  d.info.matrixQuestionCount = 1;  // two questions, answers for the first only
  const Loaded l = Read(d);
  ASSERT_EQ(l.result.error, LoadError::None);
  EXPECT_EQ(l.document.questions.size(), 2u);
  EXPECT_EQ(l.document.answers.QuestionCount(), 1);
  EXPECT_EQ(l.document.GetData(3, 0), 200);
  EXPECT_EQ(l.document.GetData(0, 1), -1);
  EXPECT_EQ(l.document.AnswerAlternative(1, l.document.GetData(0, 1)), nullptr);
  EXPECT_EQ(l.document.AnswerComment(0, 1), -1);
}

TEST(KvfReader, FileErrors) {
  SurveyDocument doc;
  EXPECT_EQ(LoadErrorOf(ReadKvfFile(QStringLiteral("/nonexistent/x.kvf"), doc).Error()), LoadError::CannotOpen);
  EXPECT_EQ(LoadErrorOf(ReadKvfFile(QStringLiteral("/"), doc).Error()), LoadError::CannotOpen);
}

}  // namespace
}  // namespace kvf
