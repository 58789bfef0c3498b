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

// What a separate process reads from the file, one line per value.
QStringList Probe(const QString& file) {
  QProcess process;
  process.start(QStringLiteral(KVF_REGISTRY_PROBE), {file});
  EXPECT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitCode(), 0);
  return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

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

// The expected lines that the probe's lines lack.
QStringList Missing(const QStringList& lines, const QStringList& expected) {
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
    key.WriteDword(QStringLiteral("Graph Save Format"), 300);
    key.WriteString(QStringLiteral("Printer Device Name"), QStringLiteral("300"));
    key.WriteString(QStringLiteral("Data Open Folder"), QStringLiteral("/home/åsa/\"data\"\\x"));
    key.WriteDword(QStringLiteral("Big"), 0xFFFFFFFFu);
    key.WriteString(QStringLiteral("a\\b \"c\" / d%20"), QStringLiteral("x"));
    RegistryKey::Open(store, kProgram + QStringLiteral("\\Documents"), RegistryAccess::Write);
    EXPECT_TRUE(store.Flush());
  }
  const QString key = kFullProgram + QStringLiteral("\\Last Settings");
  // An empty key is kept.
  EXPECT_EQ(
      Missing(Probe(file_), {"status|0", key + "|Graph Save Format|dword|300", key + "|Printer Device Name|string|300",
                             key + "|Data Open Folder|string|/home/åsa/\"data\"\\x", key + "|Big|dword|4294967295",
                             key + "|a\\b \"c\" / d%20|string|x", kFullProgram + "\\Documents|"}),
      QStringList());
  EXPECT_TRUE(ReadAll(file_).contains("\"Graph Save Format\"=dword:0000012c\r\n"));
}

TEST_F(FileRegistryStoreTest, DeletionsReachTheFile) {
  {
    FileRegistryStore store(file_);
    const RegistryKey guid =
        RegistryKey::Open(store, kProgram + QStringLiteral("\\Documents\\{G}"), RegistryAccess::Write);
    for (const char* block : {"Block 000", "Block 001", "Block 002"})
      guid.OpenSubKey(QLatin1String(block), RegistryAccess::Write).WriteFlag(QStringLiteral("Include In Copy"), true);
    guid.WriteDword(QStringLiteral("Block Items"), 3);
    store.Flush();
    // Case differs from how the keys were created: the registry does not mind.
    guid.DeleteSubKey(QStringLiteral("BLOCK 002"));
    guid.OpenSubKey(QStringLiteral("block 001"), RegistryAccess::Write).DeleteValue(QStringLiteral("include in copy"));
    store.Flush();
  }
  const QStringList lines = Probe(file_);
  const QString guid = kFullProgram + QStringLiteral("\\Documents\\{G}");
  EXPECT_EQ(Missing(lines, {guid + "\\Block 000|Include In Copy|dword|1", guid + "\\Block 001|"}), QStringList());
  EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Block 002")));
}

TEST_F(FileRegistryStoreTest, HonoursAFileEditedByHand) {
  WriteAll(file_,
           "Windows Registry Editor Version 5.00\n\n"
           "[HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer\\Settings]\n"
           "\"Overview Max Rows\"=dword:000001f4\n"
           "\"Graph Legends\"=\"6\"\n"
           "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
           "\"Kept\"=dword:00000001\n");
  {
    FileRegistryStore store(file_);
    ASSERT_EQ(store.GetStatus(), FileRegistryStore::Status::Ok);
    const RegistryKey key = RegistryKey::Open(store, kProgram + QStringLiteral("\\settings"), RegistryAccess::Read);
    EXPECT_EQ(key.ReadDword(QStringLiteral("Overview Max Rows")), 500u);
    EXPECT_EQ(key.ReadDword(QStringLiteral("Graph Legends")), std::nullopt);  // a string, not a DWORD
    RegistryKey::Open(store, kProgram + QStringLiteral("\\Settings"), RegistryAccess::Write)
        .WriteDword(QStringLiteral("Graph Copy Format"), 2);
    store.Flush();
  }
  // Keys outside HKEY_CURRENT_USER are passed through untouched.
  EXPECT_EQ(Missing(Probe(file_), {"HKEY_LOCAL_MACHINE\\Software\\Other|Kept|dword|1",
                                   kFullProgram + "\\Settings|Graph Legends|string|6",
                                   kFullProgram + "\\Settings|Graph Copy Format|dword|2"}),
            QStringList());
}

TEST_F(FileRegistryStoreTest, AnUnreadableFileIsKeptAsideAndDefaultsApply) {
  const QByteArray garbage = "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\Brennvik AB\\"
                             "KVF Viewer\\Settings]\n\"Overview Max Rows\"=dword:zz\n";
  WriteAll(file_, garbage);
  QString backup;
  {
    FileRegistryStore store(file_);
    EXPECT_EQ(store.GetStatus(), FileRegistryStore::Status::SetAside);
    backup = store.BackupPath();
    EXPECT_EQ(ReadAll(backup), garbage);
    ASSERT_TRUE(store.ParseError());
    EXPECT_EQ(store.ParseError()->line, 3);
    EXPECT_FALSE(store.KeyExists(kProgram + QStringLiteral("\\Settings")));  // defaults for the run
    EXPECT_EQ(ReadAll(file_), garbage);  // nothing written yet
    RegistryKey::Open(store, kProgram + QStringLiteral("\\Settings"), RegistryAccess::Write)
        .WriteDword(QStringLiteral("Overview Max Rows"), 100);
    EXPECT_TRUE(store.Flush());
  }
  EXPECT_EQ(ReadAll(backup), garbage);
  EXPECT_EQ(Missing(Probe(file_), {"status|0", kFullProgram + "\\Settings|Overview Max Rows|dword|100"}),
            QStringList());

  // A second run over the same damaged bytes keeps one copy, not two.
  WriteAll(file_, garbage);
  // (Separate processes: within one process QSettings serves its cached reading.)
  EXPECT_TRUE(Probe(file_).contains(QStringLiteral("status|1")));
  EXPECT_TRUE(Probe(file_).contains(QStringLiteral("status|1")));
  EXPECT_EQ(QDir(QFileInfo(file_).absolutePath()).entryList({QStringLiteral("*.unreadable*")}).size(), 1);
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
    EXPECT_EQ(store.GetStatus(), FileRegistryStore::Status::SetAside);
    EXPECT_EQ(ReadAll(store.BackupPath()), garbage);
    EXPECT_TRUE(store.ParseError().has_value());
  }
  const QStringList lines = Probe(file_);
  EXPECT_TRUE(lines.contains(kFullProgram + QStringLiteral("\\MRU List|File 1|string|/data/a.kvf")));
  EXPECT_TRUE(lines.contains(kFullProgram + QStringLiteral("\\MRU List|File 2|string|/data/b.kvf")));
}

TEST_F(FileRegistryStoreTest, AReadOnlyStoreNeverTouchesTheFile) {
  for (const QByteArray& bytes : {QByteArray("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\"\n"), QByteArray("garbage")}) {
    WriteAll(file_, bytes);
    {
      FileRegistryStore store(file_, FileRegistryStore::Access::ReadOnly);
      EXPECT_FALSE(store.IsWritable());
      EXPECT_EQ(store.GetStatus(), bytes == "garbage" ? FileRegistryStore::Status::Damaged : FileRegistryStore::Status::Ok);
      EXPECT_FALSE(RegistryKey::Open(store, kProgram, RegistryAccess::Write).IsOpen());
      EXPECT_TRUE(store.Flush());
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
    EXPECT_EQ(store.GetStatus(), FileRegistryStore::Status::Unreadable);
    EXPECT_FALSE(store.IsWritable());
    EXPECT_FALSE(RegistryKey::Open(store, kProgram, RegistryAccess::Write).IsOpen());
    EXPECT_TRUE(store.ParseError());
  }
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(ReadAll(file_), garbage);
}

TEST_F(FileRegistryStoreTest, AMissingFileIsAnEmptyStoreAndIsCreatedOnFlush) {
  FileRegistryStore store(file_);
  EXPECT_EQ(store.GetStatus(), FileRegistryStore::Status::Ok);
  EXPECT_FALSE(store.ParseError());
  EXPECT_TRUE(store.Flush());
  EXPECT_FALSE(QFileInfo::exists(file_));  // nothing to save yet
  RegistryKey::Open(store, kProgram, RegistryAccess::Write);
  EXPECT_TRUE(store.Flush());
  EXPECT_TRUE(ReadAll(file_).contains("[HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer]"));
}

TEST(DefaultRegistryFilePath, FollowsXdgConfigHome) {
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "/tmp/cfg");
  EXPECT_EQ(DefaultRegistryFilePath(), QStringLiteral("/tmp/cfg/Brennvik AB/KVF Viewer.reg"));
  // A relative or missing folder: the default under the home folder.
  qputenv("XDG_CONFIG_HOME", "relative/dir");
  const QString relative = DefaultRegistryFilePath();
  qunsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(std::make_tuple(relative, DefaultRegistryFilePath()),
            std::make_tuple(QDir::homePath() + "/.config/Brennvik AB/KVF Viewer.reg",
                            QDir::homePath() + "/.config/Brennvik AB/KVF Viewer.reg"));
  qputenv("XDG_CONFIG_HOME", saved);
}

}  // namespace
}  // namespace kvf::platform
