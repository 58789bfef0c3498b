#pragma once
// What the main window needs from start-up: the settings store, the
// policies and folders, the clipboard and the printer.
#include <QString>

#include "core/settings/ProgramKey.h"
#include "core/settings/ProgramSettings.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryStore.h"

namespace kvf::app {

struct ViewerEnvironment {
  platform::RegistryStore* store = nullptr;  // REQUIRED; outlives the window
  platform::RegistryKey programKey;          // may be closed (settings keep their defaults)
  Policies policies;
  SpecialFolders folders;
  platform::Clipboard* clipboard = nullptr;  // nullptr: the desktop clipboard
  bool printerAvailable = false;             // a default printer exists
  QString programFolder;                     // where the help files are looked for
};

}  // namespace kvf::app
