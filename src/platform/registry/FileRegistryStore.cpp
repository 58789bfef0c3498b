#include "platform/registry/FileRegistryStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "platform/registry/RegText.h"

namespace kvf::platform {
namespace {

// QSettings carries the tree as flat entries: "<key path>/k" marks a created
// key, "<key path>/v<name>" holds a value (uint: DWORD, QString: string,
// QByteArray: the data text of another type). Paths and names are
// percent-encoded so that "/" and "\" inside them never reach QSettings'
// own key syntax.
QString Encode(const QString& text) { return QString::fromLatin1(text.toUtf8().toPercentEncoding()); }
QString Decode(QStringView text) { return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toLatin1())); }

QString KeyMarker(const QString& fullPath) { return Encode(fullPath) + QStringLiteral("/k"); }
QString ValueEntry(const QString& fullPath, const QString& name) {
  return Encode(fullPath) + QStringLiteral("/v") + Encode(name);
}

QVariant ToVariant(const RegistryValue& value) {
  switch (value.type) {
    case RegistryType::Dword:
      return QVariant::fromValue<uint>(value.dword);
    case RegistryType::String:
      return value.text;
    case RegistryType::Other:
      return value.text.toUtf8();
  }
  return {};
}

RegistryValue FromVariant(const QVariant& variant) {
  switch (variant.metaType().id()) {
    case QMetaType::UInt:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
      return RegistryValue::Dword(static_cast<uint32_t>(variant.toULongLong()));
    case QMetaType::Bool:
      return RegistryValue::Dword(variant.toBool() ? 1 : 0);
    case QMetaType::QByteArray:
      return RegistryValue::Other(QString::fromUtf8(variant.toByteArray()));
    default:
      return RegistryValue::String(variant.toString());
  }
}

void MapToTree(const QSettings::SettingsMap& map, RegistryTree* tree) {
  for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
    const QString& entry = it.key();
    const qsizetype slash = entry.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) continue;
    const QString path = Decode(QStringView(entry).left(slash));
    if (RegistryTree::NormalizePath(path).isEmpty()) continue;
    const QStringView tail = QStringView(entry).mid(slash + 1);
    if (tail == QLatin1String("k")) {
      tree->EnsureKey(path);
    } else if (tail.startsWith(QLatin1Char('v'))) {
      tree->SetValue(path, Decode(tail.mid(1)), FromVariant(it.value()));
    }
  }
}

std::optional<RegTextError>& LastParseError() {
  static std::optional<RegTextError> error;
  return error;
}

bool ReadRegFile(QIODevice& device, QSettings::SettingsMap& map) {
  RegistryTree tree;
  if (std::optional<RegTextError> error = ParseRegText(device.readAll(), &tree)) {
    LastParseError() = std::move(error);
    return false;
  }
  for (const RegistryTree::Key* key : tree.AllKeys()) {
    map.insert(KeyMarker(key->path), true);
    for (const auto& [name, value] : key->values) map.insert(ValueEntry(key->path, name), ToVariant(value));
  }
  return true;
}

bool WriteRegFile(QIODevice& device, const QSettings::SettingsMap& map) {
  RegistryTree tree;
  MapToTree(map, &tree);
  const QByteArray bytes = FormatRegText(tree);
  return device.write(bytes) == bytes.size();
}

QSettings::Format RegFormat() {
  static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("reg"), ReadRegFile, WriteRegFile);
  return format;
}

bool SameContents(const QString& a, const QString& b) {
  QFile fa(a), fb(b);
  if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
  return fa.size() == fb.size() && fa.readAll() == fb.readAll();
}

}  // namespace

FileRegistryStore::FileRegistryStore(const QString& filePath, Access access) : filePath_(filePath), access_(access) {
  Load();
  if (access_ == Access::ReadOnly) SetWritable(false);
}

FileRegistryStore::~FileRegistryStore() { Flush(); }

void FileRegistryStore::Load() {
  LastParseError().reset();
  settings_ = std::make_unique<QSettings>(filePath_, RegFormat());
  switch (settings_->status()) {
    case QSettings::NoError: {
      QSettings::SettingsMap map;
      for (const QString& entry : settings_->allKeys()) map.insert(entry, settings_->value(entry));
      MapToTree(map, &MutableTree());
      return;
    }
    case QSettings::FormatError:
      parseError_ = LastParseError();
      if (access_ == Access::ReadOnly) {
        status_ = Status::Damaged;
      } else if (SetAsideUnreadableFile()) {
        status_ = Status::SetAside;
        // QSettings keeps its first error for good; a fresh object starts
        // clean, with nothing read, and its first save replaces the file.
        settings_ = std::make_unique<QSettings>(filePath_, RegFormat());
        // Should it read the damaged file again, its error stays: saves still
        // replace the file, and only other errors count as failures.
        formatErrorExpected_ = settings_->status() == QSettings::FormatError;
      } else {
        status_ = Status::Unreadable;
        SetWritable(false);
      }
      return;
    case QSettings::AccessError:
      status_ = Status::AccessDenied;
      SetWritable(false);
      return;
  }
}

bool FileRegistryStore::SetAsideUnreadableFile() {
  const QFileInfo info(filePath_);
  const QDir folder = info.absoluteDir();
  const QString stem = info.fileName() + QStringLiteral(".unreadable");
  // A copy of the same bytes kept by an earlier run is enough.
  for (const QString& name : folder.entryList({stem + QStringLiteral("*")}, QDir::Files)) {
    if (SameContents(folder.filePath(name), filePath_)) {
      backupPath_ = folder.filePath(name);
      return true;
    }
  }
  const QString base = folder.filePath(stem + QLatin1Char('-') +
                                       QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
  QString target = base;
  for (int n = 2; QFileInfo::exists(target); ++n) target = base + QLatin1Char('-') + QString::number(n);
  if (!QFile::copy(filePath_, target)) return false;
  backupPath_ = target;
  return true;
}

void FileRegistryStore::MarkKey(const QString& storedFullPath) {
  settings_->setValue(KeyMarker(storedFullPath), true);
  pending_ = true;
}

bool FileRegistryStore::CreateKey(const QString& path) {
  if (!MemoryRegistryStore::CreateKey(path)) return false;
  MarkKey(Tree().StoredPath(FullPath(path)));
  return true;
}

bool FileRegistryStore::DeleteKey(const QString& path) {
  if (!IsWritable()) return false;
  const QStringList paths = Tree().PathsAtOrBelow(FullPath(path));
  if (!MemoryRegistryStore::DeleteKey(path)) return false;
  for (const QString& stored : paths) settings_->remove(Encode(stored));
  pending_ = true;
  return true;
}

bool FileRegistryStore::SetValue(const QString& key, const QString& name, const RegistryValue& value) {
  if (!IsWritable() || RegistryTree::NormalizePath(key).isEmpty()) return false;
  const QString full = FullPath(key);
  const QString storedName = MutableTree().SetValue(full, name, value);
  const QString storedPath = Tree().StoredPath(full);
  MarkKey(storedPath);
  settings_->setValue(ValueEntry(storedPath, storedName), ToVariant(value));
  return true;
}

bool FileRegistryStore::DeleteValue(const QString& key, const QString& name) {
  if (!IsWritable()) return false;
  const QString full = FullPath(key);
  const RegistryTree::Key* stored = Tree().FindKey(full);
  if (stored == nullptr) return false;
  QString storedName;
  for (const auto& entry : stored->values)
    if (entry.first.compare(name, Qt::CaseInsensitive) == 0) storedName = entry.first;
  const QString storedPath = stored->path;
  if (!MemoryRegistryStore::DeleteValue(key, name)) return false;
  settings_->remove(ValueEntry(storedPath, storedName));
  pending_ = true;
  return true;
}

std::optional<RegTextError> FileRegistryStore::FaultOfFileOnDisk() const {
  QFile file(filePath_);
  if (!file.exists() || !file.open(QIODevice::ReadOnly)) return std::nullopt;  // nothing to lose, or QSettings says
  RegistryTree scratch;
  return ParseRegText(file.readAll(), &scratch);
}

void FileRegistryStore::RestoreAllEntries() {
  for (const RegistryTree::Key* key : Tree().AllKeys()) {
    settings_->setValue(KeyMarker(key->path), true);
    for (const auto& [name, value] : key->values) settings_->setValue(ValueEntry(key->path, name), ToVariant(value));
  }
}

bool FileRegistryStore::Flush() {
  if (!pending_ || !IsWritable()) return true;
  QDir().mkpath(QFileInfo(filePath_).absolutePath());
  if (std::optional<RegTextError> fault = FaultOfFileOnDisk()) {
    // The file became unreadable since it was read (or was so from the
    // start): a save would keep only this run's changes. Keep a copy of it
    // and write everything the store holds.
    parseError_ = std::move(fault);
    if (!SetAsideUnreadableFile()) {
      status_ = Status::WriteFailed;
      return false;
    }
    status_ = Status::SetAside;
    formatErrorExpected_ = true;
    RestoreAllEntries();
  }
  settings_->sync();
  pending_ = false;
  const QSettings::Status status = settings_->status();
  if (status == QSettings::NoError || (status == QSettings::FormatError && formatErrorExpected_)) return true;
  status_ = Status::WriteFailed;
  return false;
}

QString DefaultRegistryFilePath() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
  return base + QStringLiteral("/Brennvik AB/KVF Viewer.reg");
}

FileRegistryStore& UserRegistryStore(FileRegistryStore::Access access) {
  static FileRegistryStore store(DefaultRegistryFilePath(), access);
  return store;
}

}  // namespace kvf::platform
