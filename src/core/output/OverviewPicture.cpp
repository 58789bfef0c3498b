#include "core/output/OverviewPicture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "core/text/BiText.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf {

namespace {

OverviewResult Failure(OverviewError error, const QString& message) { return {error, message}; }

// "Overview could not be saved!" followed by what went wrong.
QString NotSaved(const BiText& reason) {
  return BiText{QStringLiteral("Overview could not be saved!"), QStringLiteral("Översikt kunde inte sparas!")}.Get() +
         QLatin1Char(' ') + reason.Get();
}

OverviewResult WriteFailed(const QString& path, const QString& system) {
  return Failure(OverviewError::WriteFailed,
                 NotSaved({QStringLiteral("%1 could not be written: %2").arg(path, system),
                           QStringLiteral("%1 kunde inte skrivas: %2").arg(path, system)}));
}

OverviewResult WriteFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    return WriteFailed(path, file.errorString());
  return {};
}

OverviewResult NotDrawn() {
  return Failure(OverviewError::NotDrawable, NotSaved({QStringLiteral("The overview could not be drawn."),
                                                       QStringLiteral("Översikten kunde inte ritas.")}));
}

int32_t ModeOf(OverviewFormat format) {
  switch (format) {
    case OverviewFormat::Wmf:
      return kSheetWmfFile;
    case OverviewFormat::ScreenPng:
      return kSheetScreen;
    default:
      return kSheetEmfFile;
  }
}

// One drawing of the sheet, laid out and ready to paint on a device.
struct Picture {
  SheetRequest request;
  SheetFonts fonts;
  SheetGeometry geometry;
  QSize Size() const { return QSize(static_cast<int>(geometry.width), static_cast<int>(geometry.height)); }
};

Picture LayOut(const SurveyDocument& document, const SubSheet& sheet, const OverviewOptions& options, int32_t mode) {
  SheetRequest request;
  request.mode = mode;
  request.rowLimit = options.rowLimit;
  request.maxRows = options.maxRows;
  request.groupLines = options.groupLines;
  SheetFonts fonts(SheetScale(mode));
  SheetGeometry geometry = LayOutSheet(document, sheet, request, fonts);
  return {request, std::move(fonts), std::move(geometry)};
}

OverviewResult TooLarge(const Picture& picture) {
  const qint64 width = picture.geometry.width;
  const qint64 height = picture.geometry.height;
  if (width <= 0 || height <= 0)
    return Failure(OverviewError::NotDrawable, NotSaved({QStringLiteral("The overview has no columns."),
                                                         QStringLiteral("Översikten har inga kolumner.")}));
  return Failure(OverviewError::NotDrawable,
                 NotSaved({QStringLiteral("The overview (%1 × %2 pixels) is too large for this format.").arg(width).arg(height),
                           QStringLiteral("Översikten (%1 × %2 bildpunkter) är för stor för det här formatet.")
                               .arg(width)
                               .arg(height)}));
}

bool Paint(QPaintDevice* device, SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
           const Picture& picture) {
  QPainter painter;
  if (!painter.begin(device)) return false;
  const bool painted =
      PaintSheet(painter, drawer, document, sheet, picture.request, picture.geometry, picture.fonts);
  return painter.end() && painted;
}

QString ProjectName(const SurveyDocument& document) { return document.GetText(document.info.projectName); }

OverviewResult MetafileResult(const platform::MetafileSaveResult& saved, const Picture& picture,
                              const QString& path) {
  switch (saved.error) {
    case platform::MetafileError::None:
      return {};
    case platform::MetafileError::TooLarge:
      return TooLarge(picture);
    case platform::MetafileError::WriteFailed:
      break;
  }
  return WriteFailed(path, saved.message);
}

QByteArray ImagePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return bytes;
}

}  // namespace

std::optional<OverviewFormat> OverviewFormatForPath(const QString& path, bool screen) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (screen) {
    if (suffix == QLatin1String("png")) return OverviewFormat::ScreenPng;
    return std::nullopt;
  }
  if (suffix == QLatin1String("emf")) return OverviewFormat::Emf;
  if (suffix == QLatin1String("wmf")) return OverviewFormat::Wmf;
  if (suffix == QLatin1String("svg")) return OverviewFormat::Svg;
  if (suffix == QLatin1String("pdf")) return OverviewFormat::Pdf;
  if (suffix == QLatin1String("png")) return OverviewFormat::Png;
  return std::nullopt;
}

OverviewResult SaveOverviewPicture(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                                   const OverviewOptions& options, OverviewFormat format, const QString& path) {
  if (format == OverviewFormat::ScreenPng) {
    SheetRequest request;
    request.mode = kSheetScreen;
    request.rowLimit = options.rowLimit;
    request.maxRows = options.maxRows;
    request.groupLines = options.groupLines;
    SheetState state;
    if (!DrawSheet(drawer, document, sheet, request, &state)) return NotDrawn();
    const QByteArray png = ImagePng(state.RegionPixels(state.Bounds()));
    if (png.isEmpty()) return NotDrawn();
    return WriteFile(path, png);
  }

  const Picture picture = LayOut(document, sheet, options, ModeOf(format));
  if (!picture.geometry.Drawable() || picture.geometry.width <= 0 || picture.geometry.height <= 0)
    return TooLarge(picture);

  switch (format) {
    case OverviewFormat::Emf: {
      platform::EmfPaintDevice device(picture.Size(), ProjectName(document), options.reference);
      if (!Paint(&device, drawer, document, sheet, picture)) return NotDrawn();
      return MetafileResult(device.Save(path), picture, path);
    }
    case OverviewFormat::Wmf: {
      if (!platform::WmfPaintDevice::CanHold(picture.Size())) return TooLarge(picture);
      platform::WmfPaintDevice device(picture.Size(), options.reference);
      if (!Paint(&device, drawer, document, sheet, picture)) return NotDrawn();
      return MetafileResult(device.Save(path), picture, path);
    }
    case OverviewFormat::Svg: {
      QByteArray bytes;
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      QSvgGenerator generator;
      generator.setOutputDevice(&buffer);
      generator.setSize(picture.Size());
      generator.setViewBox(QRect(QPoint(0, 0), picture.Size()));
      generator.setResolution(96);
      generator.setTitle(ProjectName(document));
      generator.setDescription(QString::fromLatin1(platform::kMetafileApplicationTitle));
      if (!Paint(&generator, drawer, document, sheet, picture)) return NotDrawn();
      return WriteFile(path, bytes);
    }
    case OverviewFormat::Pdf: {
      QByteArray bytes;
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      QPdfWriter writer(&buffer);
      writer.setResolution(96);
      writer.setCreator(QString::fromLatin1(platform::kMetafileApplicationTitle));
      writer.setTitle(ProjectName(document));
      const QSizeF points(picture.geometry.width * 72.0 / 96.0, picture.geometry.height * 72.0 / 96.0);
      writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
      if (!Paint(&writer, drawer, document, sheet, picture)) return NotDrawn();
      return WriteFile(path, bytes);
    }
    case OverviewFormat::Png: {
      QImage image(picture.Size(), QImage::Format_ARGB32_Premultiplied);
      if (image.isNull()) return TooLarge(picture);
      image.fill(Qt::transparent);
      if (!Paint(&image, drawer, document, sheet, picture)) return NotDrawn();
      const QByteArray png = ImagePng(image);
      if (png.isEmpty()) return NotDrawn();
      return WriteFile(path, png);
    }
    case OverviewFormat::ScreenPng:
      break;
  }
  return NotDrawn();
}

QByteArray OverviewEmfBytes(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                            const OverviewOptions& options) {
  const Picture picture = LayOut(document, sheet, options, kSheetClipboard);
  if (!picture.geometry.Drawable() || picture.geometry.width <= 0 || picture.geometry.height <= 0) return {};
  platform::EmfPaintDevice device(picture.Size(), ProjectName(document), options.reference);
  if (!Paint(&device, drawer, document, sheet, picture)) return {};
  return device.ToBytes();
}

}  // namespace kvf
