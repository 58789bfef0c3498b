#pragma once
// Drawing the overview sheet: one routine (PaintSheet) that draws the grid
// on any QPainter, used for every target (the screen image, the
// mini-overview image, the metafiles, SVG and PDF), and the per-document
// drawer cache it reads (brushes, centring offsets of the short labels).
//
// Ownership: a SheetDrawer belongs to one open document; it holds no
// reference to it. It is made for the document (SheetDrawer::Create) when
// the document's first sheet is drawn and destroyed when the document
// closes; its brushes live exactly as long. The drawer is not thread-safe
// (the sheet is drawn on the user-interface thread).
//
// The drawn screen sheet (SheetState) keeps its geometry and paints any
// region of itself (PaintRegion, RegionPixels): windows and files ask for
// pixels through these calls and never reach into how they are kept.
#include <QBrush>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SheetLayout.h"
#include "core/sheet/SubSheet.h"
#include "core/text/Result.h"

namespace kvf {

// A brush of the cache: slot + 1; 0 is "no brush".
using BrushHandle = int32_t;

class SheetDrawer {
 public:
  // A drawer for document: a brush cache of 20 slots holding the brushes of
  // SheetColor0, the four LevelColors, SheetColor1 and every question's and
  // alternative's BackColor (-1 skipped). Fails on a colour that no brush
  // can be made of (anything but -1 and 0x000000..0xFFFFFF); a caller that
  // draws anyway uses a drawer without brushes (SheetDrawer()), which leaves
  // every cell undrawn in colour.
  static Result<SheetDrawer> Create(const SurveyDocument& document);
  // A drawer without brushes or measured offsets (a cache of one slot).
  SheetDrawer() = default;
  SheetDrawer(SheetDrawer&&) = default;
  SheetDrawer& operator=(SheetDrawer&&) = default;
  SheetDrawer(const SheetDrawer&) = delete;
  SheetDrawer& operator=(const SheetDrawer&) = delete;

  // The cached brush of an equal colour, else a new one (the cache grows by
  // 20 slots when full); 0 for -1 and for colours no brush can be made of.
  BrushHandle GetCachedBrush(Colour colour);

  // Measures the centring offset of every overview question's SheetLabel
  // (bold font) and every alternative's SheetLabel (normal font) in a cell
  // cellWidth wide: (cellWidth - width) / 2 truncated toward zero. Sets the
  // measured flag. REQUIRES: fonts at scale 1.
  void CreateSheetTextCoordinates(const SurveyDocument& document, const SheetFonts& fonts, int32_t cellWidth);
  bool OffsetsMeasured() const { return measured_; }
  // 0 when not measured (or outside the tables).
  int32_t QuestionLabelOffset(int32_t question) const;
  int32_t AlternativeLabelOffset(int32_t alternative) const;

  // The brushes the drawing uses (nullptr: none, leave undrawn).
  const QBrush* Brush(BrushHandle handle) const;
  const QBrush* ColourBrush(Colour colour) const;
  const QBrush* QuestionBrush(int32_t question) const;
  const QBrush* AlternativeBrush(int32_t alternative) const;

  int32_t BrushCount() const { return static_cast<int32_t>(colours_.size()); }
  int32_t BrushCapacity() const { return capacity_; }

 private:
  std::vector<Colour> colours_;
  std::vector<QBrush> brushes_;
  QHash<Colour, BrushHandle> lookup_;
  int32_t capacity_ = 1;
  std::vector<BrushHandle> questionBrushes_;
  std::vector<BrushHandle> alternativeBrushes_;
  std::vector<int32_t> questionOffsets_;
  std::vector<int32_t> alternativeOffsets_;
  bool measured_ = false;
};

// The text of a block band bandWidth pixels wide: the whole text when it is
// not wider than the band, else its longest start narrower than the band,
// but never fewer than 2 characters.
QString ShortenBandText(const QString& text, int32_t bandWidth, const QFontMetrics& metrics);

// A COLORREF (0x00BBGGRR) as a Qt colour.
QColor ColourFromColorRef(Colour colour);

// What one drawing shows beyond the sheet's lists.
struct SheetRequest {
  int32_t mode = kSheetScreen;
  int32_t rowLimit = -1;    // -1: no limit; Copy Headers and Totals passes 0
  int32_t maxRows = 300;    // the user setting "Overview Max Rows"
  bool groupLines = true;   // the user setting "Overview Group Lines"
};

// Lays out the sheet for request (fonts at the mode's scale).
SheetGeometry LayOutSheet(const SurveyDocument& document, const SubSheet& sheet, const SheetRequest& request,
                          const SheetFonts& fonts);

// Draws the sheet laid out as geometry on painter, from (0, 0), in pixels
// of the target: header rows, answer rows, group lines and, for metafile
// modes, the index rows and the caption. Cells without a brush are left as
// they are. Measures the label offsets first when this is a scale-1 text
// drawing and they are not measured yet. Returns false when the painter is
// not active.
// REQUIRES: geometry from LayOutSheet with this document, sheet and request;
// fonts at geometry.scale.
bool PaintSheet(QPainter& painter, SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                const SheetRequest& request, const SheetGeometry& geometry, const SheetFonts& fonts);

// The drawn screen sheet (mode 0) or mini-overview picture (mode 5): its
// geometry, and its pixels through PaintRegion and RegionPixels (today
// copied from an image drawn once; the calls stay when regions are drawn on
// demand).
class SheetState {
 public:
  bool present = false;
  int32_t width = 0;
  int32_t height = 0;
  int32_t cellSize = 0;
  int32_t rowHeight = 0;
  int32_t frozenColumns = 0;
  int32_t headerRowCount = 0;
  int32_t shownRowCount = 0;

  // The whole sheet: (0, 0) to (width, height).
  QRect Bounds() const { return QRect(0, 0, width, height); }
  // Paints sheetRect with its top-left corner at target; what lies outside
  // the sheet is not painted (the target keeps its pixels there).
  void PaintRegion(QPainter& painter, const QRect& sheetRect, QPoint target) const;
  // The pixels of the part of sheetRect inside the sheet (Format_RGB32); a
  // null image when that part is empty.
  QImage RegionPixels(const QRect& sheetRect) const;

 private:
  friend Status DrawSheet(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                          const SheetRequest& request, SheetState* state);
  QImage image_;  // Format_RGB32, width × height
};

// "The overview is too large to be shown!": DrawSheet's failure.
BiText SheetTooLargeText();

// Draws the sheet into a new image for modes 0 and 5 and fills state,
// erasing it first. Fails with SheetTooLargeText when the sheet is too
// large or the image cannot be made (state is then left erased), or for any
// other mode (state is then left as it was).
Status DrawSheet(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                 const SheetRequest& request, SheetState* state);

// Discards the screen sheet: every field back to empty.
void EraseSheet(SheetState* state);

}  // namespace kvf
