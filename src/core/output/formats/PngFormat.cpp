#include "core/output/formats/PngFormat.h"

#include <QBuffer>
#include <QImage>

namespace kvf {

QByteArray PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return bytes;
}

Status PngFormat::Write(const Picture& picture, const QString& path) const {
  QImage painted;
  if (picture.image.isNull()) {
    painted = QImage(picture.size, QImage::Format_ARGB32_Premultiplied);
    if (painted.isNull()) return picture_file::TooLarge(picture.size);
    painted.fill(Qt::transparent);
    if (!picture_file::Paint(&painted, picture)) return picture_file::NotDrawn();
  }
  const QByteArray png = PngBytes(picture.image.isNull() ? painted : picture.image);
  if (png.isEmpty()) return picture_file::NotDrawn();
  return picture_file::WriteBytes(path, png);
}

}  // namespace kvf
