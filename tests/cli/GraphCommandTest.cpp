// kvf graph: argument handling and exit codes in their order, and one run
// of each output (JSON, the copied texts, a picture, the printed page). The
// graph rules themselves are checked in the core tests.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

const QString kSample = QStringLiteral(KVF_SAMPLES_DIR "/staff-survey-en.kvf");

TEST(GraphCommandTest, ExitCodesInTheirOrder) {
  const struct {
    QStringList arguments;
    int exitCode;
  } cases[] = {
      {{"graph", kSample}, 1},                                              // neither --block nor --question
      {{"graph", kSample, "--block", "1", "--question", "5"}, 1},           // both
      {{"graph", kSample, "--block", "1", "--split", "0"}, 1},              // --split with --block
      {{"graph", kSample, "--question", "5", "--kind", "3"}, 1},            // no such kind
      {{"graph", kSample, "--question", "5", "--split", "5"}, 1},           // split by itself
      {{"graph", kSample, "--question", "99"}, 1},                          // out of range
      {{"graph", kSample, "--question", "5", "--values", "--legends"}, 1},  // two outputs
      {{"graph", kSample, "--question", "5", "--out", "x.txt"}, 1},         // no such format
      {{"graph", "/no/such.kvf", "--question", "5"}, 2},
      {{"graph", kSample, "--block", "1", "--kind", "2", "--out", TempDir() + "/small.png", "--size", "120x90"}, 4},
  };
  for (const auto& c : cases) {
    const CliResult result = RunKvf(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(' ').toStdString() << "\n" << result.err.toStdString();
    if (c.exitCode != 0) {
      EXPECT_TRUE(result.out.isEmpty());
    }
  }
  const CliResult tooBig =
      RunKvf({"graph", kSample, "--question", "5", "--out", TempDir() + "/s.png", "--size", "60x60"});
  EXPECT_EQ(tooBig.err.trimmed(), QByteArray("The graph is to big for the window!"));
}

TEST(GraphCommandTest, WhatTheDocumentDoesNotOfferAndEmptyBlocks) {
  // A histogram-only question; saving and printing not allowed; a block
  // without questions.
  const QString path = SaveFixture(FromJson(R"({
  "info": {"allRespondentsCaption": "All", "indexDivisor": 1, "allowCopy": true},
  "questions": [{"sheetLabel": "R", "name": "Rating", "text": "Rate it", "isOverviewQuestion": true, "graphFlags": 1,
                 "alternatives": [{"sheetLabel": "lo", "name": "Low", "value": 1}, {"sheetLabel": "hi", "name": "High",
                 "value": 2}]}],
  "answers": [[0, 1, 1, 0]],
  "blocks": [{"name": "Empty", "membersByQuestionField": true}]})"),
                                   QStringLiteral("graph"));
  const struct {
    QStringList arguments;
    int exitCode;
  } cases[] = {
      {{"--question", "0"}, 0},
      {{"--question", "0", "--kind", "2"}, 5},
      {{"--question", "0", "--out", TempDir() + "/x.png"}, 5},
      {{"--question", "0", "--print", TempDir() + "/x.pdf"}, 5},
      {{"--block", "0"}, 3},
      {{"--block", "1"}, 1},
  };
  for (const auto& c : cases) {
    const CliResult result = RunKvf(QStringList{"graph", path} + c.arguments, QStringLiteral("sv"));
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
  }
  EXPECT_EQ(RunKvf({"graph", path, "--block", "0"}, QStringLiteral("sv")).err.trimmed(),
            QString::fromUtf8("Blocket innehöll inga frågor!").toUtf8());
}

TEST(GraphCommandTest, JsonTextsPictureAndPage) {
  const QJsonObject graph = RunJson({"graph", kSample, "--block", "1", "--kind", "2"});
  ExpectKeysInOrder(RunKvf({"graph", kSample, "--block", "1", "--kind", "2"}).out,
                    "caption statusBefore statusAfter kind scale title subtitle selectionText indexText bars segments "
                    "legend");
  EXPECT_EQ(graph["caption"].toString(), QStringLiteral("Block Graph: Work content"));
  EXPECT_EQ(graph["statusBefore"].toString(), QStringLiteral("Generating block fraction bar graph..."));
  EXPECT_EQ(graph["bars"].toArray().size(), 7);
  // Swedish interface texts; a split by a dimension takes the Split by route.
  const QJsonObject split = RunJson({"graph", kSample, "--question", "5", "--split", "0", "--kind", "2"}, "sv");
  EXPECT_EQ(split["statusBefore"].toString(), QString::fromUtf8("Skapar frågefraktionsgraf..."));
  EXPECT_EQ(split["title"].toString(), QStringLiteral("Reasonable workload split by Department"));

  const CliResult values = RunKvf({"graph", kSample, "--question", "5", "--split", "0", "--values", "--percent"});
  EXPECT_EQ(values.exitCode, 0);
  EXPECT_FALSE(values.out.endsWith('\n'));
  EXPECT_EQ(values.out.count("\r\n"), 6);  // the labels and six alternatives

  const QString png = TempDir() + "/graph.png";
  ASSERT_EQ(RunKvf({"graph", kSample, "--question", "5", "--out", png, "--size", "400x300"}).exitCode, 0);
  EXPECT_EQ(QImage(png).size(), QSize(760, 560));  // the drawing area at scale 2
  const QString pdf = TempDir() + "/page.pdf";
  ASSERT_EQ(RunKvf({"graph", kSample, "--question", "5", "--print", pdf, "--landscape"}).exitCode, 0);
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}

}  // namespace
}  // namespace kvf::testing
