#pragma once
// The registry store of a user on Linux: one .reg file (see RegText.h),
// read and written through QSettings with a registered format, so a save
// replaces the file atomically and under QSettings' file lock.
//
// Changes are kept in memory and go to the file on Flush() (and when the
// store is destroyed). A file that cannot be parsed is never overwritten
// blindly: the store starts empty (every setting keeps its default), and a
// copy of the unreadable file is kept beside it ("<name>.unreadable-<time>")
// before anything is written. When no copy can be made the store refuses
// every change for the run. GetStatus(), BackupPath() and ParseError() say
// what happened; core/settings makes the user's message of them
// (SettingsFileStatus).
//
// The same rule holds at every save: when the file on disk no longer parses
// (another program replaced it while this one ran), it is set aside first
// and the whole store is written, not only this run's changes. A read-only
// store (for programs that only read settings) never writes, copies or
// replaces the file, whatever it holds.
#include <QString>
#include <memory>
#include <optional>

#include "platform/registry/MemoryRegistryStore.h"
#include "platform/registry/RegText.h"

class QSettings;

namespace kvf::platform {

class FileRegistryStore : public MemoryRegistryStore {
 public:
  enum class Status {
    Ok,             // read (or absent: an empty store)
    SetAside,       // unreadable; a copy was kept and the store starts empty
    Unreadable,     // unreadable and no copy could be made: read-only, empty
    AccessDenied,   // the file exists but cannot be opened: read-only, empty
    WriteFailed,    // a flush could not replace the file
    Damaged         // read-only store: unreadable, the defaults are used
  };
  enum class Access { ReadWrite, ReadOnly };

  explicit FileRegistryStore(const QString& filePath, Access access = Access::ReadWrite);
  ~FileRegistryStore() override;
  FileRegistryStore(const FileRegistryStore&) = delete;
  FileRegistryStore& operator=(const FileRegistryStore&) = delete;

  const QString& FilePath() const { return filePath_; }
  Status GetStatus() const { return status_; }
  // Where the unreadable file was copied (SetAside only).
  const QString& BackupPath() const { return backupPath_; }
  // The fault of an unreadable file (SetAside, Unreadable, Damaged); else nothing.
  const std::optional<RegTextError>& ParseError() const { return parseError_; }

  bool CreateKey(const QString& path) override;
  bool DeleteKey(const QString& path) override;
  bool SetValue(const QString& key, const QString& name, const RegistryValue& value) override;
  bool DeleteValue(const QString& key, const QString& name) override;
  bool Flush() override;

 private:
  void Load();
  bool SetAsideUnreadableFile();
  // The parser's complaint when the file exists, can be read and does not
  // parse; nothing otherwise.
  std::optional<RegTextError> FaultOfFileOnDisk() const;
  // Hands every key and value of the tree to QSettings again, so that the
  // next save writes all of them.
  void RestoreAllEntries();
  void MarkKey(const QString& storedFullPath);

  QString filePath_;
  Access access_ = Access::ReadWrite;
  std::unique_ptr<QSettings> settings_;
  Status status_ = Status::Ok;
  QString backupPath_;
  std::optional<RegTextError> parseError_;
  bool pending_ = false;
  bool formatErrorExpected_ = false;
};

// $XDG_CONFIG_HOME/Brennvik AB/KVF Viewer.reg; ~/.config when the variable is
// unset, empty or not an absolute path.
QString DefaultRegistryFilePath();

// The store of this process at DefaultRegistryFilePath(), opened on first use
// with the access of that first call.
FileRegistryStore& UserRegistryStore(FileRegistryStore::Access access = FileRegistryStore::Access::ReadWrite);

}  // namespace kvf::platform
