#include "platform/registry/RegistryKey.h"

#include "platform/registry/RegistryTree.h"

namespace kvf::platform {

RegistryKey RegistryKey::Open(RegistryStore& store, const QString& path, RegistryAccess access) {
  const QString normalized = RegistryTree::NormalizePath(path);
  if (normalized.isEmpty()) return {};
  if (access == RegistryAccess::Read) {
    if (!store.KeyExists(normalized)) return {};
  } else if (!store.CreateKey(normalized)) {
    return {};
  }
  return RegistryKey(&store, normalized, access);
}

QString RegistryKey::Child(const QString& path) const {
  const QString relative = RegistryTree::NormalizePath(path);
  return relative.isEmpty() ? path_ : path_ + QLatin1Char('\\') + relative;
}

RegistryKey RegistryKey::OpenSubKey(const QString& path, RegistryAccess access) const {
  if (store_ == nullptr) return {};
  if (access == RegistryAccess::Write && access_ != RegistryAccess::Write) return {};
  return Open(*store_, Child(path), access);
}

bool RegistryKey::DeleteSubKey(const QString& path) const {
  if (!Writable() || RegistryTree::NormalizePath(path).isEmpty()) return false;
  return store_->DeleteKey(Child(path));
}

std::optional<uint32_t> RegistryKey::ReadDword(const QString& name) const {
  if (store_ == nullptr) return std::nullopt;
  const auto value = store_->Value(path_, name);
  if (!value || value->type != RegistryType::Dword) return std::nullopt;
  return value->dword;
}

std::optional<bool> RegistryKey::ReadFlag(const QString& name) const {
  const auto value = ReadDword(name);
  if (!value) return std::nullopt;
  return static_cast<int32_t>(*value) > 0;
}

std::optional<QString> RegistryKey::ReadString(const QString& name) const {
  if (store_ == nullptr) return std::nullopt;
  const auto value = store_->Value(path_, name);
  if (!value || value->type != RegistryType::String) return std::nullopt;
  return value->text;
}

bool RegistryKey::WriteDword(const QString& name, uint32_t value) const {
  return Writable() && store_->SetValue(path_, name, RegistryValue::Dword(value));
}

bool RegistryKey::WriteString(const QString& name, const QString& value) const {
  return Writable() && store_->SetValue(path_, name, RegistryValue::String(value));
}

bool RegistryKey::DeleteValue(const QString& name) const {
  return Writable() && store_->DeleteValue(path_, name);
}

}  // namespace kvf::platform
