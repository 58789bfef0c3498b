#pragma once
// Constants of the .kvf file format.
#include <cstdint>

#include "core/document/DocumentLimits.h"

namespace kvf::format {

inline constexpr uint32_t kMagic1 = 0x5A8BF098u;
inline constexpr uint32_t kMagic2 = 0x328E4451u;
inline constexpr int32_t kNewestRevision = 9;  // the newest revision this reader knows
inline constexpr int32_t kHeaderSize = 32;
inline constexpr int32_t kInfoSize = 288;      // 72 int32 slots
inline constexpr int64_t kMaxAnswers = limits::kMaxAnswers;

// Bytes read from the start of each record, whatever the stride.
inline constexpr int32_t kAlternativeSize = 40;
inline constexpr int32_t kQuestionSize = 68;
inline constexpr int32_t kCommentSize = 8;
inline constexpr int32_t kBlockSize = 40;
inline constexpr int32_t kBlockItemSize = 8;
inline constexpr int32_t kMinAnswerCommentWidth = 4;

// Deflate cannot expand data by more than this factor (a run of 258 bytes
// costs at least two bits); a larger announced payload cannot be genuine.
inline constexpr int64_t kMaxInflateRatio = 1032;

// Byte offsets of the fields of the information record.
namespace info {
inline constexpr int kGuid = 0;
inline constexpr int kStringsOffset = 16;
inline constexpr int kStringCount = 20;
inline constexpr int kAnswersOffset = 24;
inline constexpr int kAnswerWidth = 28;
inline constexpr int kRespondentCount = 32;
inline constexpr int kMatrixQuestionCount = 36;
inline constexpr int kAnswerTag = 40;
inline constexpr int kAlternativesOffset = 44;
inline constexpr int kQuestionsOffset = 56;
inline constexpr int kCommentsOffset = 68;
inline constexpr int kBlocksOffset = 80;
inline constexpr int kBlockItemsOffset = 92;
inline constexpr int kProjectNumber = 104;
inline constexpr int kProjectName = 108;
inline constexpr int kCopyright = 112;
inline constexpr int kDocumentComment = 116;
inline constexpr int kFileVersion = 120;
inline constexpr int kCreated = 132;
inline constexpr int kSecondDate = 140;
inline constexpr int kLanguage = 148;
inline constexpr int kAllowCopy = 152;
inline constexpr int kAllowPrint = 154;
inline constexpr int kAllowSave = 156;
inline constexpr int kIndexDivisor = 160;
inline constexpr int kIndexCaption = 164;
inline constexpr int kIndexLabel0 = 168;
inline constexpr int kIndexLabel1 = 172;
inline constexpr int kIndexLabel3 = 176;
inline constexpr int kIndexLabel4 = 180;
inline constexpr int kCountTip = 184;
inline constexpr int kSelectionTip = 188;
inline constexpr int kAllRespondentsCaption = 192;
inline constexpr int kMinimumSelection = 196;
inline constexpr int kMinimumGraphSelection = 200;
inline constexpr int kTooFewCaption = 204;
inline constexpr int kHasRespondentComments = 208;
inline constexpr int kHideFirstAlternative = 210;
inline constexpr int kSheetColor0 = 212;
inline constexpr int kSheetColor1 = 216;
inline constexpr int kLevelColors = 220;
inline constexpr int kIndexLabel2 = 236;
inline constexpr int kKept60 = 240;
inline constexpr int kAnswerCommentsOffset = 244;
inline constexpr int kAnswerCommentWidth = 248;
inline constexpr int kRowOrder = 252;
inline constexpr int kMinimumComplementSelection = 256;
inline constexpr int kTotalIndex = 260;
inline constexpr int kKept67 = 268;
inline constexpr int kFeatureFlags = 272;
inline constexpr int kMaxAlternativeValue = 276;
inline constexpr int kRowOrderThreshold = 280;
inline constexpr int kAllowCopyData = 284;
}  // namespace info

}  // namespace kvf::format
