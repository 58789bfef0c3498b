#pragma once
// A .kvf document described at the level of its bytes: header fields,
// information record slots, string table and record sections. WriteKvf
// turns a description into a file; every field is written as given, so
// tests can build valid documents of any revision and damage them on
// purpose.
//
// Defaults: a default-constructed description is a valid, empty revision-9
// document. Every std::optional member left empty is computed from the
// content (offsets, counts, strides, lengths, CRC); setting one writes that
// value instead, whatever the content says. Fields that older revisions do
// not define are still written as given (a reader of that revision simply
// ignores their bytes).
#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kvf::writer {

inline constexpr int16_t kTrue = -1;  // how writers store a true flag
inline constexpr int16_t kFalse = 0;
inline constexpr int32_t kNone = -1;  // no text, no colour, no block
inline constexpr double kNoIndex = -1.0;

inline constexpr uint32_t kMagic1 = 0x5A8BF098u;
inline constexpr uint32_t kMagic2 = 0x328E4451u;
inline constexpr int32_t kFileHeaderSize = 32;
inline constexpr int32_t kInfoSize = 288;
inline constexpr int32_t kAlternativeRecordSize = 40;
inline constexpr int32_t kQuestionRecordSize = 68;
inline constexpr int32_t kCommentRecordSize = 8;
inline constexpr int32_t kBlockRecordSize = 40;
inline constexpr int32_t kBlockItemRecordSize = 8;

// The 32-byte file header. Lengths, magic numbers and the CRC are computed
// unless overridden.
struct HeaderFields {
  int32_t formatRevision = 9;
  int32_t compatibleRevision = 9;
  std::optional<uint32_t> magic1;
  std::optional<uint32_t> magic2;
  std::optional<int32_t> fileLength;
  std::optional<int32_t> payloadLength;
  std::optional<int32_t> compressedLength;  // written as given; 0 also when stored
  std::optional<int32_t> headerLength;
  std::optional<uint32_t> crc;  // the 4 bytes after the stored payload
};

// The 72 slots of the information record, in slot order. Text references
// are indexes into KvfDescription::strings (-1 = none).
struct InfoFields {
  std::array<uint8_t, 16> guid{};                                  // slots 0-3, raw bytes
  std::optional<int32_t> stringsOffset;                            // 4
  std::optional<int32_t> stringCount;                              // 5
  std::optional<int32_t> answersOffset;                            // 6
  std::optional<int32_t> answerWidth;                              // 7 (default: KvfDescription::answerWidth)
  std::optional<int32_t> respondentCount;                          // 8
  std::optional<int32_t> matrixQuestionCount;                      // 9
  int32_t answerTag = 1;                                           // 10, kept
  std::optional<int32_t> alternativesOffset;                       // 11
  std::optional<int32_t> alternativeStride;                        // 12
  std::optional<int32_t> alternativeCount;                         // 13
  std::optional<int32_t> questionsOffset;                          // 14
  std::optional<int32_t> questionStride;                           // 15
  std::optional<int32_t> questionCount;                            // 16
  std::optional<int32_t> commentsOffset;                           // 17
  std::optional<int32_t> commentStride;                            // 18
  std::optional<int32_t> commentCount;                             // 19
  std::optional<int32_t> blocksOffset;                             // 20
  std::optional<int32_t> blockStride;                              // 21
  std::optional<int32_t> blockCount;                               // 22
  std::optional<int32_t> blockItemsOffset;                         // 23
  std::optional<int32_t> blockItemStride;                          // 24
  std::optional<int32_t> blockItemCount;                           // 25
  int32_t projectNumber = kNone;                                   // 26
  int32_t projectName = kNone;                                     // 27
  int32_t copyright = kNone;                                       // 28
  int32_t documentComment = kNone;                                 // 29
  std::array<int32_t, 3> fileVersion{0, 0, 0};                     // 30-32
  double created = 0.0;                                            // 33-34, OLE date
  double secondDate = 0.0;                                         // 35-36, kept
  int32_t language = kNone;                                        // 37
  int16_t allowCopy = kFalse;                                      // 38 low half
  int16_t allowPrint = kFalse;                                     // 38 high half
  int16_t allowSave = kFalse;                                      // 39 low half
  int16_t slot39High = 0;                                          // 39 high half, unused
  int32_t indexDivisor = 0;                                        // 40
  int32_t indexCaption = kNone;                                    // 41
  int32_t indexLabel0 = kNone;                                     // 42
  int32_t indexLabel1 = kNone;                                     // 43
  int32_t indexLabel3 = kNone;                                     // 44
  int32_t indexLabel4 = kNone;                                     // 45
  int32_t countTip = kNone;                                        // 46
  int32_t selectionTip = kNone;                                    // 47
  int32_t allRespondentsCaption = kNone;                           // 48
  int32_t minimumSelection = 0;                                    // 49
  int32_t minimumGraphSelection = 0;                               // 50
  int32_t tooFewCaption = kNone;                                   // 51
  int16_t hasRespondentComments = kFalse;                          // 52 low half
  int16_t hideFirstAlternative = kFalse;                           // 52 high half
  int32_t sheetColor0 = kNone;                                     // 53
  int32_t sheetColor1 = kNone;                                     // 54
  std::array<int32_t, 4> levelColors{kNone, kNone, kNone, kNone};  // 55-58
  int32_t indexLabel2 = kNone;                                     // 59
  int32_t kept60 = kNone;                                          // 60
  std::optional<int32_t> answerCommentsOffset;                     // 61
  std::optional<int32_t> answerCommentWidth;                       // 62 (default: Layout::answerCommentWidth)
  int32_t rowOrder = -1;                                           // 63
  int32_t minimumComplementSelection = 0;                          // 64
  double totalIndex = kNoIndex;                                    // 65-66
  int32_t kept67 = kNone;                                          // 67
  int32_t featureFlags = 0;                                        // 68
  std::optional<int32_t> maxAlternativeValue;                      // 69 (default: largest Value, from -1)
  int32_t rowOrderThreshold = -1;                                  // 70
  int16_t allowCopyData = kFalse;                                  // 71 low half
  int16_t slot71High = 0;                                          // 71 high half, unused
};

// One entry of the string table. The length written is the text's length in
// UTF-16 code units unless lengthOverride is set (e.g. negative, or longer
// than the text so the entry reaches past the payload).
struct StringEntry {
  StringEntry() = default;
  StringEntry(const QString& t) : text(t) {}                  // NOLINT: implicit on purpose
  StringEntry(const char* t) : text(QString::fromUtf8(t)) {}  // NOLINT
  QString text;
  std::optional<int32_t> lengthOverride;
};

struct AlternativeRecord {
  int32_t sheetLabel = kNone;
  int32_t name = kNone;
  int32_t selectionName = kNone;
  int32_t backColor = kNone;
  int32_t kept16 = 0;
  int32_t value = -1;
  int16_t complementProtected = kFalse;
  int16_t protectedFlag = kFalse;
  int32_t graphOptions = 0;    // revision 3
  int32_t graphValue = -1;     // revision 3
  int32_t graphColor = kNone;  // revision 7
};

struct QuestionRecord {
  int32_t sheetLabel = kNone;
  int32_t name = kNone;
  int32_t text = kNone;
  int32_t selectionName = kNone;
  int32_t backColor = kNone;
  int32_t kept20 = 0;
  int32_t primaryBlock = kNone;
  int32_t firstAlternative = 0;
  int32_t alternativeCount = 0;
  int16_t isDimension = kFalse;
  int16_t isOverviewQuestion = kFalse;
  double storedIndex = kNoIndex;
  int16_t inTotalIndex = kFalse;
  int16_t pad50 = 0;
  int32_t secondaryBlock = kNone;  // revision 2
  int16_t isFlexTotal = kFalse;    // revision 6
  int16_t pad58 = 0;
  int32_t graphFlags = 3;     // revision 8
  int32_t rankingWeight = 1;  // revision 8
};

struct RespondentCommentRecord {
  int32_t comment = kNone;
  int32_t kept = kNone;  // revision 4
};

struct BlockRecord {
  int32_t sheetLabel = kNone;
  int32_t name = kNone;
  int32_t text2 = kNone;
  int32_t kept12 = 0;
  int32_t kept16 = 0;
  int16_t kept20 = 0;
  int16_t membersByQuestionField = kFalse;
  double storedIndex = kNoIndex;
  int32_t blockLevel = -1;  // revision 2
  int32_t graphFlags = 3;   // revision 8
};

struct BlockItemRecord {
  int32_t block = 0;
  int32_t question = 0;
};

// The payload's sections.
enum class Section {
  Strings,
  Answers,
  Alternatives,
  Questions,
  RespondentComments,
  AnswerComments,
  Blocks,
  BlockItems
};

// Where and how the sections are laid out in the payload. This is about the
// bytes written; what the information record says about them can be
// overridden separately in InfoFields.
struct Layout {
  // Sections in payload order after the information record. A section not
  // listed is not written and its offset slot is 0 (its count, stride and
  // matrix size slots still follow the content). An empty section is not
  // written either (offset 0, count 0).
  std::vector<Section> order{
      Section::Strings,        Section::Answers, Section::Alternatives, Section::Questions, Section::RespondentComments,
      Section::AnswerComments, Section::Blocks,  Section::BlockItems};
  // Bytes from one record's start to the next; values below the record
  // size are raised to it. The extra bytes are filled with fillByte.
  int32_t alternativeStride = kAlternativeRecordSize;
  int32_t questionStride = kQuestionRecordSize;
  int32_t commentStride = kCommentRecordSize;
  int32_t blockStride = kBlockRecordSize;
  int32_t blockItemStride = kBlockItemRecordSize;
  // Bytes per answer comment element; values below 4 are raised to 4. The
  // bytes after the leading text reference are filled with fillByte.
  int32_t answerCommentWidth = 4;
  int32_t gapBetweenSections = 0;  // filler bytes before every section
  uint8_t fillByte = 0;
  QByteArray payloadTail;  // appended after the last section
};

// Which library compresses the payload: both write zlib streams, with
// other bytes. libdeflate takes levels 1 to 12 and is much faster.
enum class Deflater { Zlib, Libdeflate };

struct KvfDescription {
  HeaderFields header;
  QByteArray extraHeaderBytes;  // between the 32-byte header and the stored payload
  bool compress = true;
  int compressionLevel = 6;  // zlib level when compressed
  Deflater deflater = Deflater::Zlib;
  InfoFields info;
  std::vector<StringEntry> strings;
  // 1: 8-bit unsigned, 2: int16, 3: int32 elements.
  int32_t answerWidth = 1;
  // [question][respondent]; the respondent count is the first row's size.
  // Short rows are padded with 0; values are truncated to the width.
  std::vector<std::vector<int32_t>> answers;
  std::vector<AlternativeRecord> alternatives;
  std::vector<QuestionRecord> questions;
  std::vector<RespondentCommentRecord> respondentComments;
  // [question][respondent] text references, the same shape as answers;
  // missing entries are -1. Written only when not empty.
  std::vector<std::vector<int32_t>> answerComments;
  std::vector<BlockRecord> blocks;
  std::vector<BlockItemRecord> blockItems;
  Layout layout;
};

}  // namespace kvf::writer
