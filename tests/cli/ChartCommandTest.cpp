// kvf chart: argument handling and the dialogs' rules on flags, exit codes
// in their order, and one run of each output (JSON, a picture, the printed
// page). The chart rules themselves are checked in the core tests.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

const QString kSample = QStringLiteral(KVF_SAMPLES_DIR "/staff-survey-en.kvf");

TEST(ChartCommandTest, ExitCodesAndTheDialogRules) {
  const QString out = TempDir() + QStringLiteral("/chart");
  const struct {
    QStringList arguments;
    int exitCode;
  } cases[] = {
      {{"chart", kSample}, 1},                                                         // no kind
      {{"chart", kSample, "--distribution", "0"}, 1},                                  // no --type
      {{"chart", kSample, "--distribution", "0", "--type", "2"}, 1},                   // type 2 without a group
      {{"chart", kSample, "--distribution", "0", "--type", "2", "--group", "0"}, 1},   // grouped by itself
      {{"chart", kSample, "--distribution", "9", "--type", "1"}, 1},                   // no such dimension
      {{"chart", kSample, "--total-index", "--blocks", "--questions"}, 1},             // exclusive
      {{"chart", kSample, "--total-index", "--lines", "4"}, 1},                        // a block line
      {{"chart", kSample, "--block-index", "1", "--show-block", "--lines", "7"}, 1},   // three lines
      {{"chart", kSample, "--block-index", "1"}, 1},                                   // OK disabled
      {{"chart", kSample, "--ranking"}, 1},                                            // neither block nor question
      {{"chart", kSample, "--ranking", "--question", "5", "--percent"}, 1},            // not a ranking option
      {{"chart", kSample, "--ranking", "--question", "5", "--out", out + ".txt"}, 1},  // no such format
      {{"chart", "/no/such.kvf", "--ranking", "--question", "5"}, 2},
      {{"chart", kSample, "--ranking", "--question", "0"}, 5},  // GraphFlags bit 2 clear
      {{"chart", kSample, "--ranking", "--question", "5", "--out", out + ".GIF"}, 0},
      {{"chart", kSample, "--block-index", "1", "--show-block", "--print", out + ".pdf"}, 0},
  };
  for (const auto& c : cases) {
    const CliResult result = RunKvf(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(' ').toStdString() << "\n" << result.err.toStdString();
    if (c.exitCode != 0) {
      EXPECT_TRUE(result.out.isEmpty());
    }
  }
  EXPECT_EQ(QImage(out + ".GIF", "GIF").size(), QSize(680, 521));  // 10200 twips, (6 + 2) x 978
  QFile pdf(out + ".pdf");
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(ChartCommandTest, JsonOfTheDescriptionWithItsUnsetMembers) {
  const QJsonObject chart = RunJson({"chart", kSample, "--total-index", "--show-total", "--blocks", "--data-labels",
                                     "--lines", "3", "--explain", "--horizontal", "--vertical-labels"});
  EXPECT_EQ(chart["caption"].toString(), QStringLiteral("Total index and all block indexes"));
  EXPECT_EQ(chart["statusAfter"].toString(), QStringLiteral("Total index graph generated!"));
  EXPECT_EQ(chart["chartType"].toInt(), 3);
  EXPECT_FALSE(chart["verticalLabels"].toBool());  // off with horizontal bars
  EXPECT_TRUE(chart["legendPlacement"].isNull());  // one set
  EXPECT_TRUE(chart["setLegends"].isNull());
  EXPECT_EQ(chart["points"].toInt(), chart["pointLabels"].toArray().size());
  // Without a flex total the current selection's line is dropped from the mask.
  ASSERT_EQ(chart["lines"].toArray().size(), 1);
  EXPECT_TRUE(
      chart["lines"].toArray()[0].toObject()["explanation"].toString().startsWith(QStringLiteral("Total index")));
  const QJsonObject ranking = RunJson({"chart", kSample, "--ranking", "--question", "5", "--by-option"}, "sv");
  EXPECT_EQ(ranking["statusBefore"].toString(), QString::fromUtf8("Skapar frågerankningsgraf..."));
  EXPECT_TRUE(ranking["axis"].isNull());
  EXPECT_TRUE(ranking["lines"].isNull());
  EXPECT_TRUE(ranking["colorCode9"].toBool());
}

// The metafiles of a ranking chart, read by independent readers: its bars
// (colour code 9, pure blue) come through both.
TEST(ChartCommandTest, MetafilesReadByIndependentReaders) {
  const QString dir = TempDir();
  const QList<std::pair<QString, QList<QStringList>>> readers = {
      {"emf", {{"emf2svg-conv", "-i", "%1", "-o", "%1.svg"}, {"rsvg-convert", "%1.svg", "-o", "%2"}}},
      {"wmf", {{"wmf2gd", "-t", "png", "-o", "%2", "%1"}}}};
  for (const auto& [suffix, commands] : readers) {
    SCOPED_TRACE(suffix.toStdString());
    for (const QStringList& command : commands)
      if (QStandardPaths::findExecutable(command[0]).isEmpty()) GTEST_SKIP() << command[0].toStdString() << " missing";
    const QString path = dir + "/ranking." + suffix, png = dir + "/ranking-" + suffix + ".png";
    ASSERT_EQ(RunKvf({"chart", kSample, "--ranking", "--question", "5", "--out", path}).exitCode, 0);
    for (QStringList command : commands) {
      for (QString& word : command) word.replace("%1", path).replace("%2", png);
      ASSERT_EQ(QProcess::execute(command[0], command.mid(1)), 0) << command.join(' ').toStdString();
    }
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    int64_t blue = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) blue += image.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_GT(blue, image.width() * image.height() / 50);
  }
}

}  // namespace
}  // namespace kvf::testing
