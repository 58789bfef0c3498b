#pragma once
// An open key of a RegistryStore, with the typed helpers the program uses.
//
// A key opened for reading exists when opened and refuses writes; a key
// opened for writing is created when missing. Reads succeed only for a value
// of the asked type: ReadDword a DWORD, ReadString a string, ReadFlag a DWORD
// read as true when, taken as a signed 32-bit number, it is above 0. Writes
// store DWORDs and strings; a flag is written as 1 or 0.
//
// A RegistryKey refers to its store: the store must outlive it. It holds no
// handle, so a key deleted elsewhere simply reads as empty.
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/registry/RegistryStore.h"

namespace kvf::platform {

enum class RegistryAccess { Read, Write };

class RegistryKey {
 public:
  RegistryKey() = default;  // not open

  // Opens a key by its path below HKEY_CURRENT_USER. Read: only when the key
  // exists. Write: creates it when missing; fails when the store refuses.
  static RegistryKey Open(RegistryStore& store, const QString& path, RegistryAccess access);

  bool IsOpen() const { return store_ != nullptr; }
  const QString& Path() const { return path_; }
  RegistryAccess Access() const { return access_; }
  RegistryStore* Store() const { return store_; }

  // A key relative to this one; an empty path gives this key again. Opening
  // for writing needs this key open for writing.
  RegistryKey OpenSubKey(const QString& path, RegistryAccess access) const;
  // Removes a key below this one with everything below it.
  bool DeleteSubKey(const QString& path) const;

  std::optional<uint32_t> ReadDword(const QString& name) const;
  std::optional<bool> ReadFlag(const QString& name) const;
  std::optional<QString> ReadString(const QString& name) const;

  bool WriteDword(const QString& name, uint32_t value) const;
  bool WriteFlag(const QString& name, bool value) const { return WriteDword(name, value ? 1 : 0); }
  bool WriteString(const QString& name, const QString& value) const;
  bool DeleteValue(const QString& name) const;

 private:
  RegistryKey(RegistryStore* store, QString path, RegistryAccess access)
      : store_(store), path_(std::move(path)), access_(access) {}
  QString Child(const QString& path) const;
  bool Writable() const { return store_ != nullptr && access_ == RegistryAccess::Write; }

  RegistryStore* store_ = nullptr;
  QString path_;
  RegistryAccess access_ = RegistryAccess::Read;
};

}  // namespace kvf::platform
