#pragma once
// What the user is told about the settings file: the store's state (read,
// set aside, unreadable, denied, not written) as a Status whose message
// names the file, the faulty line and where an unreadable file was kept.
#include "core/text/Result.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf {

// Ok when the file was read (or is absent); else a failure whose code is
// the store's status (FileRegistryStore::Status as an int).
Status SettingsFileStatus(const platform::FileRegistryStore& store);

}  // namespace kvf
