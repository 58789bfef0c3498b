#include "core/blocks/BlockEditor.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/fixtures/SurveyRecipe.h"
#include "core/indexes/IndexCalculation.h"
#include "core/settings/UserBlocks.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf {
namespace {

using Items = std::vector<std::pair<int32_t, int32_t>>;

// Six valued questions (GraphFlags 1, 2, 4, 8, 16, 32); file block 0 "Base"
// with items 3, 1, 1; file block 1 "Field" named by question fields (q2's
// primary block, q4's secondary block, which does not count at level -1);
// then the user block "Mine" with q0 and q5.
SurveyDocument Document() {
  testing::SurveyRecipe recipe;
  for (int i = 0; i < 16; ++i) recipe.Info().guid[static_cast<size_t>(i)] = static_cast<uint8_t>(0x10 + i);
  for (int q = 0; q < 6; ++q) {
    testing::TestQuestion question = testing::ValuedQuestion(QStringLiteral("Q%1").arg(q), {1, 2}, {0, 1, 1, q % 2});
    question.graphFlags = 1 << q;
    recipe.Add(question);
  }
  recipe.QuestionAt(2).primaryBlock = 1;
  recipe.QuestionAt(4).secondaryBlock = 1;
  recipe.AddBlock(QStringLiteral("Base"), false);
  recipe.AddBlock(QStringLiteral("Field"), true);
  for (int32_t q : {3, 1, 1}) recipe.AddBlockItem(0, q);
  SurveyDocument document = recipe.Load();
  Block mine;
  mine.userName = QStringLiteral("Mine");
  document.blocks.push_back(mine);
  document.blockItems.push_back({2, 5});
  document.blockItems.push_back({2, 0});
  document.IndexBlockMembers();
  return document;
}

Items ItemsOf(const SurveyDocument& document) {
  Items items;
  for (const BlockItem& item : document.blockItems) items.emplace_back(item.block, item.question);
  return items;
}

TEST(BlockEditorTest, NamesAndRefusals) {
  BlockEditor editor = BlockEditor::Load(Document());
  const auto code = [](const Status& status) { return status.Code(); };
  const auto name = [&](int32_t entry) { return editor.Entries()[static_cast<size_t>(entry)].name; };
  // Add: case ignored, blanks kept, empty refused.
  const BiText taken = editor.Add(QStringLiteral("mINE")).Error().Message();
  EXPECT_EQ(std::make_pair(taken.english, taken.swedish),
            std::make_pair(QStringLiteral("There already exists a block with the name \"mINE\"!"),
                           QStringLiteral("Det finns redan ett block med namnet \"mINE\"!")));
  EXPECT_EQ(code(editor.Add(QString()).Error()), kBlockNameEmpty);
  const int32_t padded = editor.Add(QStringLiteral("  pad  ")).Value();
  EXPECT_EQ(name(padded), QStringLiteral("  pad  "));
  // Rename: trimmed, own name in another case allowed, blanks ignored, others' refused (trimmed name).
  EXPECT_TRUE(editor.Rename(padded, QStringLiteral("  Pad2 ")) && name(padded) == QStringLiteral("Pad2"));
  EXPECT_TRUE(editor.Rename(padded, QStringLiteral("PAD2")) && editor.Rename(padded, QStringLiteral("   ")));
  EXPECT_EQ(name(padded), QStringLiteral("PAD2"));
  EXPECT_EQ(editor.Rename(padded, QStringLiteral(" base ")).Message().english,
            QStringLiteral("There already exists another block with the name \"base\"!"));
  // File blocks only change Include In Copy.
  EXPECT_EQ(std::make_tuple(code(editor.Rename(0, QStringLiteral("X"))), code(editor.Delete(1)),
                            code(editor.SetMember(0, 2, true)), code(editor.SetIncludeInCopy(0, false))),
            std::make_tuple(kBlockFromFile, kBlockFromFile, kBlockFromFile, 0));
  // A deleted block's name stays taken; an added and deleted one leaves no trace.
  EXPECT_TRUE(editor.Delete(2));
  EXPECT_EQ(std::make_tuple(editor.Entries()[2].state, editor.Find(QStringLiteral("Mine")),
                            code(editor.Add(QStringLiteral("mine")).Error()), code(editor.Delete(2))),
            std::make_tuple(kBlockDeleted, -1, int(kBlockNameTaken), int(kBlockNotEditable)));
  EXPECT_TRUE(editor.Delete(padded));
  EXPECT_EQ(editor.EntryCount(), 3);
}

TEST(BlockEditorTest, CommitRebuildsTheTables) {
  SurveyDocument document = Document();
  BlockEditor editor = BlockEditor::Load(document);
  // Load: items sorted with repeats collapsed; a field block's primary block at level -1.
  EXPECT_EQ(std::make_tuple(editor.Members(0), editor.Members(1), editor.Members(2)),
            std::make_tuple(std::vector<int32_t>{1, 3}, std::vector<int32_t>{2}, std::vector<int32_t>{0, 5}));
  const int32_t empty = editor.Add(QStringLiteral("Empty")).Value();
  const int32_t pair = editor.Add(QStringLiteral("Pair")).Value();
  ASSERT_TRUE(editor.SetMembers(pair, {4, 1, 4}));
  ASSERT_TRUE(editor.SetMember(pair, 3, true) && editor.SetMember(pair, 4, false));
  ASSERT_TRUE(editor.SetIncludeInCopy(pair, true) && editor.SetIncludeInCopy(0, false));
  ASSERT_TRUE(editor.Delete(2));
  ASSERT_EQ(empty, 3);
  const std::vector<int32_t> flex = {0, 2};
  ASSERT_TRUE(editor.Commit(document, flex));

  ASSERT_EQ(document.blocks.size(), 4u);
  EXPECT_FALSE(document.blocks[0].includeInCopy);
  EXPECT_TRUE(document.blocks[1].fromFile && document.blocks[1].membersByQuestionField);
  const Block& none = document.blocks[2];
  const Block& two = document.blocks[3];
  EXPECT_EQ(std::make_tuple(none.userName, none.graphFlags, none.includeInCopy, none.blockLevel),
            std::make_tuple(QStringLiteral("Empty"), 0, false, -1));
  EXPECT_EQ(std::make_tuple(two.userName, two.graphFlags, two.includeInCopy, two.fromFile),
            std::make_tuple(QStringLiteral("Pair"), 2 | 8, true, false));
  // File block items rebuilt in question order, then each user block's.
  EXPECT_EQ(ItemsOf(document), (Items{{0, 1}, {0, 3}, {3, 1}, {3, 3}}));
  // Indexes of user blocks recomputed for their new position.
  EXPECT_EQ(two.storedIndex, CalculateBlockTotalIndex(document, 3));
  EXPECT_EQ(two.flexIndex, CalculateBlockFlexTotalIndex(document, 3, flex));
  EXPECT_NE(two.storedIndex, two.flexIndex);
  EXPECT_EQ(none.storedIndex, kNoIndex);
}

TEST(BlockEditorTest, SettingsRoundTripKeepsAnyName) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("settings.reg"));
  const QStringList names = {QStringLiteral(" blank "), QStringLiteral("quote \" and \\ back\\slash\\"),
                             QStringLiteral("Ωμέγα 日本 😀"), QStringLiteral("=[x];@")};
  const SurveyDocument original = Document();
  for (const bool second : {false, true}) {
    // First the names are added after "Mine"; then "Mine" is deleted.
    SurveyDocument document = original;
    platform::FileRegistryStore store(file);
    if (second) {
      document.blocks.resize(2);
      document.blockItems.resize(3);  // the file's own
      RegistryUserBlockSource(store).ReadUserBlocks(document);
    }
    BlockEditor editor = BlockEditor::Load(document);
    for (int k = 0; !second && k < names.size(); ++k)
      ASSERT_TRUE(editor.SetMembers(editor.Add(names[k]).Value(), {k, 5}));
    if (second) {
      ASSERT_TRUE(editor.Delete(2));
    }
    ASSERT_TRUE(editor.Commit(document, {}));
    ASSERT_TRUE(WriteBlockDefinitions(store, {}, document));
  }
  platform::FileRegistryStore store(file);
  SurveyDocument reread = original;
  reread.blocks.resize(2);
  reread.blockItems.resize(3);
  RegistryUserBlockSource(store).ReadUserBlocks(reread);
  ASSERT_EQ(reread.blocks.size(), 2u + names.size());
  for (int k = 0; k < names.size(); ++k) {
    EXPECT_EQ(reread.BlockName(2 + k), names[k]);
    EXPECT_EQ(reread.BlockMembers(2 + k), (std::vector<int32_t>{k, 5}));
  }
  // The former last block's key went.
  EXPECT_FALSE(store.KeyExists(DocumentKeyPath(reread) + QStringLiteral("\\") + BlockKeyName(6)));
}

}  // namespace
}  // namespace kvf
