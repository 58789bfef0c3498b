#pragma once
// A typed registry store: the part of HKEY_CURRENT_USER the program uses.
// Paths are relative to HKEY_CURRENT_USER ("Software\Brennvik AB\KVF
// Viewer\Last Settings") with "\" separators; key and value names compare
// without regard to case. Values are DWORDs or strings and keep their type.
//
// Implementations: MemoryRegistryStore (tests), FileRegistryStore (a .reg
// file in the user's configuration folder). Most code uses RegistryKey.
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/registry/RegistryValue.h"

namespace kvf::platform {

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;

  // False when writes are refused for this run (read-only file, or a file
  // that could not be read and could not be set aside).
  virtual bool IsWritable() const = 0;

  virtual bool KeyExists(const QString& path) const = 0;
  // Creates the key (and the keys above it). False when refused.
  virtual bool CreateKey(const QString& path) = 0;
  // Removes a key with every key and value below it. False when it did not exist or refused.
  virtual bool DeleteKey(const QString& path) = 0;
  // Names of the keys directly below path.
  virtual QStringList SubKeys(const QString& path) const = 0;
  // Names of the values of a key.
  virtual QStringList ValueNames(const QString& path) const = 0;

  virtual std::optional<RegistryValue> Value(const QString& key, const QString& name) const = 0;
  // Creates the key when missing. False when refused.
  virtual bool SetValue(const QString& key, const QString& name, const RegistryValue& value) = 0;
  virtual bool DeleteValue(const QString& key, const QString& name) = 0;

  // Makes the changes so far durable. True when there was nothing to do.
  virtual bool Flush() { return true; }
};

}  // namespace kvf::platform
