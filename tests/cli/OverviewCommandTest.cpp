// kvf overview on the sample survey: every format written as its kind, the
// image sizes, headers only and the exit codes. (The drawn sheet is checked
// in the core tests, independent renderings of the metafiles in the platform
// tests.)
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QtEndian>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

const QString kSample = QStringLiteral(KVF_SAMPLES_DIR "/staff-survey-en.kvf");

// kvf overview on the sample with 8 answer rows; returns the output path.
QString Overview(const QString& name, const QStringList& extra = {}) {
  const QString path = TempDir() + QLatin1Char('/') + name;
  const CliResult result = RunKvf(QStringList{"overview", kSample, "--max-rows", "8", "--out", path} + extra);
  EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
  return path;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(OverviewCommandTest, ScreenImagePictureAndHeadersOnlySizes) {
  const int headers = RunJson({"select", kSample})["headerRowCount"].toInt();
  const QImage screen(Overview("screen.png", {"--screen"}));
  EXPECT_EQ(screen.height(), (headers + 8) * 16);
  // The metafile picture: the same columns at twice the scale, with index rows and caption below.
  const QImage picture(Overview("picture.png"));
  EXPECT_EQ(picture.width(), 2 * screen.width());
  EXPECT_GT(picture.height(), 2 * screen.height() + 2 * 32);
  EXPECT_EQ(QImage(Overview("headers.png", {"--screen", "--headers-only"})).height(), headers * 16);
}

TEST(OverviewCommandTest, EveryFormatIsWrittenAsItsKind) {
  const QByteArray emf = ReadAll(Overview("sheet.emf"));
  ASSERT_GT(emf.size(), 88);
  EXPECT_EQ(std::make_tuple(qFromLittleEndian<quint32>(emf.constData()), emf.mid(40, 4)),
            std::make_tuple(1u, QByteArray(" EMF")));  // EMR_HEADER
  // The description: application title, NUL, project name, NUL (UTF-16).
  const QString description = QStringLiteral("KVF Viewer") + QChar(0) + QStringLiteral("Staff survey 2024") + QChar(0);
  EXPECT_TRUE(emf.contains(QByteArray(reinterpret_cast<const char*>(description.utf16()), description.size() * 2)));
  // The extension decides, whatever its case. Key, units per inch and the bounds: the picture's extent.
  const QByteArray wmf = ReadAll(Overview("upper.WMF"));
  ASSERT_GT(wmf.size(), 40);
  const QImage picture(Overview("sheet.png"));
  EXPECT_EQ(
      std::make_tuple(qFromLittleEndian<quint32>(wmf.constData()), qFromLittleEndian<quint16>(wmf.constData() + 14),
                      qFromLittleEndian<qint16>(wmf.constData() + 10), qFromLittleEndian<qint16>(wmf.constData() + 12)),
      std::make_tuple(0x9AC6CDD7u, 96, picture.width(), picture.height()));
  const QByteArray svg = ReadAll(Overview("sheet.svg"));
  EXPECT_TRUE(svg.contains("<svg") && svg.contains("Staff survey 2024"));
  EXPECT_TRUE(ReadAll(Overview("sheet.pdf")).startsWith("%PDF"));
}

TEST(OverviewCommandTest, RefusedSelectionsUsageErrorsAndWriteFailuresExitAsDocumented) {
  const QString out = TempDir() + "/refused.emf";
  const CliResult refused = RunKvf({"overview", kSample, "--keep", "0:", "--out", out});
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_FALSE(refused.err.trimmed().isEmpty() || QFile::exists(out));
  // An unknown format, a screen image as a metafile, no output.
  for (const QStringList& usage : {QStringList{"--out", TempDir() + "/x.bmp"},
                                   QStringList{"--screen", "--out", TempDir() + "/x.svg"}, QStringList()})
    EXPECT_EQ(RunKvf(QStringList{"overview", kSample} + usage).exitCode, 1) << usage.join(' ').toStdString();
  for (const char* name : {"x.emf", "x.wmf", "x.png"}) {
    const CliResult result = RunKvf({"overview", kSample, "--out", TempDir() + "/no such folder/" + name});
    EXPECT_EQ(result.exitCode, 4) << name;
    EXPECT_TRUE(result.err.startsWith("Overview could not be saved!")) << result.err.toStdString();
  }
}

}  // namespace
}  // namespace kvf::testing
