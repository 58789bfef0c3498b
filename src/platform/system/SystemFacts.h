#pragma once
// Facts about the running system for the about box's system summary: the
// kernel, the processors and the memory as the /proc files tell them, and
// what Qt and the environment know (architecture, product name, desktop
// session, time zone, locale).
//
// Every file is read with a size budget and parsed line by line; a file
// that is missing or unreadable leaves its facts empty (the summary then
// says "Unknown"). Tests point the sources at files of their own.
#include <QSet>
#include <QString>
#include <cstdint>
#include <optional>

namespace kvf::platform {

// Where the facts are read from.
struct SystemFactSources {
  QString cpuInfo = QStringLiteral("/proc/cpuinfo");
  QString memInfo = QStringLiteral("/proc/meminfo");
  QString kernelRelease = QStringLiteral("/proc/sys/kernel/osrelease");
  QString kernelVersion = QStringLiteral("/proc/sys/kernel/version");
};

struct ProcessorFacts {
  int32_t logicalProcessors = 0;  // "processor" entries; 0 when unknown
  int32_t cores = 0;              // "cpu cores" of the first entry; 0 when unknown
  QString modelName;              // "model name" (or "Processor"/"Hardware" elsewhere); empty when unknown
  QString family;                 // "cpu family"
  QString model;                  // "model"
  QString stepping;               // "stepping"
  bool hasFeatureFlags = false;   // a "flags" or "Features" line was present
  QSet<QString> featureFlags;     // the words of the first such line
};

struct MemoryFacts {
  std::optional<int64_t> totalKb;      // MemTotal
  std::optional<int64_t> availableKb;  // MemAvailable (else MemFree)
  std::optional<int64_t> swapTotalKb;
  std::optional<int64_t> swapFreeKb;
};

struct SystemFacts {
  QString cpuArchitecture;  // QSysInfo::currentCpuArchitecture()
  QString productName;      // QSysInfo::prettyProductName()
  QString kernelRelease;    // "6.1.0-13-amd64"
  QString kernelBuild;      // "#1 SMP PREEMPT_DYNAMIC Debian 6.1.55-1 (2023-09-29)"
  QString desktopSession;   // XDG_CURRENT_DESKTOP, else DESKTOP_SESSION; empty when unknown
  QString localeName;       // the system locale's name, "sv_SE"
  QString timeZoneName;     // the abbreviation in force, "CET"
  int32_t utcOffsetSeconds = 0;
  ProcessorFacts processors;
  MemoryFacts memory;
};

// Parses the text of /proc/cpuinfo. Only the first entry's details are
// kept; the logical processors are counted over all entries.
ProcessorFacts ParseCpuInfo(const QByteArray& text);
// Parses the text of /proc/meminfo ("MemTotal:  16314252 kB").
MemoryFacts ParseMemInfo(const QByteArray& text);

// Reads every fact now: the files named by sources, Qt's system
// information and the environment.
SystemFacts ReadSystemFacts(const SystemFactSources& sources = SystemFactSources());

// The first of a few well-known system-information programs found on PATH
// (an absolute path), or "" when none is installed.
QString FindSystemInfoProgram();

}  // namespace kvf::platform
