#include "core/graphs/BasicGraphPicture.h"

#include <QImage>
#include <QPainter>

#include "core/output/formats/PngFormat.h"
#include "core/output/formats/SvgFormat.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf {

BiText GraphTooBigText() {
  return {QStringLiteral("The graph is to big for the window!"),
          QString::fromUtf8("Grafen får inte plats i fönstret!")};
}

Picture BasicGraphPicture(const BasicGraphData& data, const BasicGraphStyle& style, const QSize& drawingSize,
                          const BasicGraphPictureOptions& options) {
  const int scale = style.scale > 1 ? style.scale : 1;
  Picture picture;
  picture.size = QSize(std::max(1, drawingSize.width() * scale), std::max(1, drawingSize.height() * scale));
  picture.title = options.title;
  picture.reference = options.reference;
  picture.paint = [data, style, options, scale, size = picture.size](QPainter& painter) {
    QRect rect(QPoint(0, 0), size);
    if (options.opaque) painter.fillRect(rect, options.windowColor);
    if (options.whiteSpace) rect.adjust(10 * scale, 10 * scale, -10 * scale, -10 * scale);
    return DrawBasicGraph(painter, rect, data, style);
  };
  return picture;
}

Result<PictureBytes> RenderPictureBytes(const Picture& picture) {
  PictureBytes bytes;
  {
    platform::EmfPaintDevice emf(picture.size, picture.title, picture.reference);
    if (!picture_file::Paint(&emf, picture)) return Status::Failure(GraphTooBigText());
    bytes.emf = emf.ToBytes();
  }
  QImage image(picture.size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  if (!picture_file::Paint(&image, picture)) return Status::Failure(GraphTooBigText());
  bytes.png = PngBytes(image);
  bytes.svg = SvgBytes(picture);
  if (bytes.emf.isEmpty() || bytes.png.isEmpty() || bytes.svg.isEmpty()) return Status::Failure(GraphTooBigText());
  return bytes;
}

}  // namespace kvf
