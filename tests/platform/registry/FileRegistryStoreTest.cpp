#include "platform/registry/FileRegistryStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/registry/RegistryKey.h"

namespace kvf::platform {
namespace {

const QString kProgram = QStringLiteral("Software\\Brennvik AB\\KVF Viewer");
const QString kFullProgram = QStringLiteral("HKEY_CURRENT_USER\\") + kProgram;

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// The expected lines that a separate process does not read from the file
// (the probe prints one line per value).
QStringList Missing(const QString& file, const QStringList& expected) {
  QProcess probe;
  probe.start(QStringLiteral(KVF_REGISTRY_PROBE), {file});
  EXPECT_TRUE(probe.waitForFinished(30000) && probe.exitCode() == 0);
  const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  QStringList missing;
  for (const QString& line : expected)
    if (!lines.contains(line)) missing << line;
  return missing;
}

class FileRegistryStoreTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  QString file_ = dir_.filePath(QStringLiteral("Brennvik AB/KVF Viewer.reg"));
};

TEST_F(FileRegistryStoreTest, TypesSurviveARestartInAnotherProcess) {
  {
    FileRegistryStore store(file_);
    EXPECT_EQ(store.GetStatus(), FileRegistryStore::Status::Ok);
    const RegistryKey key = RegistryKey::Open(store, kProgram + QStringLiteral("\\Last Settings"), RegistryAccess::Write);
    key.WriteDword("Graph Save Format", 300);
    key.WriteString("Printer Device Name", "300");
    key.WriteString("Data Open Folder", QStringLiteral("/home/åsa/\"data\"\\x"));
    key.WriteDword("Big", 0xFFFFFFFFu);
    key.WriteString("a\\b \"c\" / d%20", "x");
    RegistryKey::Open(store, kProgram + QStringLiteral("\\Documents"), RegistryAccess::Write);
    EXPECT_TRUE(store.Flush());
  }
  const QString key = kFullProgram + QStringLiteral("\\Last Settings");
  // An empty key is kept.
  EXPECT_EQ(Missing(file_, {"status|0", key + "|Graph Save Format|dword|300", key + "|Printer Device Name|string|300",
                            key + "|Data Open Folder|string|/home/åsa/\"data\"\\x", key + "|Big|dword|4294967295",
                            key + "|a\\b \"c\" / d%20|string|x", kFullProgram + "\\Documents|"}),
            QStringList());
}

TEST_F(FileRegistryStoreTest, AnUnreadableFileIsKeptAsideAndDefaultsApply) {
  const QByteArray garbage = "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\Brennvik AB\\"
                             "KVF Viewer\\Settings]\n\"Overview Max Rows\"=dword:zz\n";
  WriteAll(file_, garbage);
  QString backup;
  {
    FileRegistryStore store(file_);
    backup = store.BackupPath();
    // Defaults for the run; nothing written yet.
    EXPECT_EQ(std::make_tuple(store.GetStatus(), ReadAll(backup), store.ParseError().value_or(RegTextError{}).line,
                              store.KeyExists(kProgram + "\\Settings"), ReadAll(file_)),
              std::make_tuple(FileRegistryStore::Status::SetAside, garbage, 3, false, garbage));
    RegistryKey::Open(store, kProgram + QStringLiteral("\\Settings"), RegistryAccess::Write)
        .WriteDword(QStringLiteral("Overview Max Rows"), 100);
    EXPECT_TRUE(store.Flush());
  }
  EXPECT_EQ(ReadAll(backup), garbage);
  EXPECT_EQ(Missing(file_, {"status|0", kFullProgram + "\\Settings|Overview Max Rows|dword|100"}), QStringList());

}

TEST_F(FileRegistryStoreTest, AFileReplacedByGarbageWhileRunningIsKeptAndNothingIsLost) {
  const QByteArray garbage = "replaced by another program\n";
  {
    FileRegistryStore store(file_);
    const RegistryKey key = RegistryKey::Open(store, kProgram + QStringLiteral("\\MRU List"), RegistryAccess::Write);
    key.WriteString(QStringLiteral("File 1"), QStringLiteral("/data/a.kvf"));
    ASSERT_TRUE(store.Flush());
    WriteAll(file_, garbage);  // while the program runs
    key.WriteString(QStringLiteral("File 2"), QStringLiteral("/data/b.kvf"));
    EXPECT_TRUE(store.Flush());
    EXPECT_EQ(std::make_tuple(store.GetStatus(), ReadAll(store.BackupPath()), store.ParseError().has_value()),
              std::make_tuple(FileRegistryStore::Status::SetAside, garbage, true));
  }
  EXPECT_EQ(Missing(file_, {kFullProgram + "\\MRU List|File 1|string|/data/a.kvf",
                            kFullProgram + "\\MRU List|File 2|string|/data/b.kvf"}),
            QStringList());
}

TEST_F(FileRegistryStoreTest, AReadOnlyStoreNeverTouchesTheFile) {
  for (const QByteArray& bytes : {QByteArray("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\"\n"), QByteArray("garbage")}) {
    WriteAll(file_, bytes);
    {
      FileRegistryStore store(file_, FileRegistryStore::Access::ReadOnly);
      EXPECT_EQ(std::make_tuple(store.GetStatus(), store.IsWritable(),
                                RegistryKey::Open(store, kProgram, RegistryAccess::Write).IsOpen(), store.Flush()),
                std::make_tuple(bytes == "garbage" ? FileRegistryStore::Status::Damaged : FileRegistryStore::Status::Ok,
                                false, false, true));
    }
    EXPECT_EQ(ReadAll(file_), bytes);
    EXPECT_TRUE(QDir(QFileInfo(file_).absolutePath()).entryList({QStringLiteral("*.unreadable*")}).isEmpty());
  }
}

TEST_F(FileRegistryStoreTest, WithoutRoomForACopyNothingIsWritten) {
  const QByteArray garbage = "not a registry file";
  WriteAll(file_, garbage);
  const QString folder = QFileInfo(file_).absolutePath();
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  if (QFile(folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly)) GTEST_SKIP() << "running as root";
  {
    FileRegistryStore store(file_);
    EXPECT_EQ(std::make_tuple(store.GetStatus(), store.IsWritable(),
                              RegistryKey::Open(store, kProgram, RegistryAccess::Write).IsOpen(), store.ParseError().has_value()),
              std::make_tuple(FileRegistryStore::Status::Unreadable, false, false, true));
  }
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(ReadAll(file_), garbage);
}

}  // namespace
}  // namespace kvf::platform
