// kvf blocks and kvf comments: arguments, exit codes and one end-to-end
// case each (the editing and composing rules are checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

// Three respondents; file block "File"; Q0 and Q1 overview questions, D a
// dimension. r0 wrote a general comment, r1 an answer comment on Q1.
QString Save() {
  return SaveFixture(FromJson(R"({
  "info": {"language": "English", "allRespondentsCaption": "All", "indexDivisor": 1, "hasRespondentComments": true,
           "guid": "{11111111-2222-3333-4444-555555555555}"},
  "questions": [
    {"sheetLabel": "D", "name": "D", "isDimension": true, "alternatives": [{"name": "a"}, {"name": "b"}]},
    {"sheetLabel": "Q0", "name": "Q0", "text": "First?", "isOverviewQuestion": true, "graphFlags": 1,
     "alternatives": [{"name": "x", "value": 1}, {"name": "y", "value": 2}]},
    {"sheetLabel": "Q1", "name": "Q1", "text": "Second?", "isOverviewQuestion": true, "graphFlags": 4,
     "alternatives": [{"name": "x", "value": 1}, {"name": "y", "value": 2}]}],
  "answers": [[0, 1, 0], [0, 1, 1], [1, 1, 0]],
  "blocks": [{"name": "File"}],
  "blockItems": [[0, 2]],
  "respondentComments": ["Hi {there}", null],
  "answerComments": [{"question": 2, "respondent": 1, "text": "Q1 note"}]})"),
                     QStringLiteral("comments"));
}

TEST(KvfBlocks, EditsKeptInTheSettingsAndRefusals) {
  const QString file = Save();
  const QString home = TempDir();
  auto run = [&](const QStringList& operations) {
    return RunKvf(QStringList{QStringLiteral("blocks"), file} + operations, QStringLiteral("en"), home);
  };
  CliResult result = run({"--add", " Mine ", "--members", " Mine ", "2,1", "--add", "Gone", "--delete", "Gone",
                          "--include", "File", "no"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(result.out,
            R"({"blocks":[{"name":"File","fromFile":true,"includeInCopy":false,"membersByQuestionField":false,)"
            R"("blockLevel":-1,"storedIndex":-1,"flexIndex":-1,"graphFlags":3},{"name":" Mine ","fromFile":false,)"
            R"("includeInCopy":false,"membersByQuestionField":false,"blockLevel":-1,"storedIndex":1.6666666666666667,)"
            R"("flexIndex":1.6666666666666667,"graphFlags":5}],"blockItems":[[0,2],[1,1],[1,2]]})"
            "\n");
  // Read back from the settings (a read user block has GraphFlags 3).
  const QByteArray kept = run({}).out;
  EXPECT_EQ(QByteArray(kept).replace("\"graphFlags\":3}],", "\"graphFlags\":5}],"), result.out);
  const std::vector<std::pair<QStringList, int>> refused = {{{"--add", " MINE "}, 3},
                                                            {{"--rename", " Mine ", "  file "}, 3},
                                                            {{"--delete", "File"}, 3},
                                                            {{"--members", "File", ""}, 3},
                                                            {{"--add", ""}, 1},
                                                            {{"--delete", "Mine"}, 1},
                                                            {{"--members", " Mine ", "0"}, 1},
                                                            {{"--add", "X", "--add", "x", "--delete", "nobody"}, 1}};
  for (const auto& [operations, exitCode] : refused) {
    const CliResult r = run(operations);
    EXPECT_EQ(std::make_tuple(r.exitCode, r.out.isEmpty(), r.err.isEmpty()), std::make_tuple(exitCode, true, false))
        << operations.join(' ').toStdString();
  }
  EXPECT_EQ(run({}).out, kept);  // nothing refused was written
}

TEST(KvfComments, RowColumnAllAndExitCodes) {
  const QString file = Save();
  auto run = [&](const QStringList& options) {
    return RunKvf(QStringList{QStringLiteral("comments"), file} + options);
  };
  const QByteArray head =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\r\n"
      "\\deflang1033\\pard\\tx1440\\plain\\f0\\fs17";
  CliResult all = run({"--all"});
  EXPECT_EQ(all.exitCode, 0);
  EXPECT_EQ(all.out, head + "Hi \\{there\\}\r\n}");
  CliResult row = run({"--row", "1"});
  EXPECT_EQ(row.out, head + "\\b Second?\\b0\r\n\\par Q1 note\r\n\\par\r\n}");
  EXPECT_TRUE(run({"--row", "2"}).out.isEmpty());
  const CliResult none = run({"--all", "--keep", "0:1"});
  EXPECT_EQ(std::make_tuple(none.exitCode, none.err.trimmed()),
            std::make_tuple(3, QByteArray("Could not find any comments!")));
  EXPECT_EQ(run({"--row", "2", "--row-order", "2"}).exitCode, 3);
  EXPECT_EQ(run({"--row", "0", "--max-rows", "0"}).exitCode, 3);
  for (const QStringList& bad : {QStringList{}, QStringList{"--all", "--row", "0"}, QStringList{"--row", "7"},
                                 QStringList{"--column", "2"}, QStringList{"--row", "x"}})
    EXPECT_EQ(run(bad).exitCode, 1) << bad.join(' ').toStdString();
}

}  // namespace
}  // namespace kvf::testing
