#include "core/settings/StartupChecks.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
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
      {"   \t ", {}},
      {"report.kvf /AutoStart", {"report.kvf", "/AutoStart"}},
      {"  a \t\t b  ", {"a", "b"}},
      {"\"C:\\My Data\\report 1.kvf\" /AutoStart", {"C:\\My Data\\report 1.kvf", "/AutoStart"}},
      {"pre\"fix tab\tin\"side", {"prefix tab\tinside"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"a\"\"b", {"a\"b"}},
      {"\"\"", {"\""}},
      {"\"open to the end", {"open to the end"}},
      {"\" \"", {" "}},
  };
  for (const auto& [line, expected] : cases)
    EXPECT_EQ(SplitCommandLine(QString::fromUtf8(line)), expected) << line;
}

TEST(SplitCommandLine, AutoStartIgnoresCase) {
  EXPECT_TRUE(HasAutoStartArgument({"x.kvf", "/autostart"}) && HasAutoStartArgument({"/AUTOSTART"}));
  EXPECT_FALSE(HasAutoStartArgument({"/AutoStarts", "AutoStart"}) || HasAutoStartArgument({}));
}

TEST(ZlibCheck, MajorVersionMustMatch) {
  EXPECT_FALSE(CheckZlibVersion("1.2.8") || CheckZlibVersion("1.3.1") || CheckLinkedZlib());

  const auto incompatible = CheckZlibVersion("2.0.0");
  ASSERT_TRUE(incompatible.has_value());
  EXPECT_EQ(std::make_tuple(incompatible->english, incompatible->swedish),
            std::make_tuple(QStringLiteral("Incompatible ZLib version (2.0.0)!"),
                            QStringLiteral("Inkompatibel ZLib-version (2.0.0)!")));
  // At most 16 characters of the version are used.
  EXPECT_EQ(CheckZlibVersion("0123456789abcdefXYZ")->english, QStringLiteral("Incompatible ZLib version (0123456789abcdef)!"));
  EXPECT_EQ(CheckZlibVersion("")->english, QStringLiteral("Incompatible ZLib version ()!"));

  const auto missing = CheckZlibVersion(nullptr);
  ASSERT_TRUE(missing.has_value());
  EXPECT_EQ(std::make_tuple(missing->english, missing->swedish),
            std::make_tuple(QStringLiteral("The file \"ZLib.dll\" is missing!"),
                            QStringLiteral("Filen \"ZLib.dll\" saknas!")));
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

  const BiText question = AnotherInstanceQuestion(QStringLiteral("KVF Viewer"));
  EXPECT_EQ(question.english, QStringLiteral("You are already running at least one copy of KVF Viewer, do you really "
                                             "want to start another one?"));
  EXPECT_EQ(question.swedish,
            QStringLiteral("Du har redan startat minst en kopia av KVF Viewer, vill du verkligen starta en till?"));
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
