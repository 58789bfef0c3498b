#include "core/output/formats/RasterImageFormat.h"

#include <gif_lib.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <vector>

namespace kvf {

namespace {

int WriteToArray(GifFileType* file, const GifByteType* bytes, int length) {
  static_cast<QByteArray*>(file->UserData)->append(reinterpret_cast<const char*>(bytes), length);
  return length;
}

}  // namespace

QByteArray EncodeGif(const QImage& image) {
  if (image.isNull() || image.width() > 65535 || image.height() > 65535) return {};
  const QImage indexed = image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8);
  const QList<QRgb> table = indexed.colorTable();
  if (indexed.isNull() || table.isEmpty()) return {};
  int bits = 1;
  while ((1 << bits) < table.size()) ++bits;
  std::vector<GifColorType> colours(static_cast<size_t>(1) << bits, GifColorType{0, 0, 0});
  for (qsizetype i = 0; i < table.size(); ++i)
    colours[static_cast<size_t>(i)] = {static_cast<GifByteType>(qRed(table[i])),
                                       static_cast<GifByteType>(qGreen(table[i])),
                                       static_cast<GifByteType>(qBlue(table[i]))};
  QByteArray bytes;
  int error = 0;
  GifFileType* file = EGifOpen(&bytes, WriteToArray, &error);
  if (file == nullptr) return {};
  ColorMapObject* map = GifMakeMapObject(1 << bits, colours.data());
  bool ok = map != nullptr;
  EGifSetGifVersion(file, true);
  ok = ok && EGifPutScreenDesc(file, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK;
  ok = ok && EGifPutImageDesc(file, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < indexed.height(); ++y)
    ok = EGifPutLine(file, const_cast<GifPixelType*>(indexed.constScanLine(y)), indexed.width()) == GIF_OK;
  if (map != nullptr) GifFreeMapObject(map);
  if (EGifCloseFile(file, &error) != GIF_OK) ok = false;
  return ok ? bytes : QByteArray();
}

BiText RasterImageFormat::Title() const {
  switch (kind_) {
    case Kind::Bmp:
      return {QStringLiteral("Windows Bitmap"), QStringLiteral("Windows bitmapp")};
    case Kind::Jpg:
      return {QStringLiteral("JPEG File Interchange Format"), QStringLiteral("JPEG-filutbytesformat")};
    case Kind::Gif:
      break;
  }
  return {QStringLiteral("Graphics Interchange Format"), QStringLiteral("Graphics Interchange Format")};
}

QStringList RasterImageFormat::Extensions() const {
  switch (kind_) {
    case Kind::Bmp:
      return {QStringLiteral("bmp")};
    case Kind::Jpg:
      return {QStringLiteral("jpg")};
    case Kind::Gif:
      break;
  }
  return {QStringLiteral("gif")};
}

Status RasterImageFormat::Write(const Picture& picture, const QString& path) const {
  const QSize size = picture.image.isNull() ? picture.size : picture.image.size();
  QImage painted(size, QImage::Format_RGB32);
  if (painted.isNull()) return picture_file::TooLarge(size);
  painted.fill(Qt::white);
  if (picture.image.isNull()) {
    if (!picture_file::Paint(&painted, picture)) return picture_file::NotDrawn();
  } else {
    QPainter painter(&painted);
    painter.drawImage(0, 0, picture.image);
  }
  QByteArray bytes;
  if (kind_ == Kind::Gif) {
    bytes = EncodeGif(painted);
  } else {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!painted.save(&buffer, kind_ == Kind::Bmp ? "BMP" : "JPG", kind_ == Kind::Jpg ? 90 : -1)) bytes.clear();
  }
  if (bytes.isEmpty()) return picture_file::NotDrawn();
  return picture_file::WriteBytes(path, bytes);
}

}  // namespace kvf
