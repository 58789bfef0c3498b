// Independent renderings: the metafiles are drawn by readers that share no
// code with the writers (EMF: emf2svg-conv, then rsvg-convert; WMF: libwmf's
// wmf2gd) and compared with what QPainter draws into a QImage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/metafile/MetafilePaintDevice.h"
#include "platform/metafile/MetafileTestSupport.h"

namespace kvf::platform {
namespace {

using testing::SamplePicture;

// Runs a tool; an empty result means success, else what went wrong.
QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForStarted(10000)) return program + QStringLiteral(" did not start");
  if (!process.waitForFinished(120000)) {
    process.kill();
    return program + QStringLiteral(" timed out");
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll());
  return {};
}

QString MissingTool(const QStringList& tools) {
  for (const QString& tool : tools)
    if (QStandardPaths::findExecutable(tool).isEmpty()) return tool;
  return {};
}

// Renders WMF bytes with libwmf's wmf2gd into a PNG in dir; the image, or a
// null image after a failure.
QImage RenderWmf(const QTemporaryDir& dir, const QByteArray& bytes, QSize size) {
  const QString wmfPath = dir.filePath(QStringLiteral("picture.wmf"));
  const QString pngPath = dir.filePath(QStringLiteral("picture.png"));
  QFile file(wmfPath);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  file.close();
  const QString rendered =
      RunTool(QStringLiteral("wmf2gd"), {QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("--maxwidth=%1").arg(size.width()),
                                         QStringLiteral("--maxheight=%1").arg(size.height()), QStringLiteral("--maxsize"),
                                         QStringLiteral("-o"), pngPath, wmfPath});
  EXPECT_TRUE(rendered.isEmpty()) << rendered.toStdString();
  return QImage(pngPath);
}

// The pixel as seen on white paper.
QRgb OnWhite(QRgb pixel) {
  const int a = qAlpha(pixel);
  auto blend = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
  return qRgb(blend(qRed(pixel)), blend(qGreen(pixel)), blend(qBlue(pixel)));
}

// The bounding box of the dark (text) pixels inside region.
QRect DarkBox(const QImage& image, const QRect& region) {
  QRect box;
  const QRect area = region.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(OnWhite(image.pixel(x, y))) < 110) box = box.united(QRect(x, y, 1, 1));
  return box;
}

QImage ScreenImage(const SamplePicture& picture) {
  QImage image(SamplePicture::Size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  picture.Draw(painter);
  return image;
}

// Compares a rendering with the screen image: fill colours at points away
// from text and edges (and on the edges when exactEdges), white where
// nothing was filled, and the text's ink boxes within tolerance pixels of
// the screen image's.
void ExpectSamePicture(const QImage& rendered, const QImage& screen, const SamplePicture& picture, int tolerance,
                       bool exactEdges) {
  ASSERT_FALSE(rendered.isNull());
  ASSERT_TRUE(rendered.width() >= screen.width() - 1 && rendered.height() >= screen.height() - 1);

  auto expectColour = [&](const QPoint& at, const char* what) {
    const QRgb want = OnWhite(screen.pixel(at));
    const QRgb got = OnWhite(rendered.pixel(at));
    const int difference = std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                                     std::abs(qBlue(got) - qBlue(want))});
    EXPECT_LE(difference, 2) << what << " at " << at.x() << "," << at.y() << std::hex << ": " << got << " for " << want;
  };
  for (const auto& [area, what] : {std::pair{picture.band, "band"}, std::pair{picture.captionBlock, "caption block"}}) {
    expectColour(area.topLeft() + QPoint(2, 2), what);
    expectColour(area.bottomRight() - QPoint(2, 2), what);
  }
  for (const SamplePicture::Cell& cell : picture.cells) {
    // Corners are clear of the centred labels.
    expectColour(cell.rect.topLeft() + QPoint(2, 2), "cell");
    expectColour(cell.rect.bottomRight() - QPoint(2, 2), "cell");
    expectColour(QPoint(cell.rect.left() + 2, cell.rect.bottom() - 2), "cell");
    // The last pixel column and row belong to the cell too (fills are
    // exact); a reader that rescales by a fraction of a pixel cannot show it.
    if (exactEdges && cell.color.isValid() && cell.rect.right() < screen.width() - 1)
      expectColour(QPoint(cell.rect.right(), cell.rect.top() + 1), "cell's right edge");
    if (exactEdges && cell.color.isValid())
      expectColour(QPoint(cell.rect.left() + 1, cell.rect.bottom()), "cell's bottom edge");
    if (!cell.color.isValid()) {
      EXPECT_EQ(OnWhite(rendered.pixel(cell.rect.center())), qRgb(255, 255, 255));
    }
  }

  auto expectText = [&](const QRect& region, const QString& what) {
    const QRect want = DarkBox(screen, region);
    const QRect got = DarkBox(rendered, region);
    ASSERT_FALSE(want.isEmpty()) << what.toStdString();
    ASSERT_FALSE(got.isEmpty()) << "no text drawn: " << what.toStdString();
    for (const auto& [g, w] : {std::pair{got.left(), want.left()}, std::pair{got.right(), want.right()},
                               std::pair{got.top(), want.top()}, std::pair{got.bottom(), want.bottom()}})
      EXPECT_NEAR(g, w, tolerance) << what.toStdString();
  };
  expectText(picture.band, picture.bandText);
  for (const SamplePicture::Cell& cell : picture.cells)
    if (!cell.label.isEmpty()) expectText(cell.rect.adjusted(1, 1, -1, -1), cell.label);
  expectText(picture.caption, picture.captionText);
}

class MetafileRenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::EnsureGuiApplication(); }
};

TEST_F(MetafileRenderTest, EmfRenderedByEmf2svgMatchesTheScreenImage) {
  const QString missing = MissingTool({QStringLiteral("emf2svg-conv"), QStringLiteral("rsvg-convert")});
  if (!missing.isEmpty())
    GTEST_SKIP() << missing.toStdString() << " is not installed (Debian packages emf2svg, librsvg2-bin)";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const SamplePicture picture;
  EmfPaintDevice emf(SamplePicture::Size(), QStringLiteral("Render test"));
  {
    QPainter painter(&emf);
    picture.Draw(painter);
  }
  const QString emfPath = dir.filePath(QStringLiteral("picture.emf"));
  const QString svgPath = dir.filePath(QStringLiteral("picture.svg"));
  const QString pngPath = dir.filePath(QStringLiteral("picture.png"));
  ASSERT_TRUE(emf.Save(emfPath).Ok());
  const QString converted = RunTool(QStringLiteral("emf2svg-conv"), {QStringLiteral("-i"), emfPath, QStringLiteral("-o"), svgPath});
  ASSERT_TRUE(converted.isEmpty()) << converted.toStdString();
  const QString rendered = RunTool(QStringLiteral("rsvg-convert"), {svgPath, QStringLiteral("-o"), pngPath});
  ASSERT_TRUE(rendered.isEmpty()) << rendered.toStdString();
  ExpectSamePicture(QImage(pngPath), ScreenImage(picture), picture, 3, true);
}

TEST_F(MetafileRenderTest, WmfRenderedByLibwmfMatchesTheScreenImage) {
  const QString missing = MissingTool({QStringLiteral("wmf2gd")});
  if (!missing.isEmpty()) GTEST_SKIP() << "wmf2gd is not installed (Debian package libwmf-bin)";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const SamplePicture picture;
  WmfPaintDevice wmf(SamplePicture::Size());
  {
    QPainter painter(&wmf);
    picture.Draw(painter);
  }
  const QImage image = RenderWmf(dir, wmf.ToBytes(), SamplePicture::Size());
  EXPECT_EQ(image.size(), SamplePicture::Size());
  // libwmf maps the picture onto its image with a slight fractional scale,
  // so cell edges may move by one pixel.
  ExpectSamePicture(image, ScreenImage(picture), picture, 5, false);
}

TEST_F(MetafileRenderTest, WmfClipRectangleLimitsWhatLibwmfDraws) {
  // (emf2svg defines EMF clips but does not apply them to fills, so only
  // the WMF side can be checked by a reader.)
  if (!MissingTool({QStringLiteral("wmf2gd")}).isEmpty()) GTEST_SKIP() << "wmf2gd is not installed (Debian package libwmf-bin)";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WmfPaintDevice wmf(QSize(100, 100));
  {
    QPainter painter(&wmf);
    painter.fillRect(QRect(90, 90, 10, 10), Qt::green);  // makes libwmf see the whole picture
    painter.setClipRect(QRect(20, 30, 40, 20));
    painter.fillRect(QRect(0, 0, 100, 100), Qt::blue);
    painter.setClipping(false);
    painter.fillRect(QRect(0, 0, 10, 10), Qt::red);
  }
  const QImage image = RenderWmf(dir, wmf.ToBytes(), QSize(100, 100));
  ASSERT_EQ(image.size(), QSize(100, 100));
  // Blue inside the clip only; white around it; the red fill after clipping ends.
  const std::pair<QPoint, QRgb> expected[] = {{QPoint(40, 40), qRgb(0, 0, 255)},
                                              {QPoint(40, 60), qRgb(255, 255, 255)},
                                              {QPoint(10, 40), qRgb(255, 255, 255)},
                                              {QPoint(70, 40), qRgb(255, 255, 255)},
                                              {QPoint(5, 5), qRgb(255, 0, 0)}};
  for (const auto& [at, colour] : expected) EXPECT_EQ(OnWhite(image.pixel(at)), colour) << at.x() << "," << at.y();
}

}  // namespace
}  // namespace kvf::platform
