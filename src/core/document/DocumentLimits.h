#pragma once
// The limits of a document this program opens. No real survey comes near
// them; they exist so that a small hostile file can never make the program
// allocate or work without bound: every size and count read from a file is
// checked against them before anything is sized from it, and products of
// two counts are bounded as well. Together they keep the memory of an open
// document well under 1 GB.
//
// The importer uses the same constants, so it never writes a document that
// this program refuses.
#include <cstdint>

#include "core/text/BiText.h"

namespace kvf::limits {

// The answer matrix: respondents x matrix questions.
inline constexpr int64_t kMaxAnswers = 1000000;
// Bytes of the file, and of its payload once decompressed.
inline constexpr int64_t kMaxFileBytes = 128LL * 1024 * 1024;
inline constexpr int64_t kMaxPayloadBytes = 128LL * 1024 * 1024;
// Entries of the tables.
inline constexpr int64_t kMaxStrings = 4000000;
inline constexpr int64_t kMaxAlternatives = 1000000;
inline constexpr int64_t kMaxQuestions = 100000;
inline constexpr int64_t kMaxAlternativesPerQuestion = 65535;
// Alternatives of all questions together (questions may share a run, so
// this bounds the work per question and alternative, not the table).
inline constexpr int64_t kMaxQuestionAlternatives = 2000000;
inline constexpr int64_t kMaxRespondentComments = 1000000;
inline constexpr int64_t kMaxBlocks = 100000;
inline constexpr int64_t kMaxBlockItems = 1000000;
// Dimensions (background questions), the alternatives they offer together
// (entries of the navigator), and dimensions x the largest of them (the
// tables of counts, filters and protection).
inline constexpr int64_t kMaxDimensions = 1000;
inline constexpr int64_t kMaxDimensionAlternatives = 20000;
inline constexpr int64_t kMaxDimensionCells = 1000000;
// Characters of text reachable through all text references together: a
// text named a million times counts a million times, since every copy and
// dump prints it each time.
inline constexpr int64_t kMaxReferencedCharacters = 64LL * 1024 * 1024;

// What a limit counts, for the message that names it.
enum class Limit {
  None,
  FileBytes,
  PayloadBytes,
  Strings,
  Alternatives,
  Questions,
  AlternativesPerQuestion,
  QuestionAlternatives,
  RespondentComments,
  Blocks,
  BlockItems,
  Dimensions,
  DimensionAlternatives,
  DimensionCells,
  ReferencedCharacters,
};

// The message for a file over a limit: "This KVF file exceeds a limit of
// KVF Viewer: more than <n> <what>." in both languages.
BiText LimitExceededText(Limit limit);

}  // namespace kvf::limits
