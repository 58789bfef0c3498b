// kvf indexes: the export text end to end and its argument rules; kvf
// overview --mini.
#include <gtest/gtest.h>

#include <QImage>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

const QString kSample = QStringLiteral(KVF_SAMPLES_DIR "/staff-survey-en.kvf");

TEST(IndexesCommandTest, PrintsTheClipboardTextAndRefusesWhatTheDialogWouldNot) {
  const CliResult total = RunKvf({"indexes", kSample, "--total", "--groups", "0"});
  EXPECT_EQ(total.exitCode, 0);
  EXPECT_TRUE(total.out.startsWith("All respondents\tTotal\r\nTotal\t")) << total.out.toStdString();
  EXPECT_FALSE(total.out.endsWith('\n'));
  // Categories in dimension order whatever order they are given in.
  const QByteArray both = RunKvf({"indexes", kSample, "--category", "1", "--category", "0", "--groups", "3"}).out;
  EXPECT_EQ(both, RunKvf({"indexes", kSample, "--category", "0", "--category", "1", "--groups", "3"}).out);
  // (arguments, exit code)
  const std::vector<std::pair<QStringList, int>> cases = {
      {{"--groups", "0"}, 1},                                   // no sub-selection
      {{"--total"}, 1},                                         // no group
      {{"--total", "--groups", "0,5"}, 1},                      // a group outside 0..4
      {{"--total", "--groups", "0", "--category", "9999"}, 1},  // not a dimension
      {{"--total", "--groups", "0", "--keep", "0:"}, 3},        // a refused selection
  };
  for (const auto& [arguments, code] : cases)
    EXPECT_EQ(RunKvf(QStringList{"indexes", kSample} + arguments).exitCode, code) << arguments.join(' ').toStdString();
}

TEST(IndexesCommandTest, MiniOverviewImageAndWhatTheDocumentDoesNotOffer) {
  const QString path = TempDir() + QStringLiteral("/mini.png");
  const CliResult result = RunKvf({"overview", kSample, "--mini", "--max-rows", "8", "--out", path});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  const int headers = RunJson({"select", kSample})["headerRowCount"].toInt();
  EXPECT_EQ(QImage(path).height(), (headers + 8) * 8);
  EXPECT_EQ(RunKvf({"overview", kSample, "--mini", "--out", TempDir() + QStringLiteral("/m.svg")}).exitCode, 1);
  // Two respondents, fewer than the minimum for answer rows; no copying.
  const QString small = SaveFixture(FromJson(R"({
  "info": {"indexDivisor": 1, "allowSave": true, "minimumSelection": 5},
  "questions": [{"sheetLabel": "Q", "name": "Q", "isOverviewQuestion": true, "alternatives": [
      {"sheetLabel": "a", "name": "A", "value": 1}]}],
  "answers": [[0, 0]]})"),
                                    QStringLiteral("small"));
  EXPECT_EQ(RunKvf({"overview", small, "--mini", "--out", path}).exitCode, 3);
  EXPECT_EQ(RunKvf({"indexes", small, "--total", "--groups", "0"}).exitCode, 5);
}

}  // namespace
}  // namespace kvf::testing
