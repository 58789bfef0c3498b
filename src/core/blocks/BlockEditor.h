#pragma once
// The block editor's working copy: every block of the document (file blocks
// first, then user blocks), then the blocks added while editing, each with
// its name, "include in copy" flag and member questions. All editing
// happens here; Commit writes the result into the document's block tables
// (and the settings store), discarding the editor is a cancel.
//
// Every operation returns a Status: a refusal carries the text the user
// reads and a BlockEditRefusal code, and leaves the working copy unchanged.
//
//   BlockEditor editor = BlockEditor::Load(document);
//   Result<int32_t> added = editor.Add("Mine");            // a new entry
//   editor.SetMember(*added, 3, true);
//   editor.Commit(document, flexTotalRespondents);          // then write
#include <QString>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/text/BiText.h"
#include "core/text/Result.h"

namespace kvf {

// Entry states.
inline constexpr int32_t kBlockExisting = 0;
inline constexpr int32_t kBlockAdded = 1;
inline constexpr int32_t kBlockDeleted = 3;

// Codes of refused edits.
enum BlockEditRefusal : int {
  kBlockNameTaken = 1,    // another entry has the name (case ignored)
  kBlockFromFile = 2,     // a file block keeps its name, existence and members
  kBlockNameEmpty = 3,    // Add needs a name
  kBlockNotEditable = 4,  // the entry does not exist or is deleted
  kBlockBadQuestion = 5,  // a member outside the question table
  kBlockTooMany = 6,      // beyond what the tables and the settings store hold
};

struct BlockEntry {
  int32_t state = kBlockExisting;
  QString name;
  bool includeInCopy = false;
  bool fromFile = false;
  int32_t block = -1;  // its position in the document's block table; -1 when added
};

// The captions of the editor's boxes and the refusal texts (name shown
// between double quotes as given).
BiText AddBlockTitle();
BiText RenameBlockTitle();
BiText DeleteBlockTitle();
BiText DeleteBlockQuestion(const QString& name);

class BlockEditor {
 public:
  // The working copy of the document's blocks. A block whose members are
  // named by the questions' block fields has as members the questions whose
  // PrimaryBlock is the block (BlockLevel -1) or whose SecondaryBlock is
  // (any other BlockLevel); any other block has the questions of its block
  // items. Linear in the tables.
  static BlockEditor Load(const SurveyDocument& document);

  const std::vector<BlockEntry>& Entries() const { return entries_; }
  int32_t EntryCount() const { return static_cast<int32_t>(entries_.size()); }
  // The member questions of an entry, ascending; empty outside the table.
  const std::vector<int32_t>& Members(int32_t entry) const;
  bool IsMember(int32_t entry, int32_t question) const;
  // The first entry that is not deleted whose name equals name exactly; -1
  // when none.
  int32_t Find(const QString& name) const;

  // Appends a user block with the name as given (no members, not included
  // in copy) and returns its entry. Refused when the name is empty or when
  // any entry (deleted ones included) has it, case ignored.
  Result<int32_t> Add(const QString& name);
  // Renames a user block to the trimmed name. An empty result or the
  // current name exactly does nothing; any other entry's name (case
  // ignored) is refused.
  Status Rename(int32_t entry, const QString& name);
  // An added entry goes; an existing one is marked deleted (its name stays
  // taken). File blocks are refused.
  Status Delete(int32_t entry);
  // Checks or unchecks a question of a user block.
  Status SetMember(int32_t entry, int32_t question, bool member);
  // Replaces the member questions of a user block (order and repeats do
  // not matter).
  Status SetMembers(int32_t entry, std::vector<int32_t> questions);
  Status SetIncludeInCopy(int32_t entry, bool include);

  // Builds the new block table and block items from the working copy: the
  // entries not deleted in working order; file blocks keep their record and
  // take IncludeInCopy; user blocks are rebuilt (their name, no file
  // membership, GraphFlags the OR of their members' GraphFlags, BlockLevel
  // -1, no indexes). Every block not named by question fields gets one item
  // per member, block by block, each in question order. With indexes the
  // user blocks' StoredIndex and FlexIndex are computed (the flex index over
  // flexTotalRespondents). Refused only when the items exceed the
  // document's limit; the document is then unchanged. The caller writes the
  // block definitions (WriteBlockDefinitions) unless saving is off.
  // REQUIRES: document is the one the editor was loaded from.
  Status Commit(SurveyDocument& document, const std::vector<int32_t>& flexTotalRespondents) const;

 private:
  // Ok when the entry exists, is not deleted and is a user block.
  Status Editable(int32_t entry, const BiText& fileBlockRefusal) const;
  bool NameTaken(const QString& name, int32_t except) const;

  int32_t questionCount_ = 0;
  std::vector<BlockEntry> entries_;
  std::vector<std::vector<int32_t>> members_;  // per entry, ascending
};

}  // namespace kvf
