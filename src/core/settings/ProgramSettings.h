#pragma once
// The program's remembered values: "Last Settings" (written at exit) and
// "Settings" (the options, written when they change), with their defaults.
//
// Reading: a value that is missing or stored with another type keeps its
// default. A flag is a DWORD read as true when above 0. Writing is skipped
// when the NoSaveSettings policy is set; a write that fails is ignored.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "core/settings/ProgramKey.h"

namespace kvf {

struct LastSettings {
  QString dataOpenFolder;   // default: the documents folder
  QString graphSaveFolder;  // default: the pictures folder, else the documents folder
  int32_t graphSaveFormat = 1;
  int32_t graphWindowWidth = 10200;          // twips
  int32_t graphPointHeight = 978;            // twips
  int32_t questionGraphWindowWidth = 9300;   // twips
  int32_t questionGraphBarWidth = 46;
  bool distributionGraphInPercent = false;
  bool distributionGraphIn3D = false;
  bool distributionGraphHasHorizontalBars = false;
  bool distributionGraphHasVerticalLabels = false;
  int32_t totalIndexGraphIndexLines = 0;
  bool totalIndexGraphIndexLinesShowExplanation = false;
  bool totalIndexGraphHasHorizontalBars = false;
  bool totalIndexGraphHasVerticalLabels = true;
  bool totalIndexGraphHasDataLabels = true;
  int32_t blockIndexGraphIndexLines = 0;
  bool blockIndexGraphIndexLinesShowExplanation = false;
  bool blockIndexGraphHasHorizontalBars = false;
  bool blockIndexGraphHasVerticalLabels = true;
  bool blockIndexGraphHasDataLabels = true;
  QString printerDeviceName;
  int32_t printerBindingMargin = 1701;  // twips (3 cm)
  int32_t printerOtherMargins = 567;    // twips (1 cm)
};

// The options ("Settings" key).
struct ProgramOptions {
  bool navigatorRemindToClickShow = true;
  bool navigatorAddBeepToReminder = false;
  bool overviewGroupLines = true;
  int32_t overviewRowOrder = 0;
  int32_t overviewMaxRows = 300;
  bool graphValueOrderReversed = false;
  bool graphCopySaveOpaque = false;
  bool graphCopySaveWhiteSpace = false;
  bool graphCopyToMsOffice = false;
  bool graphByCategoryUseShortCategoryNames = true;
  int32_t graphLegends = 6;
  int32_t graphCopyFormat = 2;
};

// The user's documents and pictures folders (empty when unknown).
struct SpecialFolders {
  QString documents;
  QString pictures;
};
// The folders of this user, from the desktop's standard locations.
SpecialFolders SystemSpecialFolders();

// Key names below the program key.
QString LastSettingsKeyName();  // "Last Settings"
QString OptionsKeyName();       // "Settings"

// Sets the defaults, then reads the stored values; an empty "Data Open
// Folder" becomes the documents folder, an empty "Graph Save Folder" the
// pictures folder or, when that is empty too, the documents folder.
// storedNames (optional) receives the names of the values taken from the store.
LastSettings ReadLastSettings(const platform::RegistryKey& programKey, const SpecialFolders& folders,
                              QStringList* storedNames = nullptr);
// Writes every value; false when skipped by policy or refused.
bool WriteLastSettings(const platform::RegistryKey& programKey, const Policies& policies,
                       const LastSettings& settings);

// ReadSettings: the options' defaults, then the stored values.
ProgramOptions ReadSettings(const platform::RegistryKey& programKey, QStringList* storedNames = nullptr);
bool WriteSettings(const platform::RegistryKey& programKey, const Policies& policies, const ProgramOptions& options);

// One effective setting for display: "Last Settings", "Graph Save Format",
// "1", false.
struct SettingLine {
  QString key;  // below the program key, or the policy key's path
  QString name;
  QString value;  // DWORDs in decimal, flags as true/false, strings as stored
  bool fromStore = false;
};

// Every effective program setting: the two policies, "Last Settings",
// "Settings" and the recent-file list (its stored entries; none when the
// policy turns it off).
std::vector<SettingLine> DescribeProgramSettings(platform::RegistryStore& store, const SpecialFolders& folders);

}  // namespace kvf
