#pragma once
// The overview sheet as a picture file: the metafile form of the sheet
// (twice the screen scale, with index rows and caption) in any picture
// format (PictureFormat.h), or the screen image (mode 0) as a raster file.
// Every format is drawn by the one sheet routine (PaintSheet); only the
// format's paint device differs.
//
// Files are replaced atomically: a failed write leaves the old file as it
// was.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "core/document/SurveyDocument.h"
#include "core/output/PictureFormat.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SubSheet.h"
#include "core/text/Result.h"
#include "platform/metafile/MetafileDrawing.h"

namespace kvf {

// The codes of a failed SaveOverviewPicture (Status::Code()).
enum OverviewError : int {
  kOverviewNotDrawable = 1,  // the sheet is too large for the target (or for memory), or drawing failed
  kOverviewWriteFailed = 2,  // the file could not be written
};

// The options of one picture.
struct OverviewOptions {
  int32_t rowLimit = -1;                  // -1: the answer rows as on screen; 0: headers and totals only
  int32_t maxRows = 300;                  // "Overview Max Rows"
  bool groupLines = true;                 // "Overview Group Lines"
  platform::MetafileReference reference;  // the reference device of the metafiles
};

// Draws the sheet and writes it to path in format: the metafile picture,
// or with screen the screen image (a raster format stores its pixels as
// they are; a vector format embeds it as an image).
// The message starts "Overview could not be saved!".
// REQUIRES: drawer initiated for document; a QGuiApplication exists.
Status SaveOverviewPicture(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                           const OverviewOptions& options, const PictureFormat& format, bool screen,
                           const QString& path);

// The picture of a mini-overview (mode 5: 8-pixel cells, colours only) as
// a raster file in format. Fails as SaveOverviewPicture does.
// REQUIRES: as SaveOverviewPicture.
Status SaveMiniOverviewPicture(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                               const OverviewOptions& options, const PictureFormat& format, const QString& path);

// The enhanced metafile of the sheet (mode 1, what Copy Overview puts on
// the clipboard); empty when the sheet cannot be drawn.
QByteArray OverviewEmfBytes(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                            const OverviewOptions& options);

}  // namespace kvf
