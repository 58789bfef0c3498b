#include "platform/registry/MemoryRegistryStore.h"

namespace kvf::platform {

QString MemoryRegistryStore::FullPath(const QString& path) {
  const QString normalized = RegistryTree::NormalizePath(path);
  return normalized.isEmpty() ? QStringLiteral("HKEY_CURRENT_USER")
                              : QStringLiteral("HKEY_CURRENT_USER\\") + normalized;
}

bool MemoryRegistryStore::KeyExists(const QString& path) const { return tree_.HasKey(FullPath(path)); }

bool MemoryRegistryStore::CreateKey(const QString& path) {
  if (!writable_ || RegistryTree::NormalizePath(path).isEmpty()) return false;
  tree_.EnsureKey(FullPath(path));
  return true;
}

bool MemoryRegistryStore::DeleteKey(const QString& path) {
  if (!writable_ || RegistryTree::NormalizePath(path).isEmpty()) return false;
  return tree_.RemoveKey(FullPath(path));
}

QStringList MemoryRegistryStore::SubKeys(const QString& path) const { return tree_.SubKeyNames(FullPath(path)); }

QStringList MemoryRegistryStore::ValueNames(const QString& path) const {
  QStringList names;
  if (const RegistryTree::Key* key = tree_.FindKey(FullPath(path)))
    for (const auto& value : key->values) names << value.first;
  return names;
}

std::optional<RegistryValue> MemoryRegistryStore::Value(const QString& key, const QString& name) const {
  const RegistryValue* value = tree_.FindValue(FullPath(key), name);
  if (value == nullptr) return std::nullopt;
  return *value;
}

bool MemoryRegistryStore::SetValue(const QString& key, const QString& name, const RegistryValue& value) {
  if (!writable_ || RegistryTree::NormalizePath(key).isEmpty()) return false;
  tree_.SetValue(FullPath(key), name, value);
  return true;
}

bool MemoryRegistryStore::DeleteValue(const QString& key, const QString& name) {
  if (!writable_) return false;
  return tree_.RemoveValue(FullPath(key), name);
}

}  // namespace kvf::platform
