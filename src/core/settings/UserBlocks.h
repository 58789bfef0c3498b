#pragma once
// The user's blocks of a document and the "include in copy" choice of every
// block, kept per document below "Documents\<GUID>":
//   "Block Items"            DWORD   total number of blocks (file + user)
//   "Block NNN" (000, 001..) key     per block:
//     "Include In Copy"        flag    every block
//     "Name"                   string  user blocks
//     "Included Data Headers"  string  user blocks: member question indexes, "3|7|12"
#include <QString>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramKey.h"

namespace kvf {

// At most this many user blocks are read for one document, whatever
// "Block Items" says (a damaged or hand-edited count must not exhaust memory).
inline constexpr int32_t kMaxUserBlocks = 10000;

// "Software\Brennvik AB\KVF Viewer\Documents\{GUID}".
QString DocumentKeyPath(const SurveyDocument& document);
// "Block " + the number formatted "000".
QString BlockKeyName(int32_t block);

// The question indexes of an "Included Data Headers" text: the pieces between
// "|", each a number rounded to an integer (halves to even). Pieces that are
// empty or not numbers, indexes outside 0 .. questionCount - 1 and repeats
// are left out.
std::vector<int32_t> ParseIncludedDataHeaders(const QString& text, int32_t questionCount);
// The indexes in ascending order, joined by "|" ("" for none).
QString FormatIncludedDataHeaders(std::vector<int32_t> questions);

// Reads the user blocks while a document loads. The store must outlive the
// source; the source holds no other state.
class RegistryUserBlockSource : public UserBlockSource {
 public:
  explicit RegistryUserBlockSource(platform::RegistryStore& store) : store_(store) {}

  // Opens the document's key read-only (nothing happens when it is missing).
  // "Block Items" N (0 when missing): when N exceeds the blocks from the
  // file, N - count user blocks are appended (empty name, BlockLevel -1,
  // GraphFlags 3, no index, IncludeInCopy true). Then for each block below N
  // whose key exists: a file block reads "Include In Copy"; a user block
  // reads "Name", "Include In Copy" and "Included Data Headers" (appending
  // its block items). A missing value leaves the field as it was.
  void ReadUserBlocks(SurveyDocument& document) override;

 private:
  platform::RegistryStore& store_;
};

// Writes the block definitions of the document's current block table:
// every block's key ("Include In Copy"; user blocks also "Name" and
// "Included Data Headers"), removes the keys of former blocks numbered from
// the new count up to the old "Block Items", and writes "Block Items".
// Skipped under NoSaveSettings; nothing is written when the document's key
// cannot be opened. False when skipped or refused.
bool WriteBlockDefinitions(platform::RegistryStore& store, const Policies& policies, const SurveyDocument& document);

}  // namespace kvf
