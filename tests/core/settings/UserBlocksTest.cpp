#include "core/settings/UserBlocks.h"

#include <gtest/gtest.h>

#include "core/fixtures/SurveyRecipe.h"
#include "platform/registry/MemoryRegistryStore.h"

namespace kvf {
namespace {

using platform::MemoryRegistryStore;
using platform::RegistryAccess;
using platform::RegistryKey;

// A loaded document with 20 questions, fileBlocks blocks and the block
// items from the file.
SurveyDocument Document(int fileBlocks, const std::vector<std::pair<int32_t, int32_t>>& items = {}) {
  testing::SurveyRecipe recipe;
  for (int i = 0; i < 16; ++i) recipe.Info().guid[static_cast<size_t>(i)] = static_cast<uint8_t>(0xA0 + i);
  for (int q = 0; q < 20; ++q) recipe.Add(testing::ValuedQuestion(QStringLiteral("Q%1").arg(q), {1}, {0}));
  for (int b = 0; b < fileBlocks; ++b) recipe.AddBlock(QStringLiteral("Block %1").arg(b), false);
  for (const auto& [block, question] : items) recipe.AddBlockItem(block, question);
  return recipe.Load();
}

Block UserBlock(const QString& name, bool includeInCopy) {
  Block block;
  block.userName = name;
  block.includeInCopy = includeInCopy;
  return block;
}

class UserBlocksTest : public ::testing::Test {
 protected:
  RegistryKey DocumentKey(const SurveyDocument& document) {
    return RegistryKey::Open(store_, DocumentKeyPath(document), RegistryAccess::Write);
  }
  RegistryKey BlockKey(const SurveyDocument& document, int b) {
    return DocumentKey(document).OpenSubKey(BlockKeyName(b), RegistryAccess::Write);
  }
  bool HasBlockKey(const SurveyDocument& document, int b) {
    return store_.KeyExists(DocumentKeyPath(document) + QLatin1Char('\\') + BlockKeyName(b));
  }
  MemoryRegistryStore store_;
};

TEST_F(UserBlocksTest, KeyNames) {
  const SurveyDocument document = Document(0);
  EXPECT_EQ(DocumentKeyPath(document),
            QStringLiteral("Software\\Brennvik AB\\KVF Viewer\\Documents\\{A3A2A1A0-A5A4-A7A6-A8A9-AAABACADAEAF}"));
  EXPECT_EQ((QStringList{BlockKeyName(0), BlockKeyName(42), BlockKeyName(1234)}),
            (QStringList{"Block 000", "Block 042", "Block 1234"}));
}

TEST_F(UserBlocksTest, IncludedDataHeaders) {
  EXPECT_EQ(ParseIncludedDataHeaders(QStringLiteral("3|7|12"), 20), (std::vector<int32_t>{3, 7, 12}));
  EXPECT_TRUE(ParseIncludedDataHeaders(QString(), 20).empty());
  // Rounded (halves to even); not numbers, out of range and repeats are left out.
  EXPECT_EQ(ParseIncludedDataHeaders(QStringLiteral("2.5| 3.5 |x||-1|20|19|4|1e1"), 20),
            (std::vector<int32_t>{2, 4, 19, 10}));
  // Sorted, once each, no digit grouping.
  EXPECT_EQ((QStringList{FormatIncludedDataHeaders({12, 3, 7, 3}), FormatIncludedDataHeaders({}),
                         FormatIncludedDataHeaders({1234567})}),
            (QStringList{"3|7|12", "", "1234567"}));
}

TEST_F(UserBlocksTest, FewerBlockItemsThanFileBlocksReadsOnlyThose) {
  SurveyDocument document = Document(3);
  DocumentKey(document).WriteDword(QStringLiteral("Block Items"), 2);
  for (int b = 0; b < 3; ++b) BlockKey(document, b).WriteFlag(QStringLiteral("Include In Copy"), false);
  BlockKey(document, 0).WriteString(QStringLiteral("Name"), QStringLiteral("not for file blocks"));
  RegistryUserBlockSource(store_).ReadUserBlocks(document);
  ASSERT_EQ(document.blocks.size(), 3u);
  EXPECT_EQ(std::make_tuple(document.blocks[0].includeInCopy, document.blocks[1].includeInCopy,
                            document.blocks[2].includeInCopy),
            std::make_tuple(false, false, true));
  EXPECT_TRUE(document.blocks[0].userName.isEmpty() && document.blockItems.empty());
}

TEST_F(UserBlocksTest, MoreBlockItemsThanFileBlocksAddsUserBlocks) {
  SurveyDocument document = Document(3, {{0, 1}});
  DocumentKey(document).WriteDword(QStringLiteral("Block Items"), 6);
  BlockKey(document, 3).WriteString(QStringLiteral("Name"), QStringLiteral("Mine"));
  BlockKey(document, 3).WriteFlag(QStringLiteral("Include In Copy"), false);
  BlockKey(document, 3).WriteString(QStringLiteral("Included Data Headers"), QStringLiteral("3|7|12"));
  BlockKey(document, 4).WriteString(QStringLiteral("Included Data Headers"), QString());
  // Block 005 has no key: it keeps the defaults of an appended block.
  RegistryUserBlockSource(store_).ReadUserBlocks(document);

  ASSERT_EQ(document.blocks.size(), 6u);
  const Block& mine = document.blocks[3];
  EXPECT_EQ(std::make_tuple(mine.userName, mine.includeInCopy, mine.fromFile),
            std::make_tuple(QStringLiteral("Mine"), false, false));
  for (size_t b = 3; b < 6; ++b)
    EXPECT_EQ(
        std::make_tuple(document.blocks[b].blockLevel, document.blocks[b].graphFlags, document.blocks[b].storedIndex),
        std::make_tuple(-1, 3, kNoIndex))
        << b;
  EXPECT_TRUE(document.blocks[5].includeInCopy && document.blocks[5].userName.isEmpty());
  ASSERT_EQ(document.blockItems.size(), 4u);
  EXPECT_EQ(
      std::make_tuple(document.blockItems[1].block, document.blockItems[1].question, document.blockItems[3].question),
      std::make_tuple(3, 3, 12));
}

TEST_F(UserBlocksTest, DamagedCountsAreBounded) {
  SurveyDocument document = Document(2);
  // -1 adds none; a huge count adds at most kMaxUserBlocks.
  for (const auto& [count, blocks] :
       {std::pair{0xFFFFFFFFu, size_t{2}}, std::pair{0x7FFFFFFFu, size_t{2} + kMaxUserBlocks}}) {
    DocumentKey(document).WriteDword(QStringLiteral("Block Items"), count);
    RegistryUserBlockSource(store_).ReadUserBlocks(document);
    EXPECT_EQ(document.blocks.size(), blocks) << count;
  }
}

TEST_F(UserBlocksTest, DeletingTwoOfFiveBlocksRewritesTheRestAndRemovesTheTail) {
  SurveyDocument document = Document(1);
  for (const auto& [name, copy] :
       {std::pair{"U1", true}, std::pair{"U2", false}, std::pair{"U3", true}, std::pair{"U4", true}})
    document.blocks.push_back(UserBlock(QString::fromLatin1(name), copy));
  document.blockItems = {{0, 0}, {2, 9}, {2, 4}, {4, 5}};
  ASSERT_TRUE(WriteBlockDefinitions(store_, {}, document));
  for (int b = 0; b < 5; ++b) EXPECT_TRUE(HasBlockKey(document, b));
  EXPECT_EQ(BlockKey(document, 2).ReadString(QStringLiteral("Included Data Headers")), QStringLiteral("4|9"));
  EXPECT_EQ(BlockKey(document, 0).ReadString(QStringLiteral("Name")), std::nullopt);  // file block: flag only

  // The block editor deletes U1 and U3; the blocks after them move up.
  document.blocks.erase(document.blocks.begin() + 3);
  document.blocks.erase(document.blocks.begin() + 1);
  document.blockItems = {{0, 0}, {1, 4}, {1, 9}, {2, 5}};
  ASSERT_TRUE(WriteBlockDefinitions(store_, {}, document));
  EXPECT_EQ(DocumentKey(document).ReadDword(QStringLiteral("Block Items")), 3u);
  EXPECT_FALSE(HasBlockKey(document, 3) || HasBlockKey(document, 4));
  EXPECT_EQ(std::make_tuple(BlockKey(document, 1).ReadString(QStringLiteral("Name")),
                            BlockKey(document, 1).ReadFlag(QStringLiteral("Include In Copy")),
                            BlockKey(document, 2).ReadString(QStringLiteral("Name")),
                            BlockKey(document, 2).ReadString(QStringLiteral("Included Data Headers"))),
            std::make_tuple(std::optional<QString>(QStringLiteral("U2")), std::optional<bool>(false),
                            std::optional<QString>(QStringLiteral("U4")), std::optional<QString>(QStringLiteral("5"))));

  // Read back into the document as the file gives it.
  SurveyDocument reloaded = Document(1, {{0, 0}});
  RegistryUserBlockSource(store_).ReadUserBlocks(reloaded);
  ASSERT_EQ(reloaded.blocks.size(), 3u);
  EXPECT_EQ(std::make_tuple(reloaded.BlockName(1), reloaded.blocks[1].includeInCopy),
            std::make_tuple(QStringLiteral("U2"), false));
  ASSERT_EQ(reloaded.blockItems.size(), 4u);
  EXPECT_EQ(std::make_tuple(reloaded.blockItems[3].block, reloaded.blockItems[3].question), std::make_tuple(2, 5));
}

}  // namespace
}  // namespace kvf
