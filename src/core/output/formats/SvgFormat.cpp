#include "core/output/formats/SvgFormat.h"

#include <QBuffer>
#include <QSvgGenerator>

#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf {

QByteArray SvgBytes(const Picture& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(picture.size);
  generator.setViewBox(QRect(QPoint(0, 0), picture.size));
  generator.setResolution(96);
  generator.setTitle(picture.title);
  generator.setDescription(QString::fromLatin1(platform::kMetafileApplicationTitle));
  if (!picture_file::Paint(&generator, picture)) return {};
  return bytes;
}

Status SvgFormat::Write(const Picture& picture, const QString& path) const {
  const QByteArray bytes = SvgBytes(picture);
  if (bytes.isEmpty()) return picture_file::NotDrawn();
  return picture_file::WriteBytes(path, bytes);
}

}  // namespace kvf
