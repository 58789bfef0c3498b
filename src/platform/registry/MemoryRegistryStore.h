#pragma once
// A registry store that lives in memory only (tests, and the model behind
// the file store).
#include "platform/registry/RegistryStore.h"
#include "platform/registry/RegistryTree.h"

namespace kvf::platform {

class MemoryRegistryStore : public RegistryStore {
 public:
  MemoryRegistryStore() = default;

  // A read-only store refuses every change (as a registry opened without
  // write access would).
  void SetWritable(bool writable) { writable_ = writable; }

  bool IsWritable() const override { return writable_; }
  bool KeyExists(const QString& path) const override;
  bool CreateKey(const QString& path) override;
  bool DeleteKey(const QString& path) override;
  QStringList SubKeys(const QString& path) const override;
  QStringList ValueNames(const QString& path) const override;
  std::optional<RegistryValue> Value(const QString& key, const QString& name) const override;
  bool SetValue(const QString& key, const QString& name, const RegistryValue& value) override;
  bool DeleteValue(const QString& key, const QString& name) override;

  // The whole hive; paths inside start with "HKEY_CURRENT_USER\".
  const RegistryTree& Tree() const { return tree_; }

  static QString FullPath(const QString& path);

 protected:
  RegistryTree& MutableTree() { return tree_; }

 private:
  RegistryTree tree_;
  bool writable_ = true;
};

}  // namespace kvf::platform
