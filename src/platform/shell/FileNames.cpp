#include "platform/shell/FileNames.h"

#include <QDir>

namespace kvf::platform {
namespace {
qsizetype LastSeparator(const QString& path) {
  qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  const QChar native = QDir::separator();
  if (native != QLatin1Char('/')) slash = std::max(slash, path.lastIndexOf(native));
  return slash;
}
}  // namespace

QString FolderOfPath(const QString& path) {
  const qsizetype at = LastSeparator(path);
  return at < 0 ? QString() : path.left(at);
}

QString FileNameOfPath(const QString& path) {
  const qsizetype at = LastSeparator(path);
  return at < 0 ? path : path.mid(at + 1);
}

QString FileDisplayTitle(const QString& path) { return FileNameOfPath(path); }

}  // namespace kvf::platform
