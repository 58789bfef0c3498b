#include "core/settings/StartupChecks.h"

#include <QDir>
#include <QFileInfo>
#include <zlib.h>

namespace kvf {

QStringList SplitCommandLine(const QString& commandLine) {
  QStringList arguments;
  QString current;
  bool inArgument = false;
  bool quoted = false;
  const qsizetype size = commandLine.size();
  for (qsizetype i = 0; i < size; ++i) {
    const QChar c = commandLine[i];
    if (c == QLatin1Char('"')) {
      inArgument = true;
      if (i + 1 < size && commandLine[i + 1] == QLatin1Char('"')) {
        current += c;  // "" is one literal quote
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if ((c == QLatin1Char(' ') || c == QLatin1Char('\t')) && !quoted) {
      if (inArgument) arguments << current;
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments << current;
  return arguments;
}

bool HasAutoStartArgument(const QStringList& arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const QString& argument) {
    return argument.compare(QLatin1String("/AutoStart"), Qt::CaseInsensitive) == 0;
  });
}

std::optional<BiText> CheckZlibVersion(const char* version) {
  if (version == nullptr)
    return BiText{QStringLiteral("The file \"ZLib.dll\" is missing!"), QStringLiteral("Filen \"ZLib.dll\" saknas!")};
  const QString text = QString::fromLatin1(version, static_cast<qsizetype>(qstrnlen(version, 16)));
  if (!text.isEmpty() && text[0] == QLatin1Char('1')) return std::nullopt;
  return BiText{QStringLiteral("Incompatible ZLib version (") + text + QStringLiteral(")!"),
                QStringLiteral("Inkompatibel ZLib-version (") + text + QStringLiteral(")!")};
}

std::optional<BiText> CheckLinkedZlib() { return CheckZlibVersion(zlibVersion()); }

BiText AnotherInstanceQuestion(const QString& applicationTitle) {
  return {QStringLiteral("You are already running at least one copy of ") + applicationTitle +
              QStringLiteral(", do you really want to start another one?"),
          QStringLiteral("Du har redan startat minst en kopia av ") + applicationTitle +
              QStringLiteral(", vill du verkligen starta en till?")};
}

SingleInstanceLock::SingleInstanceLock(const QString& lockFilePath) : lock_(lockFilePath) {
  // Only a dead owner makes the lock stale, however long the first copy runs.
  lock_.setStaleLockTime(0);
}

bool SingleInstanceLock::TryAcquire() {
  if (lock_.isLocked()) return true;
  QDir().mkpath(QFileInfo(lock_.fileName()).absolutePath());
  return lock_.tryLock(0);
}

QString SingleInstanceLock::DefaultLockFilePath() {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || QDir::isRelativePath(folder)) folder = QDir::tempPath();
  return folder + QStringLiteral("/KVF Viewer.lock");
}

}  // namespace kvf
