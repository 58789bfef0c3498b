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

// Compares a rendering with the screen image: fill colours at points away
// from text and edges (and on the edges when exactEdges), white where
// nothing was filled, and the text's ink boxes within tolerance pixels of
// the screen image's.
void ExpectSamePicture(const QImage& rendered, int tolerance, bool exactEdges) {
  const SamplePicture picture;
  QImage screen(SamplePicture::Size(), QImage::Format_ARGB32);
  screen.fill(Qt::white);
  QPainter painter(&screen);
  picture.Draw(painter);
  painter.end();
  ASSERT_FALSE(rendered.isNull());
  ASSERT_TRUE(rendered.width() >= screen.width() - 1 && rendered.height() >= screen.height() - 1);

  auto expectColour = [&](const QPoint& at, const char* what) {
    const QRgb want = OnWhite(screen.pixel(at)), got = OnWhite(rendered.pixel(at));
    for (int d : {qRed(got) - qRed(want), qGreen(got) - qGreen(want), qBlue(got) - qBlue(want)})
      EXPECT_LE(std::abs(d), 2) << what << " at " << at.x() << "," << at.y() << std::hex << ": " << got << " for " << want;
  };
  for (const QRect& area : {picture.band, picture.captionBlock})
    for (const QPoint& at : {area.topLeft() + QPoint(2, 2), area.bottomRight() - QPoint(2, 2)}) expectColour(at, "area");
  for (const SamplePicture::Cell& cell : picture.cells) {
    // Corners are clear of the centred labels.
    for (const QPoint& at : {cell.rect.topLeft() + QPoint(2, 2), cell.rect.bottomRight() - QPoint(2, 2)})
      expectColour(at, "cell");
    // The last pixel column and row belong to the cell too (fills are
    // exact); a reader that rescales by a fraction of a pixel cannot show it.
    if (exactEdges && cell.color.isValid()) {
      if (cell.rect.right() < screen.width() - 1) expectColour(QPoint(cell.rect.right(), cell.rect.top() + 1), "right edge");
      expectColour(QPoint(cell.rect.left() + 1, cell.rect.bottom()), "bottom edge");
    }
    if (!cell.color.isValid()) EXPECT_EQ(OnWhite(rendered.pixel(cell.rect.center())), qRgb(255, 255, 255));
  }

  auto expectText = [&](const QRect& region, const QString& what) {
    const QRect want = DarkBox(screen, region);
    const QRect got = DarkBox(rendered, region);
    ASSERT_FALSE(want.isEmpty()) << what.toStdString();
    ASSERT_FALSE(got.isEmpty()) << "no text drawn: " << what.toStdString();
    for (int d : {got.left() - want.left(), got.right() - want.right(), got.top() - want.top(), got.bottom() - want.bottom()})
      EXPECT_LE(std::abs(d), tolerance) << what.toStdString();
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

// Saves the picture as drawn on device to dir/picture.<suffix>, runs the
// commands (%1 is the metafile, %2 the PNG) and returns the PNG.
template <typename Device>
void Render(Device& device, const QString& suffix, const QList<QStringList>& commands, QImage* image) {
  for (const QStringList& command : commands)
    if (QStandardPaths::findExecutable(command[0]).isEmpty())
      GTEST_SKIP() << command[0].toStdString() << " is not installed (Debian packages emf2svg, librsvg2-bin, libwmf-bin)";
  QTemporaryDir dir;
  QPainter painter(&device);
  SamplePicture().Draw(painter);
  painter.end();
  const QString path = dir.filePath(QStringLiteral("picture.") + suffix), png = dir.filePath(QStringLiteral("p.png"));
  EXPECT_TRUE(device.Save(path).Ok());
  for (QStringList command : commands) {
    for (QString& word : command) word.replace("%1", path).replace("%2", png).replace("%3", dir.filePath("picture.svg"));
    EXPECT_EQ(QProcess::execute(command[0], command.mid(1)), 0) << command.join(' ').toStdString();
  }
  *image = QImage(png);
}

TEST_F(MetafileRenderTest, EmfRenderedByEmf2svgMatchesTheScreenImage) {
  EmfPaintDevice emf(SamplePicture::Size(), QStringLiteral("Render test"));
  QImage image;
  Render(emf, QStringLiteral("emf"), {{"emf2svg-conv", "-i", "%1", "-o", "%3"}, {"rsvg-convert", "%3", "-o", "%2"}}, &image);
  if (IsSkipped()) return;
  ExpectSamePicture(image, 3, true);
}

TEST_F(MetafileRenderTest, WmfRenderedByLibwmfMatchesTheScreenImage) {
  WmfPaintDevice wmf(SamplePicture::Size());
  const QSize size = SamplePicture::Size();
  QImage image;
  Render(wmf, QStringLiteral("wmf"),
         {{"wmf2gd", "-t", "png", QStringLiteral("--maxwidth=%1").arg(size.width()),
           QStringLiteral("--maxheight=%1").arg(size.height()), "--maxsize", "-o", "%2", "%1"}},
         &image);
  if (IsSkipped()) return;
  // libwmf maps the picture onto its image with a slight fractional scale: cell edges may move by one pixel.
  ExpectSamePicture(image, 5, false);
}

}  // namespace
}  // namespace kvf::platform
