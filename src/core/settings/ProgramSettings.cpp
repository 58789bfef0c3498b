#include "core/settings/ProgramSettings.h"

#include <QStandardPaths>

#include "core/settings/RecentFiles.h"

namespace kvf {

using platform::RegistryAccess;
using platform::RegistryKey;

namespace {

// One stored value of a settings record: a DWORD, a flag or a string member.
template <class S>
struct Field {
  const char* name;
  int32_t S::*number = nullptr;
  bool S::*flag = nullptr;
  QString S::*text = nullptr;
};

template <class S>
Field<S> Dword(const char* name, int32_t S::*member) {
  return {name, member, nullptr, nullptr};
}
template <class S>
Field<S> Flag(const char* name, bool S::*member) {
  return {name, nullptr, member, nullptr};
}
template <class S>
Field<S> Text(const char* name, QString S::*member) {
  return {name, nullptr, nullptr, member};
}

const std::vector<Field<LastSettings>>& LastSettingsFields() {
  using S = LastSettings;
  static const std::vector<Field<S>> fields = {
      Text("Data Open Folder", &S::dataOpenFolder),
      Text("Graph Save Folder", &S::graphSaveFolder),
      Dword("Graph Save Format", &S::graphSaveFormat),
      Dword("Graph Window Width", &S::graphWindowWidth),
      Dword("Graph Point Height", &S::graphPointHeight),
      Dword("Question Graph Window Width", &S::questionGraphWindowWidth),
      Dword("Question Graph Bar Width", &S::questionGraphBarWidth),
      Flag("Distribution Graph In Percent", &S::distributionGraphInPercent),
      Flag("Distribution Graph In 3D", &S::distributionGraphIn3D),
      Flag("Distribution Graph Has Horizontal Bars", &S::distributionGraphHasHorizontalBars),
      Flag("Distribution Graph Has Vertical Labels", &S::distributionGraphHasVerticalLabels),
      Dword("Total Index Graph Index Lines", &S::totalIndexGraphIndexLines),
      Flag("Total Index Graph Index Lines Show Explanation", &S::totalIndexGraphIndexLinesShowExplanation),
      Flag("Total Index Graph Has Horizontal Bars", &S::totalIndexGraphHasHorizontalBars),
      Flag("Total Index Graph Has Vertical Labels", &S::totalIndexGraphHasVerticalLabels),
      Flag("Total Index Graph Has Data Labels", &S::totalIndexGraphHasDataLabels),
      Dword("Block Index Graph Index Lines", &S::blockIndexGraphIndexLines),
      Flag("Block Index Graph Index Lines Show Explanation", &S::blockIndexGraphIndexLinesShowExplanation),
      Flag("Block Index Graph Has Horizontal Bars", &S::blockIndexGraphHasHorizontalBars),
      Flag("Block Index Graph Has Vertical Labels", &S::blockIndexGraphHasVerticalLabels),
      Flag("Block Index Graph Has Data Labels", &S::blockIndexGraphHasDataLabels),
      Text("Printer Device Name", &S::printerDeviceName),
      Dword("Printer Binding Margin", &S::printerBindingMargin),
      Dword("Printer Other Margins", &S::printerOtherMargins),
  };
  return fields;
}

const std::vector<Field<ProgramOptions>>& OptionFields() {
  using S = ProgramOptions;
  static const std::vector<Field<S>> fields = {
      Flag("Navigator Remind To Click Show", &S::navigatorRemindToClickShow),
      Flag("Navigator Add Beep To Reminder", &S::navigatorAddBeepToReminder),
      Flag("Overview Group Lines", &S::overviewGroupLines),
      Dword("Overview Row Order", &S::overviewRowOrder),
      Dword("Overview Max Rows", &S::overviewMaxRows),
      Flag("Graph Value Order Reversed", &S::graphValueOrderReversed),
      Flag("Graph Copy Save Opaque", &S::graphCopySaveOpaque),
      Flag("Graph Copy Save White Space", &S::graphCopySaveWhiteSpace),
      Flag("Graph Copy To MS Office", &S::graphCopyToMsOffice),
      Flag("Graph By Category Use Short Category Names", &S::graphByCategoryUseShortCategoryNames),
      Dword("Graph Legends", &S::graphLegends),
      Dword("Graph Copy Format", &S::graphCopyFormat),
  };
  return fields;
}

template <class S>
void ReadFields(const RegistryKey& key, const std::vector<Field<S>>& fields, S& record, QStringList* storedNames) {
  if (!key.IsOpen()) return;
  for (const Field<S>& field : fields) {
    const QString name = QLatin1String(field.name);
    bool found = false;
    if (field.number != nullptr) {
      const auto value = key.ReadDword(name);
      if (value) record.*field.number = static_cast<int32_t>(*value);
      found = value.has_value();
    } else if (field.flag != nullptr) {
      const auto value = key.ReadFlag(name);
      if (value) record.*field.flag = *value;
      found = value.has_value();
    } else {
      const auto value = key.ReadString(name);
      if (value) record.*field.text = *value;
      found = value.has_value();
    }
    if (found && storedNames != nullptr) *storedNames << name;
  }
}

template <class S>
bool WriteFields(const RegistryKey& programKey, const QString& keyName, const Policies& policies,
                 const std::vector<Field<S>>& fields, const S& record) {
  if (policies.noSaveSettings) return false;
  const RegistryKey key = programKey.OpenSubKey(keyName, RegistryAccess::Write);
  if (!key.IsOpen()) return false;
  bool ok = true;
  for (const Field<S>& field : fields) {
    const QString name = QLatin1String(field.name);
    if (field.number != nullptr) {
      ok &= key.WriteDword(name, static_cast<uint32_t>(record.*field.number));
    } else if (field.flag != nullptr) {
      ok &= key.WriteFlag(name, record.*field.flag);
    } else {
      ok &= key.WriteString(name, record.*field.text);
    }
  }
  return key.Store()->Flush() && ok;
}

template <class S>
void DescribeFields(const QString& keyName, const std::vector<Field<S>>& fields, const S& record,
                    const QStringList& storedNames, std::vector<SettingLine>* lines) {
  for (const Field<S>& field : fields) {
    SettingLine line;
    line.key = keyName;
    line.name = QLatin1String(field.name);
    if (field.number != nullptr) {
      line.value = QString::number(record.*field.number);
    } else if (field.flag != nullptr) {
      line.value = record.*field.flag ? QStringLiteral("true") : QStringLiteral("false");
    } else {
      line.value = record.*field.text;
    }
    line.fromStore = storedNames.contains(line.name);
    lines->push_back(line);
  }
}

}  // namespace

SpecialFolders SystemSpecialFolders() {
  SpecialFolders folders;
  folders.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  folders.pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return folders;
}

QString LastSettingsKeyName() { return QStringLiteral("Last Settings"); }
QString OptionsKeyName() { return QStringLiteral("Settings"); }

LastSettings ReadLastSettings(const RegistryKey& programKey, const SpecialFolders& folders, QStringList* storedNames) {
  LastSettings settings;
  QStringList stored;
  ReadFields(programKey.OpenSubKey(LastSettingsKeyName(), RegistryAccess::Read), LastSettingsFields(), settings,
             &stored);
  // An empty folder counts as none: it falls back to the desktop's folders.
  if (settings.dataOpenFolder.isEmpty()) {
    settings.dataOpenFolder = folders.documents;
    stored.removeAll(QStringLiteral("Data Open Folder"));
  }
  if (settings.graphSaveFolder.isEmpty()) {
    settings.graphSaveFolder = folders.pictures.isEmpty() ? folders.documents : folders.pictures;
    stored.removeAll(QStringLiteral("Graph Save Folder"));
  }
  if (storedNames != nullptr) *storedNames = stored;
  return settings;
}

bool WriteLastSettings(const RegistryKey& programKey, const Policies& policies, const LastSettings& settings) {
  return WriteFields(programKey, LastSettingsKeyName(), policies, LastSettingsFields(), settings);
}

ProgramOptions ReadSettings(const RegistryKey& programKey, QStringList* storedNames) {
  ProgramOptions options;
  QStringList stored;
  ReadFields(programKey.OpenSubKey(OptionsKeyName(), RegistryAccess::Read), OptionFields(), options, &stored);
  if (storedNames != nullptr) *storedNames = stored;
  return options;
}

bool WriteSettings(const RegistryKey& programKey, const Policies& policies, const ProgramOptions& options) {
  return WriteFields(programKey, OptionsKeyName(), policies, OptionFields(), options);
}

std::vector<SettingLine> DescribeProgramSettings(platform::RegistryStore& store, const SpecialFolders& folders) {
  std::vector<SettingLine> lines;
  const Policies policies = ReadPolicies(store);
  const RegistryKey policyKey = RegistryKey::Open(store, ExplorerPolicyKeyPath(), RegistryAccess::Read);
  for (const auto& [name, value] : {std::pair{QStringLiteral("NoRecentDocsMenu"), policies.noRecentDocsMenu},
                                    std::pair{QStringLiteral("NoSaveSettings"), policies.noSaveSettings}}) {
    lines.push_back({ExplorerPolicyKeyPath(), name, value ? QStringLiteral("true") : QStringLiteral("false"),
                     policyKey.ReadDword(name).has_value()});
  }

  const RegistryKey programKey = RegistryKey::Open(store, ProgramKeyPath(), RegistryAccess::Read);
  QStringList stored;
  const LastSettings last = ReadLastSettings(programKey, folders, &stored);
  DescribeFields(LastSettingsKeyName(), LastSettingsFields(), last, stored, &lines);
  const ProgramOptions options = ReadSettings(programKey, &stored);
  DescribeFields(OptionsKeyName(), OptionFields(), options, stored, &lines);

  const RecentFileList recent = ReadRecentFiles(programKey, policies);
  for (qsizetype i = 0; i < recent.Entries().size(); ++i)
    lines.push_back({RecentFilesKeyName(), RecentFileValueName(static_cast<int>(i)), recent.Entries()[i], true});
  return lines;
}

}  // namespace kvf
