// kvf overview on the sample survey: every format, the screen image's size,
// headers only, errors, and the metafiles as independent readers render
// them (EMF: emf2svg-conv + rsvg-convert; WMF: libwmf's wmf2gd) compared
// cell by cell with the screen image.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>
#include <cmath>
#include <vector>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

const QString kSample = QStringLiteral(KVF_SAMPLES_DIR "/staff-survey-en.kvf");
const QString kRows = QStringLiteral("8");

QString OutPath(const QString& name) { return TempDir() + QLatin1Char('/') + name; }

// kvf overview on the sample with 8 answer rows; returns the output path.
QString Overview(const QString& name, const QStringList& extra = {}) {
  const QString path = OutPath(name);
  const CliResult result =
      RunKvf(QStringList{QStringLiteral("overview"), kSample, QStringLiteral("--max-rows"), kRows,
                         QStringLiteral("--out"), path} +
             extra);
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

QString RunTool(const QString& program, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(program).isEmpty()) return program + QStringLiteral(" is not installed");
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll());
  return {};
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Where a picture at twice the screen's scale shows sheet pixel x: exact
// pictures put it at 2x; a reader that fits the picture to the extent of
// everything drawn (texts overflowing the sheet included) shifts and
// scales it slightly.
struct AxisMap {
  double scale = 2.0;
  double offset = 0.0;
  int operator()(int x) const { return static_cast<int>(std::lround(scale * x + offset)); }
};

// The centres of the runs of lineColour along row y.
std::vector<double> LineCentres(const QImage& image, int y, QRgb lineColour) {
  std::vector<double> centres;
  int start = -1;
  for (int x = 0; x <= image.width(); ++x) {
    const bool on = x < image.width() && Near(image.pixel(x, y), lineColour, 8);
    if (on && start < 0) start = x;
    if (!on && start >= 0) {
      centres.push_back((start + x - 1) / 2.0);
      start = -1;
    }
  }
  return centres;
}

// Fits the horizontal placement of rendered to exact (same sheet at the
// same scale) from the first and last group line of row y.
AxisMap FitByGroupLines(const QImage& exact, const QImage& rendered, int y, QRgb lineColour) {
  const std::vector<double> want = LineCentres(exact, y, lineColour);
  const std::vector<double> got = LineCentres(rendered, y, lineColour);
  if (want.size() < 2 || got.size() != want.size()) return {};
  const double scale = (got.back() - got.front()) / (want.back() - want.front());
  return {2.0 * scale, got.front() - scale * want.front()};
}

// Compares every coloured header and answer cell of the screen image
// (16-pixel cells) with the same cell of a picture at twice the scale,
// near the cell's top-left corner (clear of group lines and texts).
void ExpectSameCells(const QImage& screen, const QImage& picture, AxisMap mapX = {}, AxisMap mapY = {}) {
  ASSERT_FALSE(screen.isNull());
  ASSERT_FALSE(picture.isNull());
  int compared = 0;
  int wrong = 0;
  for (int y = 0; y < screen.height(); y += 16) {
    for (int x = 0; x < screen.width(); x += 16) {
      const QRgb expected = screen.pixel(x + 1, y + 1);
      if (qRed(expected) + qGreen(expected) + qBlue(expected) == 0) continue;  // no colour
      ++compared;
      const QRgb got = picture.pixel(mapX(x) + 5, mapY(y) + 4);
      if (!Near(expected, got, 2) || qAlpha(got) < 250) {
        if (++wrong <= 5)
          ADD_FAILURE() << "cell at " << x / 16 << "," << y / 16 << ": expected " << std::hex << expected << " got "
                        << got;
      }
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
  EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData()), 0x9AC6CDD7u);
  EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 14), 96);
  // Bounds: the picture's extent; checksum: the XOR of the ten words before it.
  const QImage picture(Overview(QStringLiteral("sheet.png")));
  EXPECT_EQ(qFromLittleEndian<qint16>(wmf.constData() + 6), 0);
  EXPECT_EQ(qFromLittleEndian<qint16>(wmf.constData() + 10), picture.width());
  EXPECT_EQ(qFromLittleEndian<qint16>(wmf.constData() + 12), picture.height());
  quint16 checksum = 0;
  for (int offset = 0; offset < 20; offset += 2) checksum ^= qFromLittleEndian<quint16>(wmf.constData() + offset);
  EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 20), checksum);
  const QByteArray svg = ReadAll(Overview(QStringLiteral("sheet.svg")));
  EXPECT_TRUE(svg.contains("<svg"));
  EXPECT_TRUE(svg.contains("Staff survey 2024"));
  EXPECT_TRUE(ReadAll(Overview(QStringLiteral("sheet.pdf"))).startsWith("%PDF"));
  // The extension decides, whatever its case.
  EXPECT_EQ(qFromLittleEndian<quint32>(ReadAll(Overview(QStringLiteral("upper.WMF"))).constData()), 0x9AC6CDD7u);
}

TEST(OverviewCommandTest, HeadersOnlyLeavesOutTheAnswerRows) {
  const QImage screen(Overview(QStringLiteral("headers.png"), {QStringLiteral("--screen"), QStringLiteral("--headers-only")}));
  EXPECT_EQ(screen.height(), HeaderRowCount() * 16);
  const QImage full(Overview(QStringLiteral("full.png")));
  const QImage headers(Overview(QStringLiteral("headers-picture.png"), {QStringLiteral("--headers-only")}));
  EXPECT_EQ(full.height() - headers.height(), 8 * 32);
}

TEST(OverviewCommandTest, EmfRenderedByAnIndependentReaderShowsTheScreensCells) {
  const QString emf = Overview(QStringLiteral("render.emf"));
  const QString svg = OutPath(QStringLiteral("render-emf.svg"));
  const QString png = OutPath(QStringLiteral("render-emf.png"));
  const QString converted = RunTool(QStringLiteral("emf2svg-conv"), {QStringLiteral("-i"), emf, QStringLiteral("-o"), svg});
  if (converted.contains(QStringLiteral("not installed"))) GTEST_SKIP() << converted.toStdString();
  ASSERT_TRUE(converted.isEmpty()) << converted.toStdString();
  const QString rendered = RunTool(QStringLiteral("rsvg-convert"), {svg, QStringLiteral("-o"), png});
  if (rendered.contains(QStringLiteral("not installed"))) GTEST_SKIP() << rendered.toStdString();
  ASSERT_TRUE(rendered.isEmpty()) << rendered.toStdString();
  ExpectSameCells(QImage(Overview(QStringLiteral("render-screen.png"), {QStringLiteral("--screen")})), QImage(png));
}

TEST(OverviewCommandTest, WmfRenderedByAnIndependentReaderShowsTheScreensCells) {
  const QString wmf = Overview(QStringLiteral("render.wmf"));
  const QImage picture(Overview(QStringLiteral("render-picture.png")));
  const QString png = OutPath(QStringLiteral("render-wmf.png"));
  const QString rendered = RunTool(
      QStringLiteral("wmf2gd"), {QStringLiteral("-t"), QStringLiteral("png"),
                                 QStringLiteral("--maxwidth=%1").arg(picture.width()),
                                 QStringLiteral("--maxheight=%1").arg(picture.height()), QStringLiteral("--maxsize"),
                                 QStringLiteral("-o"), png, wmf});
  if (rendered.contains(QStringLiteral("not installed"))) GTEST_SKIP() << rendered.toStdString();
  ASSERT_TRUE(rendered.isEmpty()) << rendered.toStdString();
  const QImage image(png);
  EXPECT_EQ(image.height(), picture.height());
  // libwmf fits the picture to everything drawn: the labels that overflow
  // the first and last columns widen it a little.
  const AxisMap mapX = FitByGroupLines(picture, image, 4, qRgb(0x40, 0x40, 0x40));
  EXPECT_NEAR(mapX.scale, 2.0, 0.1);
  ExpectSameCells(QImage(Overview(QStringLiteral("render-screen2.png"), {QStringLiteral("--screen")})), image, mapX);
}

TEST(OverviewCommandTest, RefusedSelectionsUsageErrorsAndWriteFailuresExitAsDocumented) {
  const QString out = OutPath(QStringLiteral("refused.emf"));
  CliResult result = RunKvf({QStringLiteral("overview"), kSample, QStringLiteral("--keep"), QStringLiteral("0:"),
                             QStringLiteral("--out"), out});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_FALSE(result.err.trimmed().isEmpty());
  EXPECT_FALSE(QFile::exists(out));

  result = RunKvf({QStringLiteral("overview"), kSample, QStringLiteral("--out"), OutPath(QStringLiteral("x.bmp"))});
  EXPECT_EQ(result.exitCode, 1);
  result = RunKvf({QStringLiteral("overview"), kSample, QStringLiteral("--screen"), QStringLiteral("--out"),
                   OutPath(QStringLiteral("x.svg"))});
  EXPECT_EQ(result.exitCode, 1);
  result = RunKvf({QStringLiteral("overview"), kSample});
  EXPECT_EQ(result.exitCode, 1);

  for (const QString& name : {QStringLiteral("x.emf"), QStringLiteral("x.wmf"), QStringLiteral("x.png")}) {
    result = RunKvf({QStringLiteral("overview"), kSample, QStringLiteral("--out"),
                     TempDir() + QStringLiteral("/no such folder/") + name});
    EXPECT_EQ(result.exitCode, 4) << name.toStdString();
    EXPECT_TRUE(result.err.startsWith("Overview could not be saved!")) << result.err.toStdString();
  }
  result = RunKvf({QStringLiteral("overview"), kSample, QStringLiteral("--out"),
                   TempDir() + QStringLiteral("/no such folder/x.svg")},
                  QStringLiteral("sv"));
  EXPECT_EQ(result.exitCode, 4);
  EXPECT_TRUE(QString::fromUtf8(result.err).startsWith(QStringLiteral("Översikt kunde inte sparas!")))
      << result.err.toStdString();
}

}  // namespace
}  // namespace kvf::testing
