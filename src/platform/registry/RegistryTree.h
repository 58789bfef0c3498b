#pragma once
// The keys and values of a registry hive in memory, with the registry's
// rules: key paths are "\"-separated, key and value names compare without
// regard to case and keep the case they were created with, a key exists when
// it was created or when any key below it exists. The empty value name is
// the key's default value ("@" in .reg text).
//
// Paths are normalised: empty components (leading, trailing or doubled "\")
// are dropped; a path with no component names no key.
#include <QHash>
#include <QString>
#include <QStringList>
#include <map>
#include <utility>
#include <vector>

#include "platform/registry/RegistryValue.h"

namespace kvf::platform {

class RegistryTree {
 public:
  struct Key {
    QString path;  // as created
    std::vector<std::pair<QString, RegistryValue>> values;  // in creation order
    // Position in values by case-folded name, so that a key with many values
    // is searched in constant time. Kept by the tree; read values only.
    QHash<QString, size_t> positions;
  };

  static QString NormalizePath(const QString& path);

  // True when the key was created or lies above a created key.
  bool HasKey(const QString& path) const;
  // The key itself when it was created (not for keys that only lie above others).
  const Key* FindKey(const QString& path) const;
  // Creates the key when missing; returns it. REQUIRES: NormalizePath(path) is not empty.
  Key& EnsureKey(const QString& path);
  // Removes the key and every key below it; false when none existed.
  bool RemoveKey(const QString& path);

  const RegistryValue* FindValue(const QString& path, const QString& name) const;
  // Creates the key when missing; a value of the same name (any case) is
  // replaced and keeps its stored name. Returns the name as stored.
  // REQUIRES: NormalizePath(path) is not empty.
  QString SetValue(const QString& path, const QString& name, const RegistryValue& value);
  bool RemoveValue(const QString& path, const QString& name);

  // The path of an existing key as stored (the normalised argument when it
  // was never created itself).
  QString StoredPath(const QString& path) const;
  // Names of the keys directly below a key, as stored, sorted.
  QStringList SubKeyNames(const QString& path) const;
  // Every created key, parents before children.
  std::vector<const Key*> AllKeys() const;
  // Every created path at or below a key, as stored.
  QStringList PathsAtOrBelow(const QString& path) const;

  bool IsEmpty() const { return keys_.empty(); }
  void Clear() { keys_.clear(); }

 private:
  static QString Fold(const QString& normalizedPath) { return normalizedPath.toCaseFolded(); }
  std::map<QString, Key> keys_;  // by case-folded normalised path
};

}  // namespace kvf::platform
