#include <gtest/gtest.h>

#include "platform/registry/MemoryRegistryStore.h"
#include "platform/registry/RegistryKey.h"

namespace kvf::platform {
namespace {

const QString kProgram = QStringLiteral("Software\\Brennvik AB\\KVF Viewer");

TEST(RegistryKey, ReadAccessOpensOnlyExistingKeysWriteAccessCreates) {
  MemoryRegistryStore store;
  EXPECT_FALSE(RegistryKey::Open(store, kProgram, RegistryAccess::Read).IsOpen());
  const RegistryKey program = RegistryKey::Open(store, kProgram, RegistryAccess::Write);
  ASSERT_TRUE(program.IsOpen());
  EXPECT_TRUE(store.KeyExists(QStringLiteral("Software\\Brennvik AB")));  // the keys above exist too
  EXPECT_FALSE(program.OpenSubKey(QStringLiteral("Last Settings"), RegistryAccess::Read).IsOpen());
  EXPECT_TRUE(program.OpenSubKey(QStringLiteral("Last Settings"), RegistryAccess::Write).IsOpen());
  EXPECT_TRUE(program.OpenSubKey(QStringLiteral("last settings"), RegistryAccess::Read).IsOpen());
  EXPECT_EQ(program.OpenSubKey(QString(), RegistryAccess::Read).Path(), kProgram);
  EXPECT_FALSE(RegistryKey::Open(store, QStringLiteral("\\"), RegistryAccess::Write).IsOpen());
}

TEST(RegistryKey, ValuesKeepTheirTypeAndReadsCheckIt) {
  MemoryRegistryStore store;
  const RegistryKey key = RegistryKey::Open(store, kProgram, RegistryAccess::Write);
  ASSERT_TRUE(key.WriteDword(QStringLiteral("Number"), 300));
  ASSERT_TRUE(key.WriteString(QStringLiteral("Text"), QStringLiteral("300")));
  ASSERT_TRUE(key.WriteFlag(QStringLiteral("Flag"), true));
  EXPECT_EQ(key.ReadDword(QStringLiteral("number")), 300u);
  EXPECT_EQ(key.ReadString(QStringLiteral("Text")), QStringLiteral("300"));
  EXPECT_EQ(key.ReadDword(QStringLiteral("Text")), std::nullopt);
  EXPECT_EQ(key.ReadString(QStringLiteral("Number")), std::nullopt);
  EXPECT_EQ(key.ReadFlag(QStringLiteral("Text")), std::nullopt);
  EXPECT_EQ(key.ReadDword(QStringLiteral("Flag")), 1u);
  EXPECT_EQ(key.ReadDword(QStringLiteral("Missing")), std::nullopt);
  // A value written again keeps the casing of its first name.
  ASSERT_TRUE(key.WriteDword(QStringLiteral("NUMBER"), 7));
  EXPECT_EQ(store.ValueNames(kProgram), (QStringList{QStringLiteral("Number"), QStringLiteral("Text"),
                                                     QStringLiteral("Flag")}));
}

TEST(RegistryKey, FlagIsTrueOnlyAboveZeroAsSignedNumber) {
  MemoryRegistryStore store;
  const RegistryKey key = RegistryKey::Open(store, kProgram, RegistryAccess::Write);
  const std::pair<uint32_t, bool> cases[] = {{0, false}, {1, true}, {2, true}, {0x7FFFFFFF, true},
                                             {0x80000000u, false}, {0xFFFFFFFFu, false}};
  for (const auto& [stored, expected] : cases) {
    key.WriteDword(QStringLiteral("F"), stored);
    EXPECT_EQ(key.ReadFlag(QStringLiteral("F")), expected) << stored;
  }
}

TEST(RegistryKey, ReadOnlyKeysAndStoresRefuseChanges) {
  MemoryRegistryStore store;
  RegistryKey::Open(store, kProgram, RegistryAccess::Write).WriteDword(QStringLiteral("A"), 1);
  const RegistryKey readOnly = RegistryKey::Open(store, kProgram, RegistryAccess::Read);
  EXPECT_FALSE(readOnly.WriteDword(QStringLiteral("A"), 2));
  EXPECT_FALSE(readOnly.DeleteValue(QStringLiteral("A")));
  EXPECT_FALSE(readOnly.OpenSubKey(QStringLiteral("New"), RegistryAccess::Write).IsOpen());
  EXPECT_EQ(readOnly.ReadDword(QStringLiteral("A")), 1u);

  store.SetWritable(false);
  EXPECT_FALSE(RegistryKey::Open(store, kProgram + QStringLiteral("\\New"), RegistryAccess::Write).IsOpen());
  const RegistryKey program = RegistryKey::Open(store, kProgram, RegistryAccess::Read);
  EXPECT_TRUE(program.IsOpen());
  EXPECT_FALSE(store.SetValue(kProgram, QStringLiteral("A"), RegistryValue::Dword(3)));
  EXPECT_FALSE(store.DeleteKey(kProgram));
  EXPECT_EQ(program.ReadDword(QStringLiteral("A")), 1u);
}

TEST(RegistryKey, DeletesValuesAndWholeSubtrees) {
  MemoryRegistryStore store;
  const RegistryKey program = RegistryKey::Open(store, kProgram, RegistryAccess::Write);
  const RegistryKey guid = program.OpenSubKey(QStringLiteral("Documents\\{GUID}"), RegistryAccess::Write);
  guid.OpenSubKey(QStringLiteral("Block 000"), RegistryAccess::Write).WriteString(QStringLiteral("Name"), QStringLiteral("B"));
  guid.OpenSubKey(QStringLiteral("Block 001"), RegistryAccess::Write).WriteString(QStringLiteral("Name"), QStringLiteral("C"));
  program.OpenSubKey(QStringLiteral("Documents2"), RegistryAccess::Write);
  EXPECT_EQ(store.SubKeys(kProgram + QStringLiteral("\\Documents\\{guid}")),
            (QStringList{QStringLiteral("Block 000"), QStringLiteral("Block 001")}));

  EXPECT_TRUE(guid.DeleteSubKey(QStringLiteral("Block 001")));
  EXPECT_FALSE(guid.DeleteSubKey(QStringLiteral("Block 001")));
  EXPECT_EQ(store.SubKeys(kProgram + QStringLiteral("\\Documents\\{GUID}")), QStringList{QStringLiteral("Block 000")});

  EXPECT_TRUE(program.DeleteSubKey(QStringLiteral("DOCUMENTS")));
  EXPECT_FALSE(store.KeyExists(kProgram + QStringLiteral("\\Documents\\{GUID}\\Block 000")));
  EXPECT_FALSE(store.KeyExists(kProgram + QStringLiteral("\\Documents")));
  EXPECT_TRUE(store.KeyExists(kProgram + QStringLiteral("\\Documents2")));  // a sibling with a longer name stays
  EXPECT_FALSE(program.DeleteSubKey(QString()));  // never the key itself
}

}  // namespace
}  // namespace kvf::platform
