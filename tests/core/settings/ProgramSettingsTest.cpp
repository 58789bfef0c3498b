#include "core/settings/ProgramSettings.h"

#include <gtest/gtest.h>

#include "core/settings/RecentFiles.h"
#include "core/settings/UserBlocks.h"
#include "core/settings/WindowPlacement.h"
#include "platform/registry/MemoryRegistryStore.h"

namespace kvf {
namespace {

using platform::MemoryRegistryStore;
using platform::RegistryAccess;
using platform::RegistryKey;
using platform::RegistryValue;

const SpecialFolders kFolders{QStringLiteral("/home/u/Documents"), QStringLiteral("/home/u/Pictures")};

class ProgramSettingsTest : public ::testing::Test {
 protected:
  RegistryKey Key(const QString& sub) {
    return RegistryKey::Open(store_, ProgramKeyPath() + QLatin1Char('\\') + sub, RegistryAccess::Write);
  }
  RegistryKey Program() { return OpenProgramKey(store_).key; }
  void SetPolicy(const QString& name, const RegistryValue& value) {
    store_.SetValue(ExplorerPolicyKeyPath(), name, value);
  }
  MemoryRegistryStore store_;
};

TEST_F(ProgramSettingsTest, NothingStoredGivesTheDefaults) {
  QStringList stored;
  const LastSettings last = ReadLastSettings(Program(), kFolders, &stored);
  EXPECT_TRUE(stored.isEmpty());
  EXPECT_EQ(last.dataOpenFolder, kFolders.documents);
  EXPECT_EQ(last.graphSaveFolder, kFolders.pictures);
  EXPECT_EQ(last.graphWindowWidth, 10200);
  EXPECT_EQ(last.printerBindingMargin, 1701);
  EXPECT_TRUE(last.totalIndexGraphHasVerticalLabels);
  EXPECT_FALSE(last.distributionGraphIn3D);
  const ProgramOptions options = ReadSettings(Program(), &stored);
  EXPECT_TRUE(stored.isEmpty());
  EXPECT_EQ(options.overviewMaxRows, 300);
  EXPECT_EQ(options.graphLegends, 6);
  EXPECT_TRUE(options.navigatorRemindToClickShow);
}

TEST_F(ProgramSettingsTest, ValuesOfAnotherTypeKeepTheDefault) {
  const RegistryKey settings = Key(OptionsKeyName());
  settings.WriteString(QStringLiteral("Overview Max Rows"), QStringLiteral("500"));
  settings.WriteString(QStringLiteral("Overview Group Lines"), QStringLiteral("0"));
  settings.WriteDword(QStringLiteral("Graph Legends"), 3);
  settings.WriteDword(QStringLiteral("Navigator Remind To Click Show"), 0xFFFFFFFFu);  // -1: not above 0
  settings.WriteDword(QStringLiteral("Graph Copy To MS Office"), 2);
  const RegistryKey last = Key(LastSettingsKeyName());
  last.WriteDword(QStringLiteral("Printer Device Name"), 1);
  last.WriteString(QStringLiteral("Graph Save Format"), QStringLiteral("4"));

  QStringList stored;
  const ProgramOptions options = ReadSettings(Program(), &stored);
  EXPECT_EQ(options.overviewMaxRows, 300);
  EXPECT_TRUE(options.overviewGroupLines);
  EXPECT_EQ(options.graphLegends, 3);
  EXPECT_FALSE(options.navigatorRemindToClickShow);
  EXPECT_TRUE(options.graphCopyToMsOffice);
  EXPECT_EQ(stored, (QStringList{QStringLiteral("Navigator Remind To Click Show"),
                                 QStringLiteral("Graph Copy To MS Office"), QStringLiteral("Graph Legends")}));
  const LastSettings lastSettings = ReadLastSettings(Program(), kFolders);
  EXPECT_EQ(lastSettings.printerDeviceName, QString());
  EXPECT_EQ(lastSettings.graphSaveFormat, 1);
}

TEST_F(ProgramSettingsTest, EmptyFoldersFallBackToTheDesktopFolders) {
  const RegistryKey last = Key(LastSettingsKeyName());
  last.WriteString(QStringLiteral("Data Open Folder"), QString());
  last.WriteString(QStringLiteral("Graph Save Folder"), QString());
  EXPECT_EQ(ReadLastSettings(Program(), kFolders).dataOpenFolder, kFolders.documents);
  EXPECT_EQ(ReadLastSettings(Program(), {kFolders.documents, QString()}).graphSaveFolder, kFolders.documents);
  last.WriteString(QStringLiteral("Graph Save Folder"), QStringLiteral("/srv/graphs"));
  EXPECT_EQ(ReadLastSettings(Program(), kFolders).graphSaveFolder, QStringLiteral("/srv/graphs"));
}

TEST_F(ProgramSettingsTest, WrittenValuesReadBackAsStored) {
  LastSettings last;
  last.dataOpenFolder = QStringLiteral("/data");
  last.graphSaveFolder = QStringLiteral("/graphs");
  last.graphPointHeight = 1000;
  last.distributionGraphIn3D = true;
  last.blockIndexGraphHasDataLabels = false;
  last.printerDeviceName = QStringLiteral("Laser \"2\"");
  ProgramOptions options;
  options.overviewMaxRows = 0;
  options.graphByCategoryUseShortCategoryNames = false;
  ASSERT_TRUE(WriteLastSettings(Program(), Policies{}, last));
  ASSERT_TRUE(WriteSettings(Program(), Policies{}, options));

  // Every value is written, so every line now comes from the store.
  const std::vector<SettingLine> lines = DescribeProgramSettings(store_, kFolders);
  auto find = [&](const QString& name) {
    for (const SettingLine& line : lines)
      if (line.name == name) return line;
    return SettingLine{};
  };
  for (const SettingLine& line : lines)
    EXPECT_EQ(line.fromStore, line.key != ExplorerPolicyKeyPath()) << line.name.toStdString();
  EXPECT_EQ(find(QStringLiteral("Graph Point Height")).value, QStringLiteral("1000"));
  EXPECT_EQ(find(QStringLiteral("Distribution Graph In 3D")).value, QStringLiteral("true"));
  EXPECT_EQ(find(QStringLiteral("Block Index Graph Has Data Labels")).value, QStringLiteral("false"));
  EXPECT_EQ(find(QStringLiteral("Printer Device Name")).value, QStringLiteral("Laser \"2\""));
  EXPECT_EQ(find(QStringLiteral("Overview Max Rows")).value, QStringLiteral("0"));
  EXPECT_EQ(ReadLastSettings(Program(), kFolders).dataOpenFolder, QStringLiteral("/data"));
  EXPECT_EQ(Program().OpenSubKey(OptionsKeyName(), RegistryAccess::Read).ReadDword(QStringLiteral("Overview Max Rows")),
            0u);
}

TEST_F(ProgramSettingsTest, PoliciesAreSetByNonZeroDwordsOnly) {
  EXPECT_FALSE(ReadPolicies(store_).noRecentDocsMenu);
  SetPolicy(QStringLiteral("NoRecentDocsMenu"), RegistryValue::String(QStringLiteral("1")));
  SetPolicy(QStringLiteral("NoSaveSettings"), RegistryValue::Dword(0));
  EXPECT_FALSE(ReadPolicies(store_).noRecentDocsMenu);
  EXPECT_FALSE(ReadPolicies(store_).noSaveSettings);
  SetPolicy(QStringLiteral("NoRecentDocsMenu"), RegistryValue::Dword(0xFFFFFFFFu));
  SetPolicy(QStringLiteral("NoSaveSettings"), RegistryValue::Dword(1));
  EXPECT_TRUE(ReadPolicies(store_).noRecentDocsMenu);
  EXPECT_TRUE(ReadPolicies(store_).noSaveSettings);
}

TEST_F(ProgramSettingsTest, NoSaveSettingsWritesNothingButTheRecentFiles) {
  SetPolicy(QStringLiteral("NoSaveSettings"), RegistryValue::Dword(1));
  const Policies policies = ReadPolicies(store_);
  const RegistryKey program = Program();
  SurveyDocument document;
  document.blocks.resize(1);
  RecentFileList recent(!policies.noRecentDocsMenu);
  recent.Add(QStringLiteral("/a.kvf"));

  EXPECT_FALSE(WriteLastSettings(program, policies, LastSettings{}));
  EXPECT_FALSE(WriteSettings(program, policies, ProgramOptions{}));
  EXPECT_FALSE(SaveWindowPlacement(program, policies, QStringLiteral("Main"), BorderStyle::Sizable, {1, 2, 3, 4}));
  EXPECT_FALSE(WriteFlexTotalHeight(program, policies, 900));
  EXPECT_FALSE(WriteBlockDefinitions(store_, policies, document));
  EXPECT_EQ(store_.SubKeys(ProgramKeyPath()), QStringList());
  EXPECT_TRUE(WriteRecentFiles(program, policies, recent));
  EXPECT_EQ(store_.SubKeys(ProgramKeyPath()), QStringList{RecentFilesKeyName()});
}

TEST_F(ProgramSettingsTest, NoRecentDocsMenuNeitherReadsKeepsNorWritesTheList) {
  Key(RecentFilesKeyName()).WriteString(QStringLiteral("Item 00"), QStringLiteral("/old.kvf"));
  SetPolicy(QStringLiteral("NoRecentDocsMenu"), RegistryValue::Dword(1));
  const Policies policies = ReadPolicies(store_);
  RecentFileList recent = ReadRecentFiles(Program(), policies);
  EXPECT_TRUE(recent.Entries().isEmpty());
  recent.Add(QStringLiteral("/new.kvf"));
  EXPECT_TRUE(recent.Entries().isEmpty());
  EXPECT_FALSE(WriteRecentFiles(Program(), policies, recent));
  EXPECT_EQ(Key(RecentFilesKeyName()).ReadString(QStringLiteral("Item 00")), QStringLiteral("/old.kvf"));
  for (const SettingLine& line : DescribeProgramSettings(store_, kFolders))
    EXPECT_NE(line.key, RecentFilesKeyName());
}

TEST_F(ProgramSettingsTest, ProgramKeyFallsBackToReadOnly) {
  ProgramKey opened = OpenProgramKey(store_);
  EXPECT_TRUE(opened.key.IsOpen());
  EXPECT_EQ(opened.key.Access(), RegistryAccess::Write);
  EXPECT_EQ(opened.errorCode, 0);
  store_.SetWritable(false);
  opened = OpenProgramKey(store_);
  EXPECT_TRUE(opened.key.IsOpen());
  EXPECT_EQ(opened.key.Access(), RegistryAccess::Read);

  MemoryRegistryStore empty;
  empty.SetWritable(false);
  opened = OpenProgramKey(empty);
  EXPECT_FALSE(opened.key.IsOpen());
  EXPECT_EQ(opened.errorCode, 2);
  EXPECT_EQ(ProgramKeyFailureText(2), QStringLiteral("Cannot open Windows' Registry, error code: HKCU 2. Some "
                                                     "features in this application may not work as expected."));
  // Without a program key every setting keeps its default.
  EXPECT_EQ(ReadSettings(opened.key).overviewMaxRows, 300);
}

}  // namespace
}  // namespace kvf
