#include "core/settings/StartupChecks.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <tuple>

#include "core/settings/SettingsFile.h"

namespace kvf {
namespace {

TEST(SplitCommandLine, BlanksTabsQuotesAndDoubledQuotes) {
  const std::pair<const char*, QStringList> cases[] = {
      {"", {}},
      {"  a \t\t b  ", {"a", "b"}},
      {"\"C:\\My Data\\report 1.kvf\" /AutoStart", {"C:\\My Data\\report 1.kvf", "/AutoStart"}},
      {"pre\"fix tab\tin\"side", {"prefix tab\tinside"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"\"", {"\""}},
      {"\"open to the end", {"open to the end"}},
  };
  for (const auto& [line, expected] : cases)
    EXPECT_EQ(SplitCommandLine(QString::fromUtf8(line)), expected) << line;
  EXPECT_TRUE(HasAutoStartArgument({"x", "/AUTOSTART"}) && !HasAutoStartArgument({"/AutoStartx", "AutoStart"}));
}

TEST(ZlibCheck, TheVersionMustStartLikeTheOneThisProgramWasMadeFor) {
  EXPECT_FALSE(CheckZlibVersion("1.2.13") || CheckLinkedZlib());
  EXPECT_TRUE(CheckZlibVersion("2.0.0").has_value());
}

TEST(SingleInstance, TheSecondCopyIsAskedTheQuestion) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("run/KVF Viewer.lock"));
  {
    SingleInstanceLock first(path);
    SingleInstanceLock second(path);
    EXPECT_TRUE(first.TryAcquire() && !second.TryAcquire() && first.Held());
  }
  SingleInstanceLock later(path);
  EXPECT_TRUE(later.TryAcquire());  // the first copy has ended
}

TEST(SingleInstance, ALockLeftByACrashedCopyIsTakenOver) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("KVF Viewer.lock"));
  QFile stale(path);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  // The lock file's own layout: process id, program name, host name.
  stale.write("2147483646\nkvf-viewer\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  stale.close();
  SingleInstanceLock lock(path);
  EXPECT_TRUE(lock.TryAcquire());
}

TEST(SettingsFileStatus, NamesTheFaultyLineAndTheKeptCopy) {
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("settings.reg")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:zz\n");
  file.close();
  const platform::FileRegistryStore store(file.fileName());
  const Status status = SettingsFileStatus(store);
  EXPECT_EQ(status.Code(), static_cast<int>(platform::FileRegistryStore::Status::SetAside));
  EXPECT_TRUE(status.Message().english.contains(QStringLiteral("line 3")));
  EXPECT_TRUE(status.Message().swedish.contains(QDir::toNativeSeparators(store.BackupPath())));
}

}  // namespace
}  // namespace kvf
