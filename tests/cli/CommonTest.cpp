// Rules every kvf command shares: help, usage errors, load errors.
#include <gtest/gtest.h>

#include <QFile>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

TEST(KvfCommon, HelpListsEveryCommand) {
  const CliResult result = RunKvf({QStringLiteral("--help")});
  ASSERT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out.contains("kvf dump FILE"));
}

TEST(KvfCommon, UsageErrorsExitOne) {
  EXPECT_EQ(RunKvf({}).exitCode, 1);
  EXPECT_EQ(RunKvf({QStringLiteral("no-such-command")}).exitCode, 1);
  EXPECT_EQ(RunKvf({QStringLiteral("dump")}).exitCode, 1);
  EXPECT_EQ(RunKvf({QStringLiteral("dump"), QStringLiteral("--bogus"), QStringLiteral("x")}).exitCode, 1);
}

TEST(KvfCommon, LoadErrorsPrintTheLoaderTextInTheUsersLanguage) {
  const QString missing = TempDir() + QStringLiteral("/missing.kvf");
  CliResult english = RunKvf({QStringLiteral("dump"), missing});
  EXPECT_EQ(english.exitCode, 2);
  EXPECT_EQ(english.err, QByteArray("Can not open the file!\n"));
  EXPECT_TRUE(english.out.isEmpty());

  const QString junk = TempDir() + QStringLiteral("/junk.kvf");
  QFile file(junk);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(100, 'x'));
  file.close();
  CliResult swedish = RunKvf({QStringLiteral("dump"), junk}, QStringLiteral("sv"));
  EXPECT_EQ(swedish.exitCode, 2);
  EXPECT_EQ(QString::fromUtf8(swedish.err), QStringLiteral("Det här är inte en KVF-fil!\n"));
}

}  // namespace
}  // namespace kvf::testing
