#include "core/settings/RecentFiles.h"

#include <gtest/gtest.h>

#include "platform/registry/MemoryRegistryStore.h"

namespace kvf {
namespace {

using platform::MemoryRegistryStore;
using platform::RegistryAccess;
using platform::RegistryKey;

TEST(RecentFileList, ReopenedFilesMoveToTheFront) {
  // Open A, then B (A is closed), then A again (B is closed), then exit (A is closed).
  RecentFileList list;
  for (const char* path : {"/data/A.kvf", "/data/B.kvf", "/data/A.kvf"}) list.Add(QString::fromLatin1(path));
  EXPECT_EQ(list.Entries(), (QStringList{"/data/A.kvf", "/data/B.kvf"}));
  // The comparison ignores case; the newest spelling is kept.
  list.Add(QStringLiteral("/DATA/b.KVF"));
  list.Add(QString());  // nothing
  EXPECT_EQ(list.Entries(), (QStringList{"/DATA/b.KVF", "/data/A.kvf"}));
}

TEST(RecentFileList, KeepsAtMostFiveAndTheOldestFallsOut) {
  RecentFileList list;
  for (int i = 1; i <= 6; ++i) list.Add(QStringLiteral("/f%1.kvf").arg(i));
  EXPECT_EQ(list.Entries(), (QStringList{"/f6.kvf", "/f5.kvf", "/f4.kvf", "/f3.kvf", "/f2.kvf"}));
}

TEST(RecentFileList, ReadsUpToTheFirstMissingOrEmptyItem) {
  MemoryRegistryStore store;
  const RegistryKey program = OpenProgramKey(store).key;
  EXPECT_TRUE(ReadRecentFiles(program, {}).Entries().isEmpty());  // no key at all
  const RegistryKey mru = program.OpenSubKey(RecentFilesKeyName(), RegistryAccess::Write);
  mru.WriteString(QStringLiteral("Item 00"), QStringLiteral("/a.kvf"));
  mru.WriteString(QStringLiteral("Item 01"), QStringLiteral("/b.kvf"));
  mru.WriteString(QStringLiteral("Item 03"), QStringLiteral("/d.kvf"));
  EXPECT_EQ(ReadRecentFiles(program, {}).Entries(), (QStringList{"/a.kvf", "/b.kvf"}));
  mru.WriteString(QStringLiteral("Item 01"), QString());
  EXPECT_EQ(ReadRecentFiles(program, {}).Entries(), QStringList{"/a.kvf"});
  mru.WriteDword(QStringLiteral("Item 00"), 1);
  EXPECT_TRUE(ReadRecentFiles(program, {}).Entries().isEmpty());
}

// Every character 10 pixels wide.
int Width(const QString& text) { return static_cast<int>(text.size()) * 10; }

TEST(RecentFileDisplay, CompactsTheFolderAndKeepsTheName) {
  const QString path = QStringLiteral("/home/anna/surveys/2026/Staff survey.kvf");
  EXPECT_EQ(CompactPath(path, Width, 1000), path);
  EXPECT_EQ(CompactPath(path, Width, 300), QStringLiteral("/home/anna.../Staff survey.kvf"));
  // Never shorter than the name after "...", even when that does not fit.
  EXPECT_EQ(CompactPath(path, Width, 50), QStringLiteral(".../Staff survey.kvf"));
  EXPECT_EQ(CompactPath(QStringLiteral("C:\\Data\\Long folder\\x.kvf"), Width, 130), QStringLiteral("C:\\D...\\x.kvf"));
}

TEST(RecentFileDisplay, CaptionNumbersFromOneAndDoublesAmpersands) {
  const QString shown = RecentFileDisplayPath(QStringLiteral("/data/R&D/Q&A.kvf"), Width, 1000);
  EXPECT_EQ(shown, QStringLiteral("/data/R&D/Q&A.kvf"));
  EXPECT_EQ(RecentFileCaption(0, shown), QStringLiteral("&1 /data/R&&D/Q&&A.kvf"));
}

}  // namespace
}  // namespace kvf
