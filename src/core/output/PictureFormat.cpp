#include "core/output/PictureFormat.h"

#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

#include "core/output/formats/EmfFormat.h"
#include "core/output/formats/PdfFormat.h"
#include "core/output/formats/PngFormat.h"
#include "core/output/formats/RasterImageFormat.h"
#include "core/output/formats/SvgFormat.h"
#include "core/output/formats/WmfFormat.h"

namespace kvf {

namespace {

// "Title (*.a *.b)".
QString FilterText(const QString& title, const QStringList& extensions) {
  QStringList patterns;
  for (const QString& extension : extensions) patterns << QStringLiteral("*.") + extension;
  return QStringLiteral("%1 (%2)").arg(title, patterns.join(QLatin1Char(' ')));
}

}  // namespace

QString PictureFormat::Filter() const { return FilterText(Title().Get(), Extensions()); }

const std::vector<const PictureFormat*>& PictureFormats() {
  static const EmfFormat emf;
  static const WmfFormat wmf;
  static const SvgFormat svg;
  static const PdfFormat pdf;
  static const PngFormat png;
  static const std::vector<const PictureFormat*> formats{&emf, &wmf, &svg, &pdf, &png};
  return formats;
}

const PictureFormat* PictureFormatForPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  if (suffix.isEmpty()) return nullptr;
  for (const PictureFormat* format : PictureFormats()) {
    if (format->Extensions().contains(suffix, Qt::CaseInsensitive)) return format;
  }
  return nullptr;
}

const std::vector<const PictureFormat*>& ChartPictureFormats() {
  static const RasterImageFormat bmp(RasterImageFormat::Kind::Bmp);
  static const RasterImageFormat jpg(RasterImageFormat::Kind::Jpg);
  static const RasterImageFormat gif(RasterImageFormat::Kind::Gif);
  static const std::vector<const PictureFormat*> formats = [] {
    std::vector<const PictureFormat*> all = PictureFormats();
    all.insert(all.end(), {&bmp, &jpg, &gif});
    return all;
  }();
  return formats;
}

const PictureFormat* ChartPictureFormatForPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  if (suffix.isEmpty()) return nullptr;
  for (const PictureFormat* format : ChartPictureFormats()) {
    if (format->Extensions().contains(suffix, Qt::CaseInsensitive)) return format;
  }
  return nullptr;
}

const PictureFormat* PictureFormatForFilter(const QString& filter) {
  for (const PictureFormat* format : PictureFormats()) {
    const BiText title = format->Title();
    for (const QString& text : {title.english, title.swedish}) {
      if (filter == FilterText(text, format->Extensions())) return format;
    }
  }
  return nullptr;
}

namespace picture_file {

Status WriteFailed(const QString& path, const QString& reason) {
  return Status::Failure({QStringLiteral("%1 could not be written: %2").arg(path, reason),
                          QStringLiteral("%1 kunde inte skrivas: %2").arg(path, reason)},
                         kPictureWriteFailed);
}

Status WriteBytes(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    return WriteFailed(path, file.errorString());
  return Status::Ok();
}

bool Paint(QPaintDevice* device, const Picture& picture) {
  QPainter painter;
  if (!painter.begin(device)) return false;
  bool painted = true;
  if (!picture.image.isNull())
    painter.drawImage(0, 0, picture.image);
  else
    painted = picture.paint(painter);
  return painter.end() && painted;
}

Status NotDrawn() {
  return Status::Failure(
      {QStringLiteral("The picture could not be drawn."), QStringLiteral("Bilden kunde inte ritas.")},
      kPictureNotDrawn);
}

Status TooLarge(const QSize& size) {
  const int width = size.width();
  const int height = size.height();
  return Status::Failure(
      {QStringLiteral("The picture (%1 × %2 pixels) is too large for this format.").arg(width).arg(height),
       QStringLiteral("Bilden (%1 × %2 bildpunkter) är för stor för det här formatet.").arg(width).arg(height)},
      kPictureTooLarge);
}

}  // namespace picture_file

}  // namespace kvf
