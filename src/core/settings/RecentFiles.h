#pragma once
// The recent-file list of the File menu: at most five paths, the most
// recently closed first, kept in "MRU List" as "Item 00" .. "Item 04".
// With the NoRecentDocsMenu policy the list is not read, kept or written.
#include <QString>
#include <QStringList>
#include <functional>

#include "core/settings/ProgramKey.h"

namespace kvf {

class RecentFileList {
 public:
  static constexpr int kMaxEntries = 5;

  explicit RecentFileList(bool enabled = true) : enabled_(enabled) {}

  bool Enabled() const { return enabled_; }
  const QStringList& Entries() const { return entries_; }

  // AddRecentFile: the path becomes entry 0. When it is already entry k
  // (compared without regard to case) entries 0 .. k - 1 move down one place;
  // otherwise every entry moves down and the fifth falls out. Empty paths and
  // a disabled list are ignored.
  void Add(const QString& path);

  // Replaces the entries (at most kMaxEntries are kept).
  void SetEntries(const QStringList& entries);

 private:
  bool enabled_;
  QStringList entries_;
};

QString RecentFilesKeyName();               // "MRU List"
QString RecentFileValueName(int index);     // "Item 00" .. "Item 04"

// Reads "Item 00", "Item 01", ... up to the first value that is missing,
// empty or not a string. An empty, disabled list under the policy.
RecentFileList ReadRecentFiles(const platform::RegistryKey& programKey, const Policies& policies);
// Writes the entries as "Item 00" onwards; values beyond the count are left
// as they are. False when the policy forbids it or the store refuses.
bool WriteRecentFiles(const platform::RegistryKey& programKey, const Policies& policies, const RecentFileList& list);

// The width of a text in pixels in the menu's font.
using TextWidthFunction = std::function<int(const QString&)>;

// Shortens a path to fit maxWidth pixels as the Windows shell does: the
// start of the folder part is kept, then "...", then the separator and the
// file name; never shorter than "..." + separator + file name. A path that
// fits, or that has no separator, is returned unchanged.
QString CompactPath(const QString& path, const TextWidthFunction& width, int maxWidth);

// The text an entry shows: its folder part (through the last separator)
// followed by the file's display name, compacted to maxWidth pixels.
QString RecentFileDisplayPath(const QString& path, const TextWidthFunction& width, int maxWidth);

// The menu caption of entry index (0-based): "&1 " + the display path with
// every "&" doubled.
QString RecentFileCaption(int index, const QString& displayPath);

// The width the menu allows for a display path: 4500 twips in pixels.
int RecentFileMaxWidthPixels(double dotsPerInch);

}  // namespace kvf
