#include "core/output/formats/PdfFormat.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf {

Status PdfFormat::Write(const Picture& picture, const QString& path) const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(96);
  writer.setCreator(QString::fromLatin1(platform::kMetafileApplicationTitle));
  writer.setTitle(picture.title);
  const QSizeF points(picture.size.width() * 72.0 / 96.0, picture.size.height() * 72.0 / 96.0);
  writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                   QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  if (!picture_file::Paint(&writer, picture)) return picture_file::NotDrawn();
  return picture_file::WriteBytes(path, bytes);
}

}  // namespace kvf
