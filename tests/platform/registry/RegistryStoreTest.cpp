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
  EXPECT_FALSE(program.OpenSubKey("Last Settings", RegistryAccess::Read).IsOpen());
  EXPECT_TRUE(program.OpenSubKey("Last Settings", RegistryAccess::Write).IsOpen() &&
              program.OpenSubKey("last settings", RegistryAccess::Read).IsOpen());
  EXPECT_EQ(program.OpenSubKey(QString(), RegistryAccess::Read).Path(), kProgram);
  EXPECT_FALSE(RegistryKey::Open(store, QStringLiteral("\\"), RegistryAccess::Write).IsOpen());
}

TEST(RegistryKey, ValuesKeepTheirTypeAndReadsCheckIt) {
  MemoryRegistryStore store;
  const RegistryKey key = RegistryKey::Open(store, kProgram, RegistryAccess::Write);
  ASSERT_TRUE(key.WriteDword(QStringLiteral("Number"), 300));
  ASSERT_TRUE(key.WriteString(QStringLiteral("Text"), QStringLiteral("300")));
  ASSERT_TRUE(key.WriteFlag(QStringLiteral("Flag"), true));
  EXPECT_EQ(std::make_tuple(key.ReadDword("number"), key.ReadString("Text"), key.ReadDword("Flag")),
            std::make_tuple(std::optional<uint32_t>(300), std::optional<QString>("300"), std::optional<uint32_t>(1)));
  EXPECT_EQ(std::make_tuple(key.ReadDword("Text"), key.ReadString("Number"), key.ReadFlag("Text"), key.ReadDword("Missing")),
            std::make_tuple(std::nullopt, std::nullopt, std::nullopt, std::nullopt));
  // A value written again keeps the casing of its first name.
  ASSERT_TRUE(key.WriteDword(QStringLiteral("NUMBER"), 7));
  EXPECT_EQ(store.ValueNames(kProgram), (QStringList{QStringLiteral("Number"), QStringLiteral("Text"),
                                                     QStringLiteral("Flag")}));
}

TEST(RegistryKey, FlagIsTrueOnlyAboveZeroAsSignedNumber) {
  MemoryRegistryStore store;
  const RegistryKey key = RegistryKey::Open(store, kProgram, RegistryAccess::Write);
  for (const auto& [stored, expected] : std::initializer_list<std::pair<uint32_t, bool>>{
           {0, false}, {1, true}, {0x7FFFFFFF, true}, {0x80000000u, false}}) {
    key.WriteDword("F", stored);
    EXPECT_EQ(key.ReadFlag("F"), expected) << stored;
  }
}

TEST(RegistryKey, ReadOnlyKeysAndStoresRefuseChanges) {
  MemoryRegistryStore store;
  RegistryKey::Open(store, kProgram, RegistryAccess::Write).WriteDword(QStringLiteral("A"), 1);
  const RegistryKey readOnly = RegistryKey::Open(store, kProgram, RegistryAccess::Read);
  EXPECT_FALSE(readOnly.WriteDword("A", 2) || readOnly.DeleteValue("A") || readOnly.OpenSubKey("New", RegistryAccess::Write).IsOpen());
  EXPECT_EQ(readOnly.ReadDword("A"), 1u);

  store.SetWritable(false);
  EXPECT_EQ(std::make_tuple(RegistryKey::Open(store, kProgram + "\\New", RegistryAccess::Write).IsOpen(),
                            store.SetValue(kProgram, "A", RegistryValue::Dword(3)), store.DeleteKey(kProgram)),
            std::make_tuple(false, false, false));
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

  EXPECT_TRUE(guid.DeleteSubKey("Block 001") && !guid.DeleteSubKey("Block 001"));
  EXPECT_EQ(store.SubKeys(kProgram + "\\Documents\\{GUID}"), QStringList{QStringLiteral("Block 000")});

  EXPECT_TRUE(program.DeleteSubKey(QStringLiteral("DOCUMENTS")));
  // A sibling with a longer name stays.
  EXPECT_EQ(std::make_tuple(store.KeyExists(kProgram + "\\Documents\\{GUID}\\Block 000"), store.KeyExists(kProgram + "\\Documents"),
                            store.KeyExists(kProgram + "\\Documents2")),
            std::make_tuple(false, false, true));
  EXPECT_FALSE(program.DeleteSubKey(QString()));  // never the key itself
}

}  // namespace
}  // namespace kvf::platform
