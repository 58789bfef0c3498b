// Rules every kvf command shares: help, usage errors, load errors, what a
// document offers, and the order in which exit codes win.
#include <gtest/gtest.h>

#include <QFile>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

TEST(KvfCommon, HelpUsageErrorsAndLoadErrorsInTheUsersLanguage) {
  const CliResult help = RunKvf({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("kvf dump FILE"));
  for (const QStringList& arguments :
       {QStringList(), QStringList{"no-such-command"}, QStringList{"dump"}, QStringList{"dump", "--bogus", "x"}})
    EXPECT_EQ(RunKvf(arguments).exitCode, 1) << arguments.join(' ').toStdString();

  const CliResult english = RunKvf({"dump", TempDir() + "/missing.kvf"});
  EXPECT_EQ(std::make_tuple(english.exitCode, english.err, english.out),
            std::make_tuple(2, QByteArray("Can not open the file!\n"), QByteArray()));
  QFile junk(TempDir() + "/junk.kvf");
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly) && junk.write(QByteArray(100, 'x')) == 100);
  junk.close();
  const CliResult swedish = RunKvf({"dump", junk.fileName()}, "sv");
  EXPECT_EQ(std::make_tuple(swedish.exitCode, QString::fromUtf8(swedish.err)),
            std::make_tuple(2, QStringLiteral("Det här är inte en KVF-fil!\n")));
}

// Two respondents, one dimension that is also the only overview question.
QString Permissions(bool allowed) {
  writer::KvfDescription d;
  d.alternatives.resize(2);
  writer::QuestionRecord q;
  q.alternativeCount = 2;
  q.isDimension = q.isOverviewQuestion = writer::kTrue;
  d.questions = {q};
  d.answers = {{0, 1}};
  d.info.allowCopy = d.info.allowSave = d.info.allowCopyData = allowed ? writer::kTrue : writer::kFalse;
  return SaveFixture(d, allowed ? "open" : "closed");
}

TEST(KvfCommon, ExitCodesWinInTheOrderOneTwoFiveThreeFour) {
  const QString closed = Permissions(false), open = Permissions(true);
  const QString missing = TempDir() + "/missing.kvf", png = TempDir() + "/o.png";
  const QString unwritable = TempDir() + "/no/such/folder/o.png";
  const std::pair<QStringList, int> cases[] = {
      {{"copy-data", closed, "--keep", "5:0"}, 1},  // a dimension out of range beats all
      {{"copy-data", missing, "--keep", "0:"}, 2},
      {{"copy-data", closed, "--keep", "0:"}, 5},      // not offered beats a refused selection
      {{"overview", closed, "--out", unwritable}, 5},  // and a failed write
      {{"copy-data", open, "--keep", "0:"}, 3},
      {{"overview", open, "--keep", "0:", "--out", unwritable}, 3},
      {{"overview", open, "--out", unwritable}, 4},
      {{"overview", open, "--out", png}, 0},
      {{"select", closed}, 0},  // not gated
  };
  for (const auto& [arguments, code] : cases) {
    const CliResult result = RunKvf(arguments);
    EXPECT_EQ(result.exitCode, code) << arguments.join(' ').toStdString();
    EXPECT_TRUE(code == 0 || result.out.isEmpty());
    EXPECT_TRUE(code != 5 || result.err.startsWith("This document does not allow"));
  }
}

}  // namespace
}  // namespace kvf::testing
