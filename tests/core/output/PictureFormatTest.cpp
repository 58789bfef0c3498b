// The table of picture formats: lookup by file name and by filter, and the
// atomic replacement of a file by every format.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "core/output/PictureFormat.h"
#include "core/sheet/SheetTestSupport.h"

namespace kvf::testing {
namespace {

TEST(PictureFormats, FoundByExtensionWithoutRegardToCaseAndByTheirFilter) {
  EXPECT_EQ(std::make_tuple(PictureFormatForPath(QStringLiteral("a/b.EMF")), PictureFormatForPath(QStringLiteral("x.tar.Png"))),
            std::make_tuple(PictureFormatForPath(QStringLiteral("x.emf")), PictureFormatForPath(QStringLiteral("x.png"))));
  EXPECT_EQ(std::make_tuple(PictureFormatForPath(QStringLiteral("x.bmp")), PictureFormatForPath(QStringLiteral("emf"))),
            std::make_tuple(nullptr, nullptr));
  for (const PictureFormat* format : PictureFormats()) {
    EXPECT_EQ(PictureFormatForFilter(format->Filter()), format) << format->Filter().toStdString();
    EXPECT_EQ(PictureFormatForPath(QStringLiteral("x.") + format->Extensions().first()), format);
  }
  EXPECT_EQ(PictureFormatForFilter(QStringLiteral("Windows utökad metafil (*.emf)")),
            PictureFormatForPath(QStringLiteral("x.emf")));
}

// A 40 × 20 red picture whose paint routine reports drawn.
Picture RedPicture(bool drawn) {
  Picture picture;
  picture.size = QSize(40, 20);
  picture.paint = [drawn](QPainter& painter) {
    painter.fillRect(0, 0, 40, 20, Qt::red);
    return drawn;
  };
  return picture;
}

TEST(PictureFormats, EveryFormatReplacesTheFileOnlyWhenThePictureWasDrawn) {
  EnsureGuiApplication();
  QTemporaryDir dir;
  const QByteArray old("old contents");
  for (const PictureFormat* format : ChartPictureFormats()) {
    SCOPED_TRACE(format->Filter().toStdString());
    const QString path = dir.filePath(QStringLiteral("picture.") + format->Extensions().first());
    auto contents = [&path] {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    };
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    file.close();
    EXPECT_EQ(format->Write(RedPicture(false), path).Code(), kPictureNotDrawn);
    EXPECT_EQ(contents(), old);
    const Picture drawn = RedPicture(true);
    EXPECT_TRUE(format->Write(drawn, path).ok());
    const QByteArray written = contents();
    EXPECT_TRUE(!written.isEmpty() && written != old && written != "unreadable");

    const Status missing = format->Write(drawn, dir.filePath(QStringLiteral("no such folder/x.emf")));
    EXPECT_EQ(missing.Code(), kPictureWriteFailed);
    EXPECT_TRUE(missing.Text().contains(QStringLiteral("no such folder"))) << missing.Text().toStdString();
  }
}

// The raster formats of charts, read back by Qt's own readers: the right
// format by extension in any case, and the right colours (JPEG within its
// loss; GIF quantised by Qt and written by giflib).
TEST(PictureFormats, ChartRasterFilesReadBackWithTheirColours) {
  EnsureGuiApplication();
  QTemporaryDir dir;
  Picture picture;
  picture.size = QSize(40, 20);
  picture.paint = [](QPainter& painter) {
    painter.fillRect(0, 0, 20, 20, QColor(200, 0, 0));
    painter.fillRect(20, 0, 20, 20, QColor(0, 0, 255));
    return true;
  };
  EXPECT_EQ(PictureFormatForPath(QStringLiteral("x.gif")), nullptr);  // other pictures keep their formats
  for (const char* name : {"chart.PNG", "chart.Bmp", "chart.JPG", "chart.gif"}) {
    SCOPED_TRACE(name);
    const QString path = dir.filePath(QString::fromLatin1(name));
    const PictureFormat* format = ChartPictureFormatForPath(path);
    ASSERT_NE(format, nullptr);
    ASSERT_TRUE(format->Write(picture, path).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QByteArray suffix = QFileInfo(path).suffix().toUpper().toLatin1();
    const QImage image = QImage::fromData(bytes, suffix == "JPG" ? "JPEG" : suffix.constData());
    ASSERT_EQ(image.size(), QSize(40, 20));
    const int tolerance = suffix == "JPG" ? 12 : 0;
    for (const auto& [x, expected] : {std::pair{5, QColor(200, 0, 0)}, std::pair{35, QColor(0, 0, 255)}}) {
      const QColor got = image.pixelColor(x, 10);
      EXPECT_LE(std::abs(got.red() - expected.red()) + std::abs(got.green() - expected.green()) +
                    std::abs(got.blue() - expected.blue()),
                tolerance)
          << got.name().toStdString();
    }
  }
}

}  // namespace
}  // namespace kvf::testing
