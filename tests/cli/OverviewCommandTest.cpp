// kvf overview on the sample survey: every format written as its kind, the
// screen image against the picture cell by cell, headers only and the exit
// codes. (Independent renderings of the metafiles are checked in the
// platform tests.)
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <cmath>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

const QString kSample = QStringLiteral(KVF_SAMPLES_DIR "/staff-survey-en.kvf");
const QString kRows = QStringLiteral("8");

QString OutPath(const QString& name) { return TempDir() + QLatin1Char('/') + name; }

// kvf overview on the sample with 8 answer rows; returns the output path.
QString Overview(const QString& name, const QStringList& extra = {}) {
  const QString path = OutPath(name);
  const CliResult result = RunKvf(QStringList{"overview", kSample, "--max-rows", kRows, "--out", path} + extra);
  EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
  return path;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int HeaderRowCount() {
  const CliResult result = RunKvf({QStringLiteral("select"), kSample});
  return QJsonDocument::fromJson(result.out).object().value(QStringLiteral("headerRowCount")).toInt();
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Compares every coloured header and answer cell of the screen image
// (16-pixel cells) with the same cell of a picture at twice the scale,
// near the cell's top-left corner (clear of group lines and texts).
void ExpectSameCells(const QImage& screen, const QImage& picture) {
  ASSERT_FALSE(screen.isNull() || picture.isNull());
  int compared = 0, wrong = 0;
  for (int y = 0; y < screen.height(); y += 16) {
    for (int x = 0; x < screen.width(); x += 16) {
      const QRgb expected = screen.pixel(x + 1, y + 1);
      if (qRed(expected) + qGreen(expected) + qBlue(expected) == 0) continue;  // no colour
      ++compared;
      const QRgb got = picture.pixel(2 * x + 5, 2 * y + 4);
      if ((!Near(expected, got, 2) || qAlpha(got) < 250) && ++wrong <= 5)
        ADD_FAILURE() << "cell at " << x / 16 << "," << y / 16 << ": expected " << std::hex << expected << " got "
                      << got;
    }
  }
  EXPECT_GT(compared, 300);
  EXPECT_EQ(wrong, 0);
}

TEST(OverviewCommandTest, TheScreenImageIsExactlyTheSheet) {
  const QImage screen(Overview(QStringLiteral("screen.png"), {QStringLiteral("--screen")}));
  ASSERT_FALSE(screen.isNull());
  EXPECT_EQ(screen.height(), (HeaderRowCount() + 8) * 16);
  const QImage picture(Overview(QStringLiteral("picture.png")));
  // The metafile picture: the same columns at twice the scale, with index rows and caption below.
  EXPECT_EQ(picture.width(), 2 * screen.width());
  EXPECT_GT(picture.height(), 2 * screen.height() + 2 * 32);
  ExpectSameCells(screen, picture);
}

TEST(OverviewCommandTest, EveryFormatIsWrittenAsItsKind) {
  const QByteArray emf = ReadAll(Overview(QStringLiteral("sheet.emf")));
  ASSERT_GT(emf.size(), 88);
  EXPECT_EQ(qFromLittleEndian<quint32>(emf.constData()), 1u);  // EMR_HEADER
  EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
  // The description: application title, NUL, project name, NUL (UTF-16).
  const QString description = QStringLiteral("KVF Viewer") + QChar(0) + QStringLiteral("Staff survey 2024") + QChar(0);
  EXPECT_TRUE(emf.contains(QByteArray(reinterpret_cast<const char*>(description.utf16()), description.size() * 2)));
  const QByteArray wmf = ReadAll(Overview(QStringLiteral("sheet.wmf")));
  ASSERT_GT(wmf.size(), 40);
  // Key, units per inch and the bounds: the picture's extent.
  const QImage picture(Overview(QStringLiteral("sheet.png")));
  EXPECT_EQ(
      std::make_tuple(qFromLittleEndian<quint32>(wmf.constData()), qFromLittleEndian<quint16>(wmf.constData() + 14),
                      qFromLittleEndian<qint16>(wmf.constData() + 6), qFromLittleEndian<qint16>(wmf.constData() + 10),
                      qFromLittleEndian<qint16>(wmf.constData() + 12)),
      std::make_tuple(0x9AC6CDD7u, 96, 0, picture.width(), picture.height()));
  const QByteArray svg = ReadAll(Overview(QStringLiteral("sheet.svg")));
  EXPECT_TRUE(svg.contains("<svg") && svg.contains("Staff survey 2024"));
  EXPECT_TRUE(ReadAll(Overview(QStringLiteral("sheet.pdf"))).startsWith("%PDF"));
  // The extension decides, whatever its case.
  EXPECT_EQ(qFromLittleEndian<quint32>(ReadAll(Overview(QStringLiteral("upper.WMF"))).constData()), 0x9AC6CDD7u);
}

TEST(OverviewCommandTest, HeadersOnlyLeavesOutTheAnswerRows) {
  const QImage screen(Overview(QStringLiteral("headers.png"), {QStringLiteral("--screen"), QStringLiteral("--headers-only")}));
  EXPECT_EQ(screen.height(), HeaderRowCount() * 16);
}

TEST(OverviewCommandTest, RefusedSelectionsUsageErrorsAndWriteFailuresExitAsDocumented) {
  const QString out = OutPath(QStringLiteral("refused.emf"));
  const CliResult refused = RunKvf({"overview", kSample, "--keep", "0:", "--out", out});
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_FALSE(refused.err.trimmed().isEmpty() || QFile::exists(out));
  // An unknown format, a screen image as a metafile, no output.
  for (const QStringList& usage :
       {QStringList{"--out", OutPath("x.bmp")}, QStringList{"--screen", "--out", OutPath("x.svg")}, QStringList()})
    EXPECT_EQ(RunKvf(QStringList{"overview", kSample} + usage).exitCode, 1) << usage.join(' ').toStdString();
  const QString nowhere = TempDir() + QStringLiteral("/no such folder/");
  for (const char* name : {"x.emf", "x.wmf", "x.png"}) {
    const CliResult result = RunKvf({"overview", kSample, "--out", nowhere + name});
    EXPECT_EQ(result.exitCode, 4) << name;
    EXPECT_TRUE(result.err.startsWith("Overview could not be saved!")) << result.err.toStdString();
  }
  const CliResult swedish = RunKvf({"overview", kSample, "--out", nowhere + "x.svg"}, QStringLiteral("sv"));
  EXPECT_EQ(swedish.exitCode, 4);
  EXPECT_TRUE(QString::fromUtf8(swedish.err).startsWith(QStringLiteral("Översikt kunde inte sparas!")))
      << swedish.err.toStdString();
}

}  // namespace
}  // namespace kvf::testing
