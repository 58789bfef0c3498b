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
  for (const QStringList& arguments : {QStringList(), QStringList{"no-such-command"}, QStringList{"dump"}, QStringList{"dump", "--bogus", "x"}})
    EXPECT_EQ(RunKvf(arguments).exitCode, 1) << arguments.join(' ').toStdString();
}

TEST(KvfCommon, LoadErrorsPrintTheLoaderTextInTheUsersLanguage) {
  const QString missing = TempDir() + QStringLiteral("/missing.kvf");
  const CliResult english = RunKvf({"dump", missing});
  EXPECT_EQ(std::make_tuple(english.exitCode, english.err, english.out),
            std::make_tuple(2, QByteArray("Can not open the file!\n"), QByteArray()));

  const QString junk = TempDir() + QStringLiteral("/junk.kvf");
  QFile file(junk);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(100, 'x')) == 100);
  file.close();
  const CliResult swedish = RunKvf({"dump", junk}, QStringLiteral("sv"));
  EXPECT_EQ(std::make_tuple(swedish.exitCode, QString::fromUtf8(swedish.err)), std::make_tuple(2, QStringLiteral("Det här är inte en KVF-fil!\n")));
}

}  // namespace
}  // namespace kvf::testing
