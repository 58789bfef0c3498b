#include "platform/system/SystemFacts.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimeZone>

namespace kvf::platform {

namespace {

// No file we read is anywhere near this; a larger one is cut here.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

QByteArray ReadSmallFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  // /proc files report a size of 0: read until the end or the budget, in
  // chunks (the kernel refuses very large reads of some of them).
  QByteArray text;
  while (text.size() < kMaxFileBytes) {
    const QByteArray chunk = file.read(64 * 1024);
    if (chunk.isEmpty()) break;
    text += chunk;
  }
  return text;
}

QString FirstLine(const QByteArray& text) {
  const qsizetype end = text.indexOf('\n');
  return QString::fromUtf8(end < 0 ? text : text.left(end)).trimmed();
}

// Splits "name<blanks>: value" into its trimmed parts; false without a colon.
bool SplitField(const QByteArray& line, QByteArray* name, QByteArray* value) {
  const qsizetype colon = line.indexOf(':');
  if (colon < 0) return false;
  *name = line.left(colon).trimmed();
  *value = line.mid(colon + 1).trimmed();
  return true;
}

}  // namespace

ProcessorFacts ParseCpuInfo(const QByteArray& text) {
  ProcessorFacts facts;
  bool firstEntry = true;
  QByteArray name;
  QByteArray value;
  for (const QByteArray& line : text.split('\n')) {
    if (line.trimmed().isEmpty()) {
      if (facts.logicalProcessors > 0) firstEntry = false;
      continue;
    }
    if (!SplitField(line, &name, &value)) continue;
    if (name == "processor") {
      ++facts.logicalProcessors;
      continue;
    }
    if (!firstEntry) continue;
    const QString v = QString::fromUtf8(value);
    if (name == "model name" || ((name == "Processor" || name == "Hardware") && facts.modelName.isEmpty()))
      facts.modelName = v;
    else if (name == "cpu family")
      facts.family = v;
    else if (name == "model")
      facts.model = v;
    else if (name == "stepping")
      facts.stepping = v;
    else if (name == "cpu cores")
      facts.cores = v.toInt();
    else if ((name == "flags" || name == "Features") && !facts.hasFeatureFlags) {
      facts.hasFeatureFlags = true;
      for (const QByteArray& word : value.split(' '))
        if (!word.isEmpty()) facts.featureFlags.insert(QString::fromLatin1(word));
    }
  }
  return facts;
}

MemoryFacts ParseMemInfo(const QByteArray& text) {
  MemoryFacts facts;
  std::optional<int64_t> memFree;
  QByteArray name;
  QByteArray value;
  for (const QByteArray& line : text.split('\n')) {
    if (!SplitField(line, &name, &value)) continue;
    bool ok = false;
    const qlonglong kb = value.split(' ').first().toLongLong(&ok);
    if (!ok || kb < 0) continue;
    if (name == "MemTotal")
      facts.totalKb = kb;
    else if (name == "MemAvailable")
      facts.availableKb = kb;
    else if (name == "MemFree")
      memFree = kb;
    else if (name == "SwapTotal")
      facts.swapTotalKb = kb;
    else if (name == "SwapFree")
      facts.swapFreeKb = kb;
  }
  if (!facts.availableKb) facts.availableKb = memFree;
  return facts;
}

SystemFacts ReadSystemFacts(const SystemFactSources& sources) {
  SystemFacts facts;
  facts.cpuArchitecture = QSysInfo::currentCpuArchitecture();
  facts.productName = QSysInfo::prettyProductName();
  facts.kernelRelease = FirstLine(ReadSmallFile(sources.kernelRelease));
  facts.kernelBuild = FirstLine(ReadSmallFile(sources.kernelVersion));
  facts.desktopSession = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
  if (facts.desktopSession.isEmpty()) facts.desktopSession = qEnvironmentVariable("DESKTOP_SESSION");
  facts.localeName = QLocale::system().name();
  const QDateTime now = QDateTime::currentDateTime();
  const QTimeZone zone = QTimeZone::systemTimeZone();
  facts.timeZoneName = zone.abbreviation(now);
  if (facts.timeZoneName.isEmpty()) facts.timeZoneName = QString::fromUtf8(zone.id());
  facts.utcOffsetSeconds = zone.offsetFromUtc(now);
  facts.processors = ParseCpuInfo(ReadSmallFile(sources.cpuInfo));
  facts.memory = ParseMemInfo(ReadSmallFile(sources.memInfo));
  return facts;
}

QString FindSystemInfoProgram() {
  for (const char* name : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
                           "xfce4-taskmanager", "lxtask"}) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!path.isEmpty()) return path;
  }
  return {};
}

}  // namespace kvf::platform
