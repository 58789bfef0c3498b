#pragma once
// Where the program's settings live in the registry store, the program key,
// and the two Explorer policy values that switch parts of them off.
#include <QString>

#include "core/text/BiText.h"
#include "platform/registry/RegistryKey.h"

namespace kvf {

// "Software\Brennvik AB\KVF Viewer", below HKEY_CURRENT_USER.
QString ProgramKeyPath();
// "Software\Microsoft\Windows\CurrentVersion\Policies\Explorer".
QString ExplorerPolicyKeyPath();

struct ProgramKey {
  platform::RegistryKey key;  // not open when both attempts failed
  int errorCode = 0;          // 0, or the system error number of the failed open
};

// Creates or opens the program key for reading and writing; when that is
// refused, opens it for reading only. The store must outlive the key.
ProgramKey OpenProgramKey(platform::RegistryStore& store);

// "Cannot open Windows' Registry, error code: HKCU <n>. Some features in this
// application may not work as expected." (English only.)
QString ProgramKeyFailureText(int errorCode);

struct Policies {
  // The recent-file list is not read, kept, written or shown.
  bool noRecentDocsMenu = false;
  // Last settings, options, window placements, the navigator's list height
  // and block definitions are not written (they still change in memory).
  bool noSaveSettings = false;
};

// Reads both policy values (DWORD, non-zero = set); anything else leaves a
// policy unset.
Policies ReadPolicies(platform::RegistryStore& store);

}  // namespace kvf
