#pragma once
// Copy Overview and Copy Headers and Totals: the overview's metafile picture
// (twice the screen scale, with index rows and caption) in the three forms
// the clipboard offers it in, so that it pastes into office suites (EMF),
// drawing programs (SVG) and image editors (PNG).
#include <QByteArray>
#include <cstdint>

#include "core/document/SurveyDocument.h"
#include "core/output/OverviewPicture.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SubSheet.h"
#include "core/text/BiText.h"

namespace kvf {

struct OverviewClipboardPicture {
  QByteArray emf;  // empty when the sheet cannot be drawn
  QByteArray png;  // the same picture; scaled down to at most kMaxPngPixels
  QByteArray svg;  // left out for pictures whose EMF is above kMaxSvgEmfBytes

  static constexpr int64_t kMaxPngPixels = 32'000'000;
  // A picture this heavy becomes an SVG of hundreds of megabytes that no
  // drawing program opens in reasonable time (the largest sheet: 57 MB EMF,
  // 186 MB SVG); the clipboard then offers EMF and PNG only.
  static constexpr int64_t kMaxSvgEmfBytes = 16'000'000;
};

// Draws the sheet once per form. REQUIRES: drawer initiated for document; a
// QGuiApplication exists.
OverviewClipboardPicture DrawOverviewForClipboard(SheetDrawer& drawer, const SurveyDocument& document,
                                                  const SubSheet& sheet, const OverviewOptions& options);

// The command's texts.
BiText CopyingOverviewText();  // "Copying overview..."
BiText OverviewCopiedText();   // "Overview copied!"
BiText CopyOverviewCaption();  // "Copy Overview" (the failure box's title)
// "The copying to the clipboard failed! (Errorcode: N)".
BiText OverviewCopyFailedText(int32_t code);

}  // namespace kvf
