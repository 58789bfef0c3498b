#include "core/output/OverviewClipboard.h"

#include <QImage>
#include <QPainter>
#include <cmath>

#include "core/output/formats/PngFormat.h"
#include "core/output/formats/SvgFormat.h"

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QByteArray Png(const Picture& picture) {
  const double pixels = static_cast<double>(picture.size.width()) * picture.size.height();
  const double scale = std::min(1.0, std::sqrt(OverviewClipboardPicture::kMaxPngPixels / pixels));
  const QSize size(std::max(1, static_cast<int>(std::ceil(picture.size.width() * scale))),
                   std::max(1, static_cast<int>(std::ceil(picture.size.height() * scale))));
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return {};
  image.fill(Qt::white);
  QPainter painter;
  if (!painter.begin(&image)) return {};
  painter.scale(scale, scale);
  const bool painted = picture.paint(painter);
  if (!painter.end() || !painted) return {};
  return PngBytes(image);
}

}  // namespace

OverviewClipboardPicture DrawOverviewForClipboard(SheetDrawer& drawer, const SurveyDocument& document,
                                                  const SubSheet& sheet, const OverviewOptions& options) {
  OverviewClipboardPicture result;
  result.emf = OverviewEmfBytes(drawer, document, sheet, options);
  if (result.emf.isEmpty()) return result;
  SheetRequest request;
  request.mode = kSheetClipboard;
  request.rowLimit = options.rowLimit;
  request.maxRows = options.maxRows;
  request.groupLines = options.groupLines;
  const SheetFonts fonts(SheetScale(kSheetClipboard));
  const SheetGeometry geometry = LayOutSheet(document, sheet, request, fonts);
  Picture picture;
  picture.size = QSize(static_cast<int>(geometry.width), static_cast<int>(geometry.height));
  picture.title = document.GetText(document.info.projectName);
  picture.reference = options.reference;
  picture.paint = [&](QPainter& painter) {
    return PaintSheet(painter, drawer, document, sheet, request, geometry, fonts);
  };
  result.png = Png(picture);
  if (result.emf.size() <= OverviewClipboardPicture::kMaxSvgEmfBytes) result.svg = SvgBytes(picture);
  return result;
}

BiText CopyingOverviewText() { return {S("Copying overview..."), S("Kopierar översikt...")}; }
BiText OverviewCopiedText() { return {S("Overview copied!"), S("Översikt kopierad!")}; }
BiText CopyOverviewCaption() { return {S("Copy Overview"), S("Kopiera översikt")}; }
BiText OverviewCopyFailedText(int32_t code) {
  const QString number = QString::number(code);
  return {S("The copying to the clipboard failed! (Errorcode: ") + number + S(")"),
          S("Kopiering till urklipp misslyckades! (Felkod: ") + number + S(")")};
}

}  // namespace kvf
