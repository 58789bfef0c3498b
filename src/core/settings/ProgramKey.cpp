#include "core/settings/ProgramKey.h"

namespace kvf {

using platform::RegistryAccess;
using platform::RegistryKey;

QString ProgramKeyPath() { return QStringLiteral("Software\\Brennvik AB\\KVF Viewer"); }

QString ExplorerPolicyKeyPath() {
  return QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer");
}

ProgramKey OpenProgramKey(platform::RegistryStore& store) {
  constexpr int kErrorFileNotFound = 2;
  constexpr int kErrorAccessDenied = 5;
  ProgramKey result;
  result.key = RegistryKey::Open(store, ProgramKeyPath(), RegistryAccess::Write);
  if (result.key.IsOpen()) return result;
  result.key = RegistryKey::Open(store, ProgramKeyPath(), RegistryAccess::Read);
  if (!result.key.IsOpen()) result.errorCode = store.IsWritable() ? kErrorAccessDenied : kErrorFileNotFound;
  return result;
}

QString ProgramKeyFailureText(int errorCode) {
  return QStringLiteral("Cannot open Windows' Registry, error code: HKCU") + QLatin1Char(' ') +
         QString::number(errorCode) + QStringLiteral(". Some features in this application may not work as expected.");
}

Policies ReadPolicies(platform::RegistryStore& store) {
  Policies policies;
  const RegistryKey key = RegistryKey::Open(store, ExplorerPolicyKeyPath(), RegistryAccess::Read);
  if (!key.IsOpen()) return policies;
  policies.noRecentDocsMenu = key.ReadDword(QStringLiteral("NoRecentDocsMenu")).value_or(0) != 0;
  policies.noSaveSettings = key.ReadDword(QStringLiteral("NoSaveSettings")).value_or(0) != 0;
  return policies;
}

}  // namespace kvf
