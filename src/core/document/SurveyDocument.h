#pragma once
// The in-memory survey document: everything read from a .kvf file plus the
// user's blocks. At most one is open at a time (see DocumentSession).
//
// Every table is a 0-based vector. Texts are references into the string
// table, read through GetText; -1 or any other index outside the table reads
// as the empty text. Colours are Windows COLORREF values (0x00BBGGRR), -1 for
// none. Index values are doubles; exactly -1.0 means "no index".
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace kvf {

using TextRef = int32_t;
using Colour = int32_t;

inline constexpr double kNoIndex = -1.0;

struct Alternative {
  TextRef sheetLabel = -1;     // short text drawn centred in the sheet
  TextRef name = -1;           // text in lists (navigator, flex-total list)
  TextRef selectionName = -1;  // text used when a selection is described
  Colour backColor = -1;       // background in the sheet
  int32_t kept = 0;            // taken from the file, not used
  Colour graphColor = -1;      // colour in graphs
  int32_t value = -1;          // index weight; -1 = not counted
  bool complementProtected = false;
  bool isProtected = false;    // its count is subject to MinimumGraphSelection
  int32_t graphOptions = 0;
  int32_t graphValue = 0;
};

struct Question {
  TextRef sheetLabel = -1;
  TextRef name = -1;
  TextRef text = -1;
  TextRef selectionName = -1;
  bool isDimension = false;
  bool isOverviewQuestion = false;
  bool isFlexTotal = false;
  Colour backColor = -1;
  int32_t kept = 0;
  int32_t primaryBlock = -1;
  int32_t secondaryBlock = -1;
  double storedIndex = kNoIndex;  // index over all respondents, from the file
  double flexIndex = kNoIndex;    // index over the flex-total selection
  int32_t graphFlags = 0;         // bit 0 histogram, 1 graph, 2 ranking, 8 index graph
  bool inTotalIndex = false;
  int32_t rankingWeight = 1;
  int32_t firstAlternative = 0;   // index of alternative 0 in the alternative table
  int32_t alternativeCount = 0;
};

struct RespondentComment {
  TextRef comment = -1;
  TextRef kept = -1;
};

struct Block {
  TextRef sheetLabel = -1;
  TextRef name = -1;      // file blocks; user blocks carry userName instead
  QString userName;       // name of a user block, from the settings store
  TextRef text2 = -1;
  int32_t kept1 = 0;
  int32_t kept2 = 0;
  bool keptFlag = false;
  bool membersByQuestionField = false;
  double storedIndex = kNoIndex;
  double flexIndex = kNoIndex;
  int32_t blockLevel = -1;
  int32_t graphFlags = 3;
  bool fromFile = false;
  bool includeInCopy = true;
};

struct BlockItem {
  int32_t block = 0;
  int32_t question = 0;
};

struct DocumentInfo {
  std::array<uint8_t, 16> guid{};
  TextRef projectNumber = -1;
  TextRef projectName = -1;
  TextRef copyright = -1;
  TextRef documentComment = -1;
  std::array<int32_t, 3> fileVersion{};
  double created = 0.0;       // OLE Automation date, UTC
  double secondDate = 0.0;    // kept
  TextRef language = -1;
  QString languageCode;       // e.g. "sv"
  bool allowCopy = false;
  bool allowPrint = false;
  bool allowSave = false;
  bool allowCopyData = false;
  int32_t rowOrder = -1;           // -1 user selectable, 0 original, 1 random, 2 per column
  int32_t rowOrderThreshold = -1;  // RowOrder applies below this count; -1 always
  int32_t indexDivisor = 0;        // >= 1: the document has indexes
  int32_t maxAlternativeValue = -1;
  int32_t indexDecimals = 0;
  TextRef indexCaption = -1;
  std::array<TextRef, 5> indexLabels{-1, -1, -1, -1, -1};
  double totalIndex = kNoIndex;
  double currentTotalIndex = kNoIndex;
  int32_t kept60 = -1;
  int32_t kept67 = -1;
  TextRef selectionTip = -1;
  TextRef countTip = -1;
  TextRef allRespondentsCaption = -1;
  int32_t featureFlags = 0;        // 0x100: total index graph offered
  int32_t minimumSelection = 0;
  int32_t minimumComplementSelection = 0;
  int32_t minimumGraphSelection = 0;
  TextRef tooFewCaption = -1;
  bool hasRespondentComments = false;
  bool hideFirstAlternative = false;
  Colour sheetColor0 = -1;
  Colour sheetColor1 = -1;
  std::array<Colour, 4> levelColors{-1, -1, -1, -1};

  bool HasIndexes() const { return indexDivisor >= 1; }
};

// The answer matrix in the file's own layout: all answers to question 0,
// respondent by respondent, then question 1, and so on.
class AnswerMatrix {
 public:
  // Width 1: 8-bit unsigned, 2: 16-bit signed, 3: 32-bit signed; -1: none.
  int32_t Width() const { return width_; }
  int32_t RespondentCount() const { return respondents_; }
  int32_t QuestionCount() const { return questions_; }
  int32_t Tag() const { return tag_; }
  bool Present() const { return width_ >= 1; }
  static int ElementSize(int32_t width) { return width == 3 ? 4 : width; }

  // The answer of a respondent to a question. Returns 0 when there is no
  // matrix, and -1 (no alternative) for a cell outside a present matrix,
  // such as a question beyond the matrix's question count.
  int32_t Get(int32_t respondent, int32_t question) const;

  // Takes a matrix of respondents x questions elements of the given width,
  // stored question by question. REQUIRES: bytes.size() matches exactly.
  void Assign(int32_t width, int32_t respondents, int32_t questions, std::vector<uint8_t> bytes, int32_t tag);
  void Clear();

  // The raw elements of one question's column (RespondentCount() elements).
  const uint8_t* Column(int32_t question) const;

 private:
  int32_t width_ = -1;
  int32_t tag_ = 1;
  int32_t respondents_ = 0;
  int32_t questions_ = 0;
  std::vector<uint8_t> bytes_;
};

// File identity of the open document.
struct FileIdentity {
  QString documentPath;
  QString documentFileName;  // empty exactly when no document is open
  QString documentTitle;
  int32_t formatRevision = 0;
  int32_t compatibleRevision = 0;
};

struct SurveyDocument {
  DocumentInfo info;
  std::vector<QString> strings;
  AnswerMatrix answers;
  std::vector<Alternative> alternatives;
  std::vector<Question> questions;
  std::vector<RespondentComment> respondentComments;
  bool answerCommentsPresent = false;
  std::vector<TextRef> answerComments;  // [question * RespondentCount + respondent]
  std::vector<Block> blocks;            // file blocks first, then user blocks
  std::vector<BlockItem> blockItems;

  // Derived lists (filled by the loader).
  std::vector<int32_t> overviewQuestions;
  std::vector<int32_t> dimensions;
  int32_t maxDimensionAlternatives = 0;
  std::vector<bool> dimensionFlags;
  // [dimension * maxDimensionAlternatives + alternative position]
  std::vector<bool> complementProtection;
  int32_t flexTotalQuestion = -1;

  FileIdentity file;

  // The questions of a block: its block items (in block item order; a
  // question listed twice counts twice), or, when its members are named by
  // the questions' block fields, the overview questions whose primary block
  // is the block, else those whose secondary block is. Empty for a block
  // outside the table. Answered from an index built by IndexBlockMembers in
  // time linear in the tables; without a current index (blocks or items
  // changed since), worked out for the one block.
  std::vector<int32_t> BlockMembers(int32_t block) const;
  // Rebuilds the index of BlockMembers. Whoever changes blocks or block
  // items calls it (the loader, the user blocks' reader).
  void IndexBlockMembers();

  bool IsOpen() const { return !file.documentFileName.isEmpty(); }

  // The text of a reference; empty for -1 or any index outside the table.
  const QString& GetText(TextRef index) const;
  // The answer of a respondent to a question, widened to 32 bits.
  int32_t GetData(int32_t respondent, int32_t question) const { return answers.Get(respondent, question); }
  int32_t RespondentCount() const { return answers.RespondentCount(); }
  int32_t DimensionCount() const { return static_cast<int32_t>(dimensions.size()); }

  // The comment reference of a respondent to a question; -1 when there are
  // no answer comments or the cell is outside the matrix.
  TextRef AnswerComment(int32_t respondent, int32_t question) const;
  // Checked access to the question and alternative tables. Every reader of
  // a question's alternatives goes through these, so one rule decides which
  // answer names which alternative.
  //
  // The question at an index; null outside the table.
  const Question* QuestionAt(int32_t question) const;
  // A question's AlternativeCount; 0 for a negative count or a question
  // outside the table.
  int32_t AlternativeCount(int32_t question) const;
  // The alternative an answer names: null unless 0 <= answer <
  // AlternativeCount(question) and FirstAlternative + answer lies in the
  // alternative table.
  const Alternative* AnswerAlternative(int32_t question, int32_t answer) const;
  // The answer positions 0 .. n - 1 that can name an alternative: the
  // AlternativeCount, cut where the alternative table ends. Answers at or
  // beyond it name none (positions below it may still name none when
  // FirstAlternative is negative).
  int32_t AnswerPositionCount(int32_t question) const;
  // The name of a block: a file block's text or a user block's own name.
  QString BlockName(int32_t block) const;
  bool ComplementProtected(int32_t dimension, int32_t alternative) const;
  // The offered alternative positions of a question: 0 .. count - 1, or
  // 1 .. count - 1 when HideFirstAlternative is set.
  int32_t FirstOfferedAlternative() const { return info.hideFirstAlternative ? 1 : 0; }

  // Forgets everything: the model part of closing a document.
  void Reset();

 private:
  std::vector<std::vector<int32_t>> blockMembers_;
  size_t indexedBlocks_ = 0;
  size_t indexedItems_ = 0;
  bool membersIndexed_ = false;
};

// The registry form of a document GUID: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
// with upper-case digits (the first int32, the two int16, then the eight bytes).
QString GuidRegistryForm(const std::array<uint8_t, 16>& guid);

// Decimals shown for indexes, from the divisor: <10: 0, <100: 1, ... else 5.
int32_t IndexDecimalsForDivisor(int32_t divisor);

}  // namespace kvf
