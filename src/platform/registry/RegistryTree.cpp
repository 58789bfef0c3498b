#include "platform/registry/RegistryTree.h"

#include <algorithm>

namespace kvf::platform {

QString RegistryTree::NormalizePath(const QString& path) {
  QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
  return parts.join(QLatin1Char('\\'));
}

bool RegistryTree::HasKey(const QString& path) const {
  const QString normalized = NormalizePath(path);
  if (normalized.isEmpty()) return false;
  const QString folded = Fold(normalized);
  if (keys_.count(folded) != 0) return true;
  const QString prefix = folded + QLatin1Char('\\');
  const auto it = keys_.lower_bound(prefix);
  return it != keys_.end() && it->first.startsWith(prefix);
}

const RegistryTree::Key* RegistryTree::FindKey(const QString& path) const {
  const auto it = keys_.find(Fold(NormalizePath(path)));
  return it == keys_.end() ? nullptr : &it->second;
}

RegistryTree::Key& RegistryTree::EnsureKey(const QString& path) {
  const QString normalized = NormalizePath(path);
  Key& key = keys_[Fold(normalized)];
  if (key.path.isEmpty()) key.path = normalized;
  return key;
}

bool RegistryTree::RemoveKey(const QString& path) {
  const QString normalized = NormalizePath(path);
  if (normalized.isEmpty()) return false;
  const QString folded = Fold(normalized);
  bool removed = keys_.erase(folded) != 0;
  const QString prefix = folded + QLatin1Char('\\');
  auto it = keys_.lower_bound(prefix);
  while (it != keys_.end() && it->first.startsWith(prefix)) {
    it = keys_.erase(it);
    removed = true;
  }
  return removed;
}

const RegistryValue* RegistryTree::FindValue(const QString& path, const QString& name) const {
  const Key* key = FindKey(path);
  if (key == nullptr) return nullptr;
  const auto it = key->positions.constFind(name.toCaseFolded());
  return it == key->positions.cend() ? nullptr : &key->values[it.value()].second;
}

QString RegistryTree::SetValue(const QString& path, const QString& name, const RegistryValue& value) {
  Key& key = EnsureKey(path);
  const QString folded = name.toCaseFolded();
  if (const auto it = key.positions.constFind(folded); it != key.positions.cend()) {
    auto& entry = key.values[it.value()];
    entry.second = value;
    return entry.first;
  }
  key.positions.insert(folded, key.values.size());
  key.values.emplace_back(name, value);
  return name;
}

bool RegistryTree::RemoveValue(const QString& path, const QString& name) {
  const auto keyIt = keys_.find(Fold(NormalizePath(path)));
  if (keyIt == keys_.end()) return false;
  Key& key = keyIt->second;
  const auto it = key.positions.constFind(name.toCaseFolded());
  if (it == key.positions.cend()) return false;
  const size_t removed = it.value();
  key.positions.erase(it);
  key.values.erase(key.values.begin() + static_cast<std::ptrdiff_t>(removed));
  for (auto& position : key.positions) {
    if (position > removed) --position;
  }
  return true;
}

QString RegistryTree::StoredPath(const QString& path) const {
  const QString normalized = NormalizePath(path);
  const Key* key = FindKey(normalized);
  if (key != nullptr) return key->path;
  // A key that only lies above created keys: take its casing from the first one below it.
  const QString prefix = Fold(normalized) + QLatin1Char('\\');
  const auto it = keys_.lower_bound(prefix);
  if (it != keys_.end() && it->first.startsWith(prefix)) return it->second.path.left(normalized.size());
  return normalized;
}

QStringList RegistryTree::SubKeyNames(const QString& path) const {
  const QString normalized = NormalizePath(path);
  const QString prefix = normalized.isEmpty() ? QString() : Fold(normalized) + QLatin1Char('\\');
  QStringList names;
  QString lastFolded;
  for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.startsWith(prefix); ++it) {
    const qsizetype start = prefix.size();
    qsizetype end = it->first.indexOf(QLatin1Char('\\'), start);
    if (end < 0) end = it->first.size();
    const QString folded = it->first.mid(start, end - start);
    if (folded == lastFolded) continue;
    lastFolded = folded;
    names << it->second.path.mid(start, end - start);
  }
  return names;
}

std::vector<const RegistryTree::Key*> RegistryTree::AllKeys() const {
  std::vector<const Key*> all;
  all.reserve(keys_.size());
  for (const auto& entry : keys_) all.push_back(&entry.second);
  return all;
}

QStringList RegistryTree::PathsAtOrBelow(const QString& path) const {
  const QString normalized = NormalizePath(path);
  QStringList paths;
  if (normalized.isEmpty()) return paths;
  const QString folded = Fold(normalized);
  if (const auto it = keys_.find(folded); it != keys_.end()) paths << it->second.path;
  const QString prefix = folded + QLatin1Char('\\');
  for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.startsWith(prefix); ++it)
    paths << it->second.path;
  return paths;
}

}  // namespace kvf::platform
