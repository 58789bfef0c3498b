#include "core/document/KvfReader.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>
#include <zlib.h>

#include "core/document/KvfFormat.h"

namespace kvf {
namespace {

namespace fi = format::info;

// A bounds-checked little-endian view of a byte range. Every read names the
// byte offset it needs; callers check Has() before reading a span.
class ByteView {
 public:
  ByteView(const uint8_t* data, int64_t size) : data_(data), size_(size) {}

  int64_t Size() const { return size_; }
  const uint8_t* Data() const { return data_; }
  // True when [offset, offset + length) lies inside the view.
  bool Has(int64_t offset, int64_t length) const {
    return offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
  }
  // REQUIRES: Has(offset, 4) and friends.
  int32_t I32(int64_t offset) const { return qFromLittleEndian<int32_t>(data_ + offset); }
  uint32_t U32(int64_t offset) const { return qFromLittleEndian<uint32_t>(data_ + offset); }
  int16_t I16(int64_t offset) const { return qFromLittleEndian<int16_t>(data_ + offset); }
  bool Flag(int64_t offset) const { return I16(offset) != 0; }
  double F64(int64_t offset) const {
    const uint64_t bits = qFromLittleEndian<uint64_t>(data_ + offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

 private:
  const uint8_t* data_;
  int64_t size_;
};

// A record section: offset, stride and count from the information record.
struct Section {
  int32_t offset = 0;
  int32_t stride = 0;
  int32_t count = 0;
  bool Present() const { return offset >= 1 && stride >= 1 && count >= 1; }
  int64_t RecordAt(int32_t i) const { return static_cast<int64_t>(offset) + static_cast<int64_t>(i) * stride; }
};

Section ReadSection(const ByteView& info, int at) {
  return {info.I32(at), info.I32(at + 4), info.I32(at + 8)};
}

// A present section must hold whole records of at least recordSize bytes
// that lie inside the payload.
bool SectionFits(const Section& section, int32_t recordSize, const ByteView& payload) {
  if (!section.Present()) return true;
  if (section.stride < recordSize) return false;
  return payload.Has(section.RecordAt(section.count - 1), recordSize);
}

class Decoder {
 public:
  Decoder(const ByteView& payload, int32_t revision, SurveyDocument& document, const ReadOptions& options)
      : p_(payload), revision_(revision), doc_(document), options_(options) {}

  LoadError Run() {
    if (!Strings() || !Answers() || !Alternatives() || !Questions() || !Comments() || !AnswerComments() ||
        !Blocks() || !BlockItems())
      return Failure();
    Info();
    if (!DerivedLists() || !ReferencedText()) return Failure();
    return LoadError::None;
  }

  // The limit a refused file exceeds; None when it is damaged or was read.
  limits::Limit Exceeded() const { return exceeded_; }

 private:
  LoadError Failure() const { return exceeded_ == limits::Limit::None ? LoadError::Damaged : LoadError::TooBig; }

  // False (and the limit noted) when value is over max.
  bool Within(int64_t value, int64_t max, limits::Limit limit) {
    if (value <= max) return true;
    exceeded_ = limit;
    return false;
  }
  bool Since(int32_t revision) const { return revision_ >= revision; }

  bool Strings() {
    const int32_t offset = p_.I32(fi::kStringsOffset);
    const int32_t count = p_.I32(fi::kStringCount);
    if (offset < 1 || count < 1) return true;
    // Every entry needs at least its 4-byte length.
    if (!p_.Has(offset, 0) || count > (p_.Size() - offset) / 4) return false;
    if (!Within(count, limits::kMaxStrings, limits::Limit::Strings)) return false;
    doc_.strings.reserve(static_cast<size_t>(std::min(count, 65536)));
    int64_t at = offset;
    for (int32_t k = 0; k < count; ++k) {
      if (!p_.Has(at, 4)) return false;
      const int32_t length = p_.I32(at);
      at += 4;
      if (length < 0 || !p_.Has(at, static_cast<int64_t>(length) * 2)) return false;
      QString& text = doc_.strings.emplace_back();
      if (length > 0) {
        text.resize(length);
        std::memcpy(text.data(), p_.Data() + at, static_cast<size_t>(length) * 2);
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
        for (QChar& c : text) c = QChar(qFromLittleEndian<char16_t>(c.unicode()));
#endif
      }
      at += static_cast<int64_t>(length) * 2;
    }
    return true;
  }

  bool Answers() {
    const int32_t offset = p_.I32(fi::kAnswersOffset);
    const int32_t width = p_.I32(fi::kAnswerWidth);
    const int32_t respondents = p_.I32(fi::kRespondentCount);
    const int32_t questions = p_.I32(fi::kMatrixQuestionCount);
    if (offset < 1 || respondents < 1 || questions < 1 || width < 1 || width > 3) {
      doc_.answers.Clear();
      return true;
    }
    // The caller has refused more than kMaxAnswers elements already.
    const int64_t elements = static_cast<int64_t>(respondents) * questions;
    const int64_t bytes = elements * AnswerMatrix::ElementSize(width);
    if (!p_.Has(offset, bytes)) return false;
    std::vector<uint8_t> matrix(p_.Data() + offset, p_.Data() + offset + bytes);
    doc_.answers.Assign(width, respondents, questions, std::move(matrix), p_.I32(fi::kAnswerTag));
    return true;
  }

  bool Alternatives() {
    const Section s = ReadSection(p_, fi::kAlternativesOffset);
    if (!SectionFits(s, format::kAlternativeSize, p_)) return false;
    if (!s.Present()) return true;
    if (!Within(s.count, limits::kMaxAlternatives, limits::Limit::Alternatives)) return false;
    doc_.alternatives.resize(static_cast<size_t>(s.count));
    for (int32_t i = 0; i < s.count; ++i) {
      const int64_t r = s.RecordAt(i);
      Alternative& a = doc_.alternatives[static_cast<size_t>(i)];
      a.sheetLabel = p_.I32(r + 0);
      a.name = p_.I32(r + 4);
      a.selectionName = p_.I32(r + 8);
      a.backColor = p_.I32(r + 12);
      a.kept = p_.I32(r + 16);
      a.value = p_.I32(r + 20);
      a.complementProtected = p_.Flag(r + 24);
      a.isProtected = p_.Flag(r + 26);
      a.graphOptions = Since(3) ? p_.I32(r + 28) : 0;
      a.graphValue = Since(3) ? p_.I32(r + 32) : a.value;
      a.graphColor = Since(7) ? p_.I32(r + 36) : a.backColor;
    }
    return true;
  }

  int32_t DefaultGraphFlags(double storedIndex) const {
    return 3 | ((p_.I32(fi::kIndexDivisor) >= 1 && storedIndex != kNoIndex) ? 0x100 : 0);
  }

  bool Questions() {
    const Section s = ReadSection(p_, fi::kQuestionsOffset);
    if (!SectionFits(s, format::kQuestionSize, p_)) return false;
    if (!s.Present()) return true;
    if (!Within(s.count, limits::kMaxQuestions, limits::Limit::Questions)) return false;
    int64_t questionAlternatives = 0;
    doc_.questions.resize(static_cast<size_t>(s.count));
    for (int32_t i = 0; i < s.count; ++i) {
      const int64_t r = s.RecordAt(i);
      Question& q = doc_.questions[static_cast<size_t>(i)];
      q.sheetLabel = p_.I32(r + 0);
      q.name = p_.I32(r + 4);
      q.text = p_.I32(r + 8);
      q.selectionName = p_.I32(r + 12);
      q.backColor = p_.I32(r + 16);
      q.kept = p_.I32(r + 20);
      q.primaryBlock = p_.I32(r + 24);
      q.firstAlternative = p_.I32(r + 28);
      q.alternativeCount = p_.I32(r + 32);
      q.isDimension = p_.Flag(r + 36);
      q.isOverviewQuestion = p_.Flag(r + 38);
      q.storedIndex = p_.F64(r + 40);
      q.flexIndex = q.storedIndex;
      q.inTotalIndex = p_.Flag(r + 48);
      q.secondaryBlock = Since(2) ? p_.I32(r + 52) : -1;
      q.isFlexTotal = Since(6) ? p_.Flag(r + 56) : false;
      q.graphFlags = Since(8) ? p_.I32(r + 60) : DefaultGraphFlags(q.storedIndex);
      q.rankingWeight = Since(8) ? p_.I32(r + 64) : 1;
      // The sheet, the selection and the indexes reach a question's
      // alternatives by position, so the run must lie inside the
      // alternative table.
      if (q.alternativeCount < 0) return false;
      if (!Within(q.alternativeCount, limits::kMaxAlternativesPerQuestion, limits::Limit::AlternativesPerQuestion))
        return false;
      questionAlternatives += q.alternativeCount;
      if (!Within(questionAlternatives, limits::kMaxQuestionAlternatives, limits::Limit::QuestionAlternatives))
        return false;
      if (q.alternativeCount > 0 &&
          (q.firstAlternative < 0 ||
           static_cast<int64_t>(q.firstAlternative) + q.alternativeCount >
               static_cast<int64_t>(doc_.alternatives.size())))
        return false;
    }
    return true;
  }

  bool Comments() {
    const Section s = ReadSection(p_, fi::kCommentsOffset);
    if (!SectionFits(s, format::kCommentSize, p_)) return false;
    if (!s.Present()) return true;
    if (!Within(s.count, limits::kMaxRespondentComments, limits::Limit::RespondentComments)) return false;
    doc_.respondentComments.resize(static_cast<size_t>(s.count));
    for (int32_t i = 0; i < s.count; ++i) {
      const int64_t r = s.RecordAt(i);
      RespondentComment& c = doc_.respondentComments[static_cast<size_t>(i)];
      c.comment = p_.I32(r + 0);
      c.kept = Since(4) ? p_.I32(r + 4) : -1;
    }
    return true;
  }

  bool AnswerComments() {
    if (!Since(4) || !doc_.answers.Present()) return true;
    const int32_t offset = p_.I32(fi::kAnswerCommentsOffset);
    if (offset < 1) return true;
    const int32_t width = p_.I32(fi::kAnswerCommentWidth);
    if (width < format::kMinAnswerCommentWidth) return false;
    const int64_t respondents = doc_.answers.RespondentCount();
    const int64_t elements = respondents * doc_.answers.QuestionCount();
    // elements <= 1,000,000 and width < 2^31: the product fits easily.
    if (!p_.Has(offset, elements * width)) return false;
    doc_.answerComments.resize(static_cast<size_t>(elements));
    if (width == 4) {
      std::memcpy(doc_.answerComments.data(), p_.Data() + offset, static_cast<size_t>(elements) * 4);
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
      for (TextRef& ref : doc_.answerComments) ref = qFromLittleEndian(ref);
#endif
    } else {
      for (int64_t e = 0; e < elements; ++e) doc_.answerComments[static_cast<size_t>(e)] = p_.I32(offset + e * width);
    }
    doc_.answerCommentsPresent = true;
    return true;
  }

  bool Blocks() {
    const Section s = ReadSection(p_, fi::kBlocksOffset);
    if (!SectionFits(s, format::kBlockSize, p_)) return false;
    if (!s.Present()) return true;
    if (!Within(s.count, limits::kMaxBlocks, limits::Limit::Blocks)) return false;
    doc_.blocks.resize(static_cast<size_t>(s.count));
    for (int32_t i = 0; i < s.count; ++i) {
      const int64_t r = s.RecordAt(i);
      Block& b = doc_.blocks[static_cast<size_t>(i)];
      b.sheetLabel = p_.I32(r + 0);
      b.name = p_.I32(r + 4);
      b.text2 = p_.I32(r + 8);
      b.kept1 = p_.I32(r + 12);
      b.kept2 = p_.I32(r + 16);
      b.keptFlag = p_.Flag(r + 20);
      b.membersByQuestionField = p_.Flag(r + 22);
      b.storedIndex = p_.F64(r + 24);
      b.flexIndex = b.storedIndex;
      b.blockLevel = Since(2) ? p_.I32(r + 32) : -1;
      b.graphFlags = Since(8) ? p_.I32(r + 36) : DefaultGraphFlags(b.storedIndex);
      b.fromFile = true;
      b.includeInCopy = b.blockLevel == -1;
    }
    return true;
  }

  bool BlockItems() {
    const Section s = ReadSection(p_, fi::kBlockItemsOffset);
    if (!SectionFits(s, format::kBlockItemSize, p_)) return false;
    if (!s.Present()) return true;
    if (!Within(s.count, limits::kMaxBlockItems, limits::Limit::BlockItems)) return false;
    // An item of a block the file does not have is dropped: the user's
    // blocks follow the file's in the table, and it must not join one.
    const auto fileBlocks = static_cast<int32_t>(doc_.blocks.size());
    for (int32_t i = 0; i < s.count; ++i) {
      const int64_t r = s.RecordAt(i);
      const BlockItem item{p_.I32(r), p_.I32(r + 4)};
      if (item.block >= 0 && item.block < fileBlocks) doc_.blockItems.push_back(item);
    }
    return true;
  }

  // Document-level fields, with the defaults of older revisions.
  void Info() {
    DocumentInfo& d = doc_.info;
    std::memcpy(d.guid.data(), p_.Data() + fi::kGuid, d.guid.size());
    d.projectNumber = p_.I32(fi::kProjectNumber);
    d.projectName = p_.I32(fi::kProjectName);
    d.copyright = p_.I32(fi::kCopyright);
    d.documentComment = p_.I32(fi::kDocumentComment);
    for (int i = 0; i < 3; ++i) d.fileVersion[static_cast<size_t>(i)] = p_.I32(fi::kFileVersion + 4 * i);
    d.created = p_.F64(fi::kCreated);
    d.secondDate = p_.F64(fi::kSecondDate);
    d.language = p_.I32(fi::kLanguage);
    // The first two characters, padded with blanks, right-trimmed, lower-cased.
    QString code = doc_.GetText(d.language).left(2);
    while (code.size() < 2) code += QLatin1Char(' ');
    while (!code.isEmpty() && code.back() == QLatin1Char(' ')) code.chop(1);
    d.languageCode = code.toLower();
    d.allowCopy = p_.Flag(fi::kAllowCopy);
    d.allowPrint = p_.Flag(fi::kAllowPrint) && options_.printingAvailable;
    d.allowSave = p_.Flag(fi::kAllowSave);
    d.indexDivisor = p_.I32(fi::kIndexDivisor);
    d.indexDecimals = d.indexDivisor >= 1 ? IndexDecimalsForDivisor(d.indexDivisor) : 0;
    d.indexCaption = p_.I32(fi::kIndexCaption);
    d.indexLabels = {p_.I32(fi::kIndexLabel0), p_.I32(fi::kIndexLabel1), Since(2) ? p_.I32(fi::kIndexLabel2) : -1,
                     p_.I32(fi::kIndexLabel3), p_.I32(fi::kIndexLabel4)};
    d.countTip = p_.I32(fi::kCountTip);
    d.selectionTip = p_.I32(fi::kSelectionTip);
    d.allRespondentsCaption = p_.I32(fi::kAllRespondentsCaption);
    d.minimumSelection = p_.I32(fi::kMinimumSelection);
    d.minimumGraphSelection = p_.I32(fi::kMinimumGraphSelection);
    d.tooFewCaption = p_.I32(fi::kTooFewCaption);
    d.hasRespondentComments = p_.Flag(fi::kHasRespondentComments);
    d.hideFirstAlternative = p_.Flag(fi::kHideFirstAlternative);
    d.sheetColor0 = p_.I32(fi::kSheetColor0);
    d.sheetColor1 = p_.I32(fi::kSheetColor1);
    d.levelColors[0] = p_.I32(fi::kLevelColors);
    d.levelColors[1] = p_.I32(fi::kLevelColors + 4);
    d.levelColors[2] = Since(2) ? p_.I32(fi::kLevelColors + 8) : -1;
    d.levelColors[3] = Since(2) ? p_.I32(fi::kLevelColors + 12) : -1;
    d.kept60 = Since(4) ? p_.I32(fi::kKept60) : -1;
    d.rowOrder = Since(5) ? p_.I32(fi::kRowOrder) : -1;
    d.minimumComplementSelection = Since(5) ? p_.I32(fi::kMinimumComplementSelection) : d.minimumSelection;
    d.totalIndex = Since(5) ? p_.F64(fi::kTotalIndex) : kNoIndex;
    d.currentTotalIndex = d.totalIndex;
    d.kept67 = Since(6) ? p_.I32(fi::kKept67) : -1;
    d.featureFlags = Since(9) ? p_.I32(fi::kFeatureFlags) : (d.indexDivisor >= 1 ? 0x100 : 0);
    if (Since(9)) {
      d.maxAlternativeValue = p_.I32(fi::kMaxAlternativeValue);
    } else {
      d.maxAlternativeValue = -1;
      for (const Alternative& a : doc_.alternatives) d.maxAlternativeValue = std::max(d.maxAlternativeValue, a.value);
    }
    d.rowOrderThreshold = Since(9) ? p_.I32(fi::kRowOrderThreshold) : -1;
    d.allowCopyData = Since(9) ? p_.Flag(fi::kAllowCopyData) : false;
  }

  bool DerivedLists() {
    doc_.flexTotalQuestion = -1;
    int32_t maxAlternatives = 0;
    for (size_t i = 0; i < doc_.questions.size(); ++i) {
      const Question& q = doc_.questions[i];
      const auto index = static_cast<int32_t>(i);
      if (q.isOverviewQuestion) doc_.overviewQuestions.push_back(index);
      if (q.isDimension) {
        doc_.dimensions.push_back(index);
        maxAlternatives = std::max(maxAlternatives, doc_.AlternativeCount(index));
      }
      if (q.isFlexTotal && doc_.flexTotalQuestion < 0) doc_.flexTotalQuestion = index;
    }
    doc_.IndexBlockMembers();
    doc_.maxDimensionAlternatives = maxAlternatives;
    const size_t dimensions = doc_.dimensions.size();
    int64_t offered = 0;
    for (const int32_t d : doc_.dimensions) offered += doc_.AlternativeCount(d);
    if (!Within(static_cast<int64_t>(dimensions), limits::kMaxDimensions, limits::Limit::Dimensions) ||
        !Within(offered, limits::kMaxDimensionAlternatives, limits::Limit::DimensionAlternatives) ||
        !Within(static_cast<int64_t>(dimensions) * maxAlternatives, limits::kMaxDimensionCells,
                limits::Limit::DimensionCells))
      return false;
    doc_.dimensionFlags.assign(dimensions, false);
    // Every alternative run lies inside the alternative table (checked while
    // decoding), so this matrix is bounded by dimensions x alternatives.
    doc_.complementProtection.assign(dimensions * static_cast<size_t>(maxAlternatives), false);
    for (size_t d = 0; d < dimensions; ++d) {
      const int32_t question = doc_.dimensions[d];
      for (int32_t k = 0; k < doc_.AlternativeCount(question); ++k)
        if (const Alternative* alternative = doc_.AnswerAlternative(question, k))
          doc_.complementProtection[d * static_cast<size_t>(maxAlternatives) + static_cast<size_t>(k)] =
              alternative->complementProtected;
    }
    return true;
  }

  // The characters reachable through every text reference of the document
  // stay within the budget, however often one text is named.
  bool ReferencedText() {
    int64_t total = 0;
    const auto add = [&](TextRef ref) { total += doc_.GetText(ref).size(); };
    const DocumentInfo& d = doc_.info;
    for (const TextRef ref : {d.projectNumber, d.projectName, d.copyright, d.documentComment, d.language,
                              d.indexCaption, d.selectionTip, d.countTip, d.allRespondentsCaption, d.tooFewCaption})
      add(ref);
    for (const TextRef ref : d.indexLabels) add(ref);
    for (const Alternative& a : doc_.alternatives) {
      add(a.sheetLabel);
      add(a.name);
      add(a.selectionName);
    }
    for (const Question& q : doc_.questions) {
      add(q.sheetLabel);
      add(q.name);
      add(q.text);
      add(q.selectionName);
    }
    for (const RespondentComment& c : doc_.respondentComments) {
      add(c.comment);
      add(c.kept);
    }
    for (const Block& b : doc_.blocks) {
      add(b.sheetLabel);
      add(b.name);
      add(b.text2);
    }
    for (const TextRef ref : doc_.answerComments) add(ref);
    return Within(total, limits::kMaxReferencedCharacters, limits::Limit::ReferencedCharacters);
  }

  const ByteView& p_;
  int32_t revision_;
  SurveyDocument& doc_;
  const ReadOptions& options_;
  limits::Limit exceeded_ = limits::Limit::None;
};

// The outcome of decoding: an error, or the revisions.
struct ReadResult {
  LoadError error = LoadError::None;
  // With TooBig: the limit the file exceeds (None: the answer matrix).
  limits::Limit limit = limits::Limit::None;
  bool upgradeWarningDue = false;
  int32_t formatRevision = 0;
  int32_t compatibleRevision = 0;
};

ReadResult Decode(const QByteArray& bytes, SurveyDocument& document, const ReadOptions& options) {
  ReadResult result;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
  const int64_t fileLength = bytes.size();

  // The header; a file shorter than the header reads as zeros beyond its end.
  uint8_t header[format::kHeaderSize] = {};
  std::memcpy(header, data, static_cast<size_t>(std::min<int64_t>(fileLength, format::kHeaderSize)));
  const ByteView h(header, format::kHeaderSize);
  if (h.U32(0) != format::kMagic1 || h.U32(4) != format::kMagic2) return {LoadError::NotKvf};
  result.formatRevision = h.I32(8);
  result.compatibleRevision = h.I32(12);
  if (result.compatibleRevision < 1) return {LoadError::TooOld};
  if (result.compatibleRevision > format::kNewestRevision) return {LoadError::TooNew};
  const int32_t declaredLength = h.I32(16);
  const int32_t payloadLength = h.I32(20);
  const int32_t compressedLength = h.I32(24);
  const int32_t headerLength = h.I32(28);
  if (declaredLength != fileLength || headerLength < format::kHeaderSize || payloadLength < format::kInfoSize)
    return {LoadError::Damaged};
  result.upgradeWarningDue = result.formatRevision > format::kNewestRevision;

  // CRC-32 over the header bytes and the stored payload; the stored CRC follows.
  const ByteView file(data, fileLength);
  const bool compressed = compressedLength >= 1;
  const int64_t storedLength = compressed ? compressedLength : payloadLength;
  if (!file.Has(headerLength, storedLength + 4)) return {LoadError::Damaged};
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, data, static_cast<uInt>(headerLength));
  crc = crc32(crc, data + headerLength, static_cast<uInt>(storedLength));
  if (static_cast<uint32_t>(crc) != file.U32(headerLength + storedLength)) return {LoadError::Damaged};

  // The payload: decompressed into a buffer of the announced size, or the
  // stored bytes themselves.
  std::vector<uint8_t> inflated;
  const uint8_t* payloadData = data + headerLength;
  int64_t payloadSize = payloadLength;
  if (compressed) {
    if (static_cast<int64_t>(payloadLength) > storedLength * format::kMaxInflateRatio + 64)
      return {LoadError::Damaged};
    if (payloadLength > limits::kMaxPayloadBytes) {
      result.error = LoadError::TooBig;
      result.limit = limits::Limit::PayloadBytes;
      result.upgradeWarningDue = false;
      return result;
    }
    inflated.resize(static_cast<size_t>(payloadLength));
    uLongf produced = static_cast<uLongf>(payloadLength);
    if (uncompress(inflated.data(), &produced, data + headerLength, static_cast<uLong>(storedLength)) != Z_OK)
      return {LoadError::Damaged};
    payloadData = inflated.data();
    payloadSize = static_cast<int64_t>(produced);
    if (payloadSize < format::kInfoSize) return {LoadError::Damaged};
  }
  const ByteView payload(payloadData, payloadSize);

  const int64_t answers =
      static_cast<int64_t>(payload.I32(format::info::kRespondentCount)) * payload.I32(format::info::kMatrixQuestionCount);
  if (answers > format::kMaxAnswers) return {LoadError::TooBig};

  Decoder decoder(payload, result.formatRevision, document, options);
  result.error = decoder.Run();
  result.limit = decoder.Exceeded();
  if (result.error != LoadError::None) result.upgradeWarningDue = false;
  return result;
}

// A file over a limit: too big, with the message that names the limit.
Status LimitFailure(limits::Limit limit) {
  return Status::Failure(limits::LimitExceededText(limit), static_cast<int>(LoadError::TooBig));
}

}  // namespace

Result<KvfRevisions> DecodeKvf(const QByteArray& bytes, SurveyDocument& document, const ReadOptions& options) {
  const ReadResult result = Decode(bytes, document, options);
  if (result.limit != limits::Limit::None) return LimitFailure(result.limit);
  if (result.error != LoadError::None) return LoadFailure(result.error);
  return KvfRevisions{result.upgradeWarningDue, result.formatRevision, result.compatibleRevision};
}

Result<KvfRevisions> ReadKvfFile(const QString& path, SurveyDocument& document, const ReadOptions& options) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return LoadFailure(LoadError::CannotOpen);
  // FileLength is an int32: a larger file cannot match it.
  if (file.size() > std::numeric_limits<int32_t>::max()) return LoadFailure(LoadError::Damaged);
  if (file.size() > limits::kMaxFileBytes) return LimitFailure(limits::Limit::FileBytes);
  const QByteArray bytes = file.readAll();
  if (bytes.size() != file.size()) return LoadFailure(LoadError::CannotOpen);
  file.close();
  return DecodeKvf(bytes, document, options);
}

}  // namespace kvf
