#include "core/settings/RecentFiles.h"

#include <cmath>

#include "platform/shell/FileNames.h"

namespace kvf {

using platform::RegistryAccess;
using platform::RegistryKey;

void RecentFileList::Add(const QString& path) {
  if (!enabled_ || path.isEmpty()) return;
  for (qsizetype k = 0; k < entries_.size(); ++k) {
    if (entries_[k].compare(path, Qt::CaseInsensitive) == 0) {
      entries_.removeAt(k);
      break;
    }
  }
  entries_.prepend(path);
  while (entries_.size() > kMaxEntries) entries_.removeLast();
}

void RecentFileList::SetEntries(const QStringList& entries) { entries_ = entries.mid(0, kMaxEntries); }

QString RecentFilesKeyName() { return QStringLiteral("MRU List"); }

QString RecentFileValueName(int index) {
  return QStringLiteral("Item %1").arg(index, 2, 10, QLatin1Char('0'));
}

RecentFileList ReadRecentFiles(const RegistryKey& programKey, const Policies& policies) {
  RecentFileList list(!policies.noRecentDocsMenu);
  if (policies.noRecentDocsMenu) return list;
  const RegistryKey key = programKey.OpenSubKey(RecentFilesKeyName(), RegistryAccess::Read);
  QStringList entries;
  for (int i = 0; i < RecentFileList::kMaxEntries && key.IsOpen(); ++i) {
    const auto value = key.ReadString(RecentFileValueName(i));
    if (!value || value->isEmpty()) break;
    entries << *value;
  }
  list.SetEntries(entries);
  return list;
}

bool WriteRecentFiles(const RegistryKey& programKey, const Policies& policies, const RecentFileList& list) {
  if (policies.noRecentDocsMenu) return false;
  const RegistryKey key = programKey.OpenSubKey(RecentFilesKeyName(), RegistryAccess::Write);
  if (!key.IsOpen()) return false;
  bool ok = true;
  for (qsizetype i = 0; i < list.Entries().size(); ++i)
    ok &= key.WriteString(RecentFileValueName(static_cast<int>(i)), list.Entries()[i]);
  return key.Store()->Flush() && ok;
}

namespace {
qsizetype LastSeparator(const QString& path) {
  return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}
}  // namespace

QString CompactPath(const QString& path, const TextWidthFunction& width, int maxWidth) {
  if (!width || width(path) <= maxWidth) return path;
  const qsizetype separator = LastSeparator(path);
  if (separator < 0) return path;
  const QString tail = path.mid(separator);
  const QString ellipsis = QStringLiteral("...");
  // The longest start of the folder part that fits; widths grow with length.
  qsizetype low = 0, high = separator;  // candidates: 0 .. separator - 1 characters kept
  qsizetype best = -1;
  while (low < high) {
    const qsizetype mid = (low + high) / 2;
    if (width(path.left(mid) + ellipsis + tail) <= maxWidth) {
      best = mid;
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return best < 0 ? ellipsis + tail : path.left(best) + ellipsis + tail;
}

QString RecentFileDisplayPath(const QString& path, const TextWidthFunction& width, int maxWidth) {
  const qsizetype separator = LastSeparator(path);
  const QString shown = path.left(separator + 1) + platform::FileDisplayTitle(path);
  return CompactPath(shown, width, maxWidth);
}

QString RecentFileCaption(int index, const QString& displayPath) {
  QString doubled = displayPath;
  doubled.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + doubled;
}

int RecentFileMaxWidthPixels(double dotsPerInch) {
  return static_cast<int>(std::lround(4500.0 * dotsPerInch / 1440.0));
}

}  // namespace kvf
