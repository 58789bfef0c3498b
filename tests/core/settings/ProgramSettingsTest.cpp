#include "core/settings/ProgramSettings.h"

#include <gtest/gtest.h>

#include <QMap>

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
  EXPECT_EQ(std::make_tuple(options.overviewMaxRows, options.overviewGroupLines, options.graphLegends,
                            options.navigatorRemindToClickShow, options.graphCopyToMsOffice),
            std::make_tuple(300, true, 3, false, true));
  EXPECT_EQ(stored, (QStringList{"Navigator Remind To Click Show", "Graph Copy To MS Office", "Graph Legends"}));
  const LastSettings lastSettings = ReadLastSettings(Program(), kFolders);
  EXPECT_EQ(std::make_tuple(lastSettings.printerDeviceName, lastSettings.graphSaveFormat),
            std::make_tuple(QString(), 1));
}

TEST_F(ProgramSettingsTest, WrittenValuesReadBackAsStored) {
  LastSettings last;
  std::tie(last.dataOpenFolder, last.graphSaveFolder, last.graphPointHeight, last.distributionGraphIn3D,
           last.printerDeviceName) =
      std::tuple(QStringLiteral("/data"), QStringLiteral("/graphs"), 1000, true, QStringLiteral("Laser \"2\""));
  ProgramOptions options;
  options.overviewMaxRows = 0;
  options.graphByCategoryUseShortCategoryNames = false;
  ASSERT_TRUE(WriteLastSettings(Program(), Policies{}, last));
  ASSERT_TRUE(WriteSettings(Program(), Policies{}, options));

  // Every value is written, so every line now comes from the store.
  const std::vector<SettingLine> lines = DescribeProgramSettings(store_, kFolders);
  QMap<QString, QString> values;
  for (const SettingLine& line : lines) {
    EXPECT_EQ(line.fromStore, line.key != ExplorerPolicyKeyPath()) << line.name.toStdString();
    values[line.name] = line.value;
  }
  const std::pair<const char*, const char*> expected[] = {{"Graph Point Height", "1000"},
                                                          {"Distribution Graph In 3D", "true"},
                                                          {"Printer Device Name", "Laser \"2\""},
                                                          {"Overview Max Rows", "0"}};
  for (const auto& [name, value] : expected) EXPECT_EQ(values.value(QString::fromLatin1(name)), value) << name;
  EXPECT_EQ(ReadLastSettings(Program(), kFolders).dataOpenFolder, QStringLiteral("/data"));
  EXPECT_EQ(Program().OpenSubKey(OptionsKeyName(), RegistryAccess::Read).ReadDword(QStringLiteral("Overview Max Rows")),
            0u);
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
  recent.Add(QStringLiteral("/new.kvf"));
  EXPECT_TRUE(recent.Entries().isEmpty());
  EXPECT_FALSE(WriteRecentFiles(Program(), policies, recent));
  EXPECT_EQ(Key(RecentFilesKeyName()).ReadString(QStringLiteral("Item 00")), QStringLiteral("/old.kvf"));
  for (const SettingLine& line : DescribeProgramSettings(store_, kFolders))
    EXPECT_NE(line.key, RecentFilesKeyName());
}

TEST_F(ProgramSettingsTest, ProgramKeyFallsBackToReadOnly) {
  ProgramKey opened = OpenProgramKey(store_);
  EXPECT_EQ(std::make_tuple(opened.key.IsOpen(), opened.key.Access(), opened.errorCode),
            std::make_tuple(true, RegistryAccess::Write, 0));
  store_.SetWritable(false);
  opened = OpenProgramKey(store_);
  EXPECT_EQ(std::make_tuple(opened.key.IsOpen(), opened.key.Access()), std::make_tuple(true, RegistryAccess::Read));

  MemoryRegistryStore empty;
  empty.SetWritable(false);
  opened = OpenProgramKey(empty);
  EXPECT_EQ(std::make_tuple(opened.key.IsOpen(), opened.errorCode), std::make_tuple(false, 2));
  // Without a program key every setting keeps its default.
  EXPECT_EQ(ReadSettings(opened.key).overviewMaxRows, 300);
}

}  // namespace
}  // namespace kvf
