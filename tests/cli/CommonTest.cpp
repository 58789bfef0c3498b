// Rules every kvf command shares: help, usage errors, load errors, what a
// document offers, and the order in which exit codes win.
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
  for (const QStringList& arguments :
       {QStringList(), QStringList{"no-such-command"}, QStringList{"dump"}, QStringList{"dump", "--bogus", "x"}})
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
  EXPECT_EQ(std::make_tuple(swedish.exitCode, QString::fromUtf8(swedish.err)),
            std::make_tuple(2, QStringLiteral("Det här är inte en KVF-fil!\n")));
}

// Two respondents, one dimension that is also the only overview question.
writer::KvfDescription Permissions(bool allowed) {
  writer::KvfDescription d;
  d.alternatives.resize(2);
  writer::QuestionRecord q;
  q.alternativeCount = 2;
  q.isDimension = writer::kTrue;
  q.isOverviewQuestion = writer::kTrue;
  d.questions = {q};
  d.answers = {{0, 1}};
  const int16_t flag = allowed ? writer::kTrue : writer::kFalse;
  d.info.allowCopy = d.info.allowSave = d.info.allowCopyData = flag;
  return d;
}

TEST(KvfCommon, ExitCodesWinInTheOrderOneTwoFiveThreeFour) {
  const QString closed = SaveFixture(Permissions(false), QStringLiteral("closed"));
  const QString open = SaveFixture(Permissions(true), QStringLiteral("open"));
  const QString missing = TempDir() + QStringLiteral("/missing.kvf");
  const QString png = TempDir() + QStringLiteral("/o.png");
  const QString unwritable = TempDir() + QStringLiteral("/no/such/folder/o.png");
  const QString copyData = QStringLiteral("copy-data");
  const QString overview = QStringLiteral("overview");
  const QString keep = QStringLiteral("--keep");
  const QString out = QStringLiteral("--out");
  struct Case {
    QStringList arguments;
    int exitCode;
  };
  const Case cases[] = {
      {{copyData, closed, keep, QStringLiteral("5:0")}, 1},         // a dimension out of range beats all
      {{copyData, missing, keep, QStringLiteral("0:")}, 2},
      {{copyData, closed, keep, QStringLiteral("0:")}, 5},          // not offered beats a refused selection
      {{overview, closed, out, unwritable}, 5},                    // and a failed write
      {{copyData, open, keep, QStringLiteral("0:")}, 3},
      {{overview, open, keep, QStringLiteral("0:"), out, unwritable}, 3},
      {{overview, open, out, unwritable}, 4},
      {{overview, open, out, png}, 0},
      {{QStringLiteral("select"), closed}, 0},                     // not gated
  };
  for (const Case& c : cases) {
    const CliResult result = RunKvf(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(QLatin1Char(' ')).toStdString();
    if (c.exitCode != 0) {
      EXPECT_TRUE(result.out.isEmpty());
    }
    if (c.exitCode == 5) {
      EXPECT_TRUE(result.err.startsWith("This document does not allow"));
    }
  }
}

}  // namespace
}  // namespace kvf::testing
