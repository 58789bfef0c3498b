#include "core/blocks/BlockEditor.h"

#include <algorithm>

#include "core/document/DocumentLimits.h"
#include "core/indexes/IndexCalculation.h"
#include "core/settings/UserBlocks.h"

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }
QString Quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

void SortUnique(std::vector<int32_t>& list) {
  std::sort(list.begin(), list.end());
  list.erase(std::unique(list.begin(), list.end()), list.end());
}

Status Refuse(BiText text, BlockEditRefusal code) { return Status::Failure(std::move(text), code); }

}  // namespace

BiText AddBlockTitle() { return {S("Add Block"), S("Lägg till block")}; }
BiText RenameBlockTitle() { return {S("Rename Block"), S("Byt namn på block")}; }
BiText DeleteBlockTitle() { return {S("Delete Block"), S("Ta bort block")}; }
BiText DeleteBlockQuestion(const QString& name) {
  return {S("Block ") + Quoted(name) + S(" will be deleted!"), S("Block ") + Quoted(name) + S(" kommer att tas bort!")};
}

BlockEditor BlockEditor::Load(const SurveyDocument& document) {
  BlockEditor editor;
  editor.questionCount_ = static_cast<int32_t>(document.questions.size());
  const auto blockCount = static_cast<int32_t>(document.blocks.size());
  editor.entries_.reserve(document.blocks.size());
  editor.members_.resize(document.blocks.size());
  for (int32_t b = 0; b < blockCount; ++b) {
    const Block& block = document.blocks[static_cast<size_t>(b)];
    editor.entries_.push_back({kBlockExisting, document.BlockName(b), block.includeInCopy, block.fromFile, b});
  }
  auto byField = [&](int32_t b, bool primary) {
    if (b < 0 || b >= blockCount) return false;
    const Block& block = document.blocks[static_cast<size_t>(b)];
    return block.membersByQuestionField && (block.blockLevel == -1) == primary;
  };
  for (int32_t q = 0; q < editor.questionCount_; ++q) {
    const Question& question = document.questions[static_cast<size_t>(q)];
    if (byField(question.primaryBlock, true)) editor.members_[static_cast<size_t>(question.primaryBlock)].push_back(q);
    if (byField(question.secondaryBlock, false))
      editor.members_[static_cast<size_t>(question.secondaryBlock)].push_back(q);
  }
  for (const BlockItem& item : document.blockItems) {
    if (item.block < 0 || item.block >= blockCount || item.question < 0 || item.question >= editor.questionCount_)
      continue;
    if (document.blocks[static_cast<size_t>(item.block)].membersByQuestionField) continue;
    editor.members_[static_cast<size_t>(item.block)].push_back(item.question);
  }
  for (std::vector<int32_t>& list : editor.members_) SortUnique(list);
  return editor;
}

const std::vector<int32_t>& BlockEditor::Members(int32_t entry) const {
  static const std::vector<int32_t> none;
  return entry >= 0 && entry < EntryCount() ? members_[static_cast<size_t>(entry)] : none;
}

bool BlockEditor::IsMember(int32_t entry, int32_t question) const {
  const std::vector<int32_t>& list = Members(entry);
  return std::binary_search(list.begin(), list.end(), question);
}

int32_t BlockEditor::Find(const QString& name) const {
  for (int32_t k = 0; k < EntryCount(); ++k) {
    const BlockEntry& entry = entries_[static_cast<size_t>(k)];
    if (entry.state != kBlockDeleted && entry.name == name) return k;
  }
  return -1;
}

bool BlockEditor::NameTaken(const QString& name, int32_t except) const {
  for (int32_t k = 0; k < EntryCount(); ++k)
    if (k != except && entries_[static_cast<size_t>(k)].name.compare(name, Qt::CaseInsensitive) == 0) return true;
  return false;
}

Status BlockEditor::Editable(int32_t entry, const BiText& fileBlockRefusal) const {
  if (entry < 0 || entry >= EntryCount() || entries_[static_cast<size_t>(entry)].state == kBlockDeleted)
    return Refuse({S("There is no such block."), S("Det finns inget sådant block.")}, kBlockNotEditable);
  if (entries_[static_cast<size_t>(entry)].fromFile) return Refuse(fileBlockRefusal, kBlockFromFile);
  return Status::Ok();
}

Result<int32_t> BlockEditor::Add(const QString& name) {
  if (name.isEmpty()) return Refuse({S("A block needs a name."), S("Ett block måste ha ett namn.")}, kBlockNameEmpty);
  if (NameTaken(name, -1))
    return Refuse({S("There already exists a block with the name ") + Quoted(name) + S("!"),
                   S("Det finns redan ett block med namnet ") + Quoted(name) + S("!")},
                  kBlockNameTaken);
  // The settings store keeps at most kMaxUserBlocks user blocks per document.
  const auto userBlocks = std::count_if(entries_.begin(), entries_.end(),
                                        [](const BlockEntry& e) { return !e.fromFile && e.state != kBlockDeleted; });
  if (userBlocks >= kMaxUserBlocks || entries_.size() >= static_cast<size_t>(limits::kMaxBlocks))
    return Refuse({S("No more blocks can be added."), S("Det går inte att lägga till fler block.")}, kBlockTooMany);
  entries_.push_back({kBlockAdded, name, false, false, -1});
  members_.emplace_back();
  return EntryCount() - 1;
}

Status BlockEditor::Rename(int32_t entry, const QString& name) {
  if (Status editable = Editable(entry, {S("A block that comes with the document cannot be renamed."),
                                         S("Ett block som hör till dokumentet kan inte byta namn.")});
      !editable)
    return editable;
  const QString trimmed = name.trimmed();
  BlockEntry& renamed = entries_[static_cast<size_t>(entry)];
  if (trimmed.isEmpty() || trimmed == renamed.name) return Status::Ok();
  if (NameTaken(trimmed, entry))
    return Refuse({S("There already exists another block with the name ") + Quoted(trimmed) + S("!"),
                   S("Det finns redan ett annat block med namnet ") + Quoted(trimmed) + S("!")},
                  kBlockNameTaken);
  renamed.name = trimmed;
  return Status::Ok();
}

Status BlockEditor::Delete(int32_t entry) {
  if (Status editable = Editable(entry, {S("A block that comes with the document cannot be deleted."),
                                         S("Ett block som hör till dokumentet kan inte tas bort.")});
      !editable)
    return editable;
  if (entries_[static_cast<size_t>(entry)].state == kBlockAdded) {
    entries_.erase(entries_.begin() + entry);
    members_.erase(members_.begin() + entry);
  } else {
    entries_[static_cast<size_t>(entry)].state = kBlockDeleted;
  }
  return Status::Ok();
}

namespace {
BiText FileMembersRefusal() {
  return {S("The questions of a block that comes with the document cannot be changed."),
          S("Frågorna i ett block som hör till dokumentet kan inte ändras.")};
}
}  // namespace

Status BlockEditor::SetMember(int32_t entry, int32_t question, bool member) {
  if (Status editable = Editable(entry, FileMembersRefusal()); !editable) return editable;
  if (question < 0 || question >= questionCount_)
    return Refuse({S("There is no such question."), S("Det finns ingen sådan fråga.")}, kBlockBadQuestion);
  std::vector<int32_t>& list = members_[static_cast<size_t>(entry)];
  const auto at = std::lower_bound(list.begin(), list.end(), question);
  const bool present = at != list.end() && *at == question;
  if (member && !present) list.insert(at, question);
  if (!member && present) list.erase(at);
  return Status::Ok();
}

Status BlockEditor::SetMembers(int32_t entry, std::vector<int32_t> questions) {
  if (Status editable = Editable(entry, FileMembersRefusal()); !editable) return editable;
  for (const int32_t question : questions)
    if (question < 0 || question >= questionCount_)
      return Refuse({S("There is no such question."), S("Det finns ingen sådan fråga.")}, kBlockBadQuestion);
  SortUnique(questions);
  members_[static_cast<size_t>(entry)] = std::move(questions);
  return Status::Ok();
}

Status BlockEditor::SetIncludeInCopy(int32_t entry, bool include) {
  if (entry < 0 || entry >= EntryCount() || entries_[static_cast<size_t>(entry)].state == kBlockDeleted)
    return Refuse({S("There is no such block."), S("Det finns inget sådant block.")}, kBlockNotEditable);
  entries_[static_cast<size_t>(entry)].includeInCopy = include;
  return Status::Ok();
}

Status BlockEditor::Commit(SurveyDocument& document, const std::vector<int32_t>& flexTotalRespondents) const {
  std::vector<Block> blocks;
  std::vector<BlockItem> items;
  int64_t itemCount = 0;
  for (size_t k = 0; k < entries_.size(); ++k) {
    const BlockEntry& entry = entries_[k];
    if (entry.state == kBlockDeleted) continue;
    Block block;
    if (entry.fromFile && entry.block >= 0 && static_cast<size_t>(entry.block) < document.blocks.size()) {
      block = document.blocks[static_cast<size_t>(entry.block)];
    } else {
      block.userName = entry.name;
      block.membersByQuestionField = false;
      block.fromFile = false;
      block.blockLevel = -1;
      block.storedIndex = kNoIndex;
      block.flexIndex = kNoIndex;
      block.graphFlags = 0;
      for (const int32_t q : members_[k])
        if (const Question* question = document.QuestionAt(q)) block.graphFlags |= question->graphFlags;
    }
    block.includeInCopy = entry.includeInCopy;
    if (!block.membersByQuestionField) itemCount += static_cast<int64_t>(members_[k].size());
    blocks.push_back(std::move(block));
  }
  if (itemCount > limits::kMaxBlockItems)
    return Refuse({S("The blocks have too many questions together."), S("Blocken har för många frågor tillsammans.")},
                  kBlockTooMany);
  items.reserve(static_cast<size_t>(itemCount));
  int32_t position = 0;
  for (size_t k = 0; k < entries_.size(); ++k) {
    if (entries_[k].state == kBlockDeleted) continue;
    if (!blocks[static_cast<size_t>(position)].membersByQuestionField)
      for (const int32_t q : members_[k]) items.push_back({position, q});
    ++position;
  }
  document.blocks = std::move(blocks);
  document.blockItems = std::move(items);
  document.IndexBlockMembers();
  UpdateUserBlockIndexes(document, flexTotalRespondents);
  return Status::Ok();
}

}  // namespace kvf
