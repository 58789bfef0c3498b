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
  for (const PictureFormat* format : PictureFormats()) {
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

}  // namespace
}  // namespace kvf::testing
