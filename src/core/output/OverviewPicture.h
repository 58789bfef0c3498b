#pragma once
// The overview sheet as a picture file: the metafile form of the sheet
// (twice the screen scale, with index rows and caption) as an enhanced
// metafile, a placeable Windows metafile, SVG, PDF or PNG, or the screen
// image (mode 0) as PNG. Every format is drawn by the one sheet routine
// (PaintSheet); only the paint device differs.
//
// Files are replaced atomically: a failed write leaves the old file as it
// was.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SubSheet.h"
#include "platform/metafile/MetafileDrawing.h"

namespace kvf {

enum class OverviewFormat {
  Emf,        // enhanced metafile (mode 2)
  Wmf,        // placeable Windows metafile (mode 3)
  Svg,        // the metafile picture through an SVG generator
  Pdf,        // the metafile picture on one PDF page of its own size
  Png,        // the metafile picture as a transparent PNG image
  ScreenPng,  // the screen image (mode 0) as PNG
};

// The format for a file name by its extension (case-insensitive: .emf,
// .wmf, .svg, .pdf, .png); screen asks for the screen image, which only
// .png can hold. nullopt for anything else.
std::optional<OverviewFormat> OverviewFormatForPath(const QString& path, bool screen);

enum class OverviewError {
  None,
  NotDrawable,  // the sheet is too large for the target (or for memory)
  WriteFailed,  // the file could not be written
};

struct OverviewResult {
  OverviewError error = OverviewError::None;
  QString message;  // what went wrong, for the user, in the interface language
  bool Ok() const { return error == OverviewError::None; }
};

// The options of one picture: request.mode is set by the format.
struct OverviewOptions {
  int32_t rowLimit = -1;   // -1: the answer rows as on screen; 0: headers and totals only
  int32_t maxRows = 300;   // "Overview Max Rows"
  bool groupLines = true;  // "Overview Group Lines"
  platform::MetafileReference reference;  // the reference device of the metafiles
};

// Draws the sheet in format and writes it to path.
// REQUIRES: drawer initiated for document; a QGuiApplication exists.
OverviewResult SaveOverviewPicture(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                                   const OverviewOptions& options, OverviewFormat format, const QString& path);

// The enhanced metafile of the sheet (mode 1, what Copy Overview puts on
// the clipboard); empty when the sheet cannot be drawn.
QByteArray OverviewEmfBytes(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                            const OverviewOptions& options);

}  // namespace kvf
