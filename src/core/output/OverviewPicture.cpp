#include "core/output/OverviewPicture.h"

#include <QPainter>

#include "core/text/BiText.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf {

namespace {

// "Overview could not be saved!" followed by what went wrong.
Status NotSaved(const BiText& reason, int code) {
  return Status::Failure({QStringLiteral("Overview could not be saved! ") + reason.english,
                          QStringLiteral("Översikt kunde inte sparas! ") + reason.swedish},
                         code);
}

Status NotDrawn() {
  return NotSaved({QStringLiteral("The overview could not be drawn."), QStringLiteral("Översikten kunde inte ritas.")},
                  kOverviewNotDrawable);
}

// One drawing of the sheet, laid out and ready to paint on a device.
struct SheetPicture {
  SheetRequest request;
  SheetFonts fonts;
  SheetGeometry geometry;
  QSize Size() const { return QSize(static_cast<int>(geometry.width), static_cast<int>(geometry.height)); }
  bool Drawable() const { return geometry.Drawable() && geometry.width > 0 && geometry.height > 0; }
};

SheetPicture LayOut(const SurveyDocument& document, const SubSheet& sheet, const OverviewOptions& options,
                    int32_t mode) {
  SheetRequest request;
  request.mode = mode;
  request.rowLimit = options.rowLimit;
  request.maxRows = options.maxRows;
  request.groupLines = options.groupLines;
  SheetFonts fonts(SheetScale(mode));
  SheetGeometry geometry = LayOutSheet(document, sheet, request, fonts);
  return {request, std::move(fonts), std::move(geometry)};
}

Status TooLarge(const SheetPicture& picture) {
  const qint64 width = picture.geometry.width;
  const qint64 height = picture.geometry.height;
  if (width <= 0 || height <= 0)
    return NotSaved({QStringLiteral("The overview has no columns."), QStringLiteral("Översikten har inga kolumner.")},
                    kOverviewNotDrawable);
  return NotSaved(
      {QStringLiteral("The overview (%1 × %2 pixels) is too large for this format.").arg(width).arg(height),
       QStringLiteral("Översikten (%1 × %2 bildpunkter) är för stor för det här formatet.").arg(width).arg(height)},
      kOverviewNotDrawable);
}

QString ProjectName(const SurveyDocument& document) { return document.GetText(document.info.projectName); }

// The overview's message for a picture file's failure.
Status OverviewStatus(const Status& written, const SheetPicture& picture) {
  switch (written.Code()) {
    case 0:
      return Status::Ok();
    case kPictureTooLarge:
      return TooLarge(picture);
    case kPictureWriteFailed:
      return NotSaved(written.Message(), kOverviewWriteFailed);
    default:
      return NotDrawn();
  }
}

}  // namespace

Status SaveMiniOverviewPicture(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                               const OverviewOptions& options, const PictureFormat& format, const QString& path) {
  SheetRequest request;
  request.mode = kSheetMiniOverview;
  request.rowLimit = options.rowLimit;
  request.maxRows = options.maxRows;
  request.groupLines = options.groupLines;
  Result<QImage> image = DrawSheetImage(drawer, document, sheet, request);
  if (!image || image.Value().isNull()) return NotDrawn();
  Picture file;
  file.title = ProjectName(document);
  file.reference = options.reference;
  file.image = std::move(image).Value();
  file.size = file.image.size();
  const Status written = format.Write(file, path);
  if (written.Code() == kPictureWriteFailed) return NotSaved(written.Message(), kOverviewWriteFailed);
  return written ? Status::Ok() : NotDrawn();
}

Status SaveOverviewPicture(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                           const OverviewOptions& options, const PictureFormat& format, bool screen,
                           const QString& path) {
  Picture file;
  file.title = ProjectName(document);
  file.reference = options.reference;
  if (screen) {
    SheetRequest request;
    request.mode = kSheetScreen;
    request.rowLimit = options.rowLimit;
    request.maxRows = options.maxRows;
    request.groupLines = options.groupLines;
    Result<QImage> image = DrawSheetImage(drawer, document, sheet, request);
    if (!image) return NotDrawn();
    file.image = std::move(image).Value();
    file.size = file.image.size();
    const Status written = format.Write(file, path);
    if (written.Code() == kPictureWriteFailed) return NotSaved(written.Message(), kOverviewWriteFailed);
    return written ? Status::Ok() : NotDrawn();
  }

  // The three metafile modes draw alike; the file mode is used for every format.
  const SheetPicture picture = LayOut(document, sheet, options, kSheetEmfFile);
  if (!picture.Drawable()) return TooLarge(picture);
  file.size = picture.Size();
  file.paint = [&](QPainter& painter) {
    return PaintSheet(painter, drawer, document, sheet, picture.request, picture.geometry, picture.fonts);
  };
  return OverviewStatus(format.Write(file, path), picture);
}

QByteArray OverviewEmfBytes(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                            const OverviewOptions& options) {
  const SheetPicture picture = LayOut(document, sheet, options, kSheetClipboard);
  if (!picture.Drawable()) return {};
  Picture clip;
  clip.size = picture.Size();
  clip.paint = [&](QPainter& painter) {
    return PaintSheet(painter, drawer, document, sheet, picture.request, picture.geometry, picture.fonts);
  };
  platform::EmfPaintDevice device(clip.size, ProjectName(document), options.reference);
  if (!picture_file::Paint(&device, clip)) return {};
  return device.ToBytes();
}

}  // namespace kvf
