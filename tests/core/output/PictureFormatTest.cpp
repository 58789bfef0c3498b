// The table of picture formats: lookup by file name and by filter, and the
// atomic replacement of a file by every format.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "core/output/PictureFormat.h"
#include "core/sheet/SheetTestSupport.h"

namespace kvf::testing {
namespace {

TEST(PictureFormats, FoundByExtensionWithoutRegardToCaseAndByTheirFilter) {
  ASSERT_NE(PictureFormatForPath(QStringLiteral("a/b.EMF")), nullptr);
  EXPECT_EQ(PictureFormatForPath(QStringLiteral("a/b.EMF"))->Extensions().first(), QStringLiteral("emf"));
  EXPECT_EQ(PictureFormatForPath(QStringLiteral("x.tar.Png"))->Extensions().first(), QStringLiteral("png"));
  EXPECT_EQ(PictureFormatForPath(QStringLiteral("x.bmp")), nullptr);
  EXPECT_EQ(PictureFormatForPath(QStringLiteral("emf")), nullptr);
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
  for (const PictureFormat* format : PictureFormats()) {
    SCOPED_TRACE(format->Filter().toStdString());
    const QString path = dir.filePath(QStringLiteral("picture.") + format->Extensions().first());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(old);
    file.close();

    EXPECT_EQ(format->Write(RedPicture(false), path).Code(), kPictureNotDrawn);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    file.close();

    const Picture drawn = RedPicture(true);
    EXPECT_TRUE(format->Write(drawn, path).ok());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();
    EXPECT_GT(written.size(), 0);
    EXPECT_NE(written, old);

    const Status missing = format->Write(drawn, dir.filePath(QStringLiteral("no such folder/x.emf")));
    EXPECT_EQ(missing.Code(), kPictureWriteFailed);
    EXPECT_TRUE(missing.Text().contains(QStringLiteral("no such folder"))) << missing.Text().toStdString();
  }
}

}  // namespace
}  // namespace kvf::testing
