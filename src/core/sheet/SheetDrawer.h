#pragma once
// Drawing the overview sheet: one routine (PaintSheet) that draws the grid
// on any QPainter, used for every target (the screen, the mini-overview,
// the metafiles, SVG, PDF and PNG), and the per-document drawer cache it
// reads (brushes, centring offsets of the short labels).
//
// Ownership: a SheetDrawer belongs to one open document; it holds no
// reference to it. It is made for the document (SheetDrawer::Create) when
// the document's first sheet is drawn and destroyed when the document
// closes; its brushes live exactly as long. The drawer is not thread-safe
// (the sheet is drawn on the user-interface thread).
//
// The screen sheet (SheetState) keeps its geometry and its lists, never its
// pixels: PaintRegion draws the requested region straight from the
// document through PaintSheet, restricted to the cells, bands and lines
// that reach the region, so a window's paint costs what the window shows,
// whatever the sheet's size. Windows and files ask for pixels through
// PaintRegion and RegionPixels; DrawSheetImage draws a whole sheet into one
// image where one is needed.
#include <QBrush>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>
#include <memory>
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
  // The widest label measured (pixels at scale 1); 0 when not measured. No
  // label text reaches further than this beyond its cell.
  int32_t WidestLabel() const { return widestLabel_; }
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
  int32_t widestLabel_ = 0;
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

// Measures the label offsets for a drawing at geometry's mode when it
// carries texts and they are not measured yet (always at the screen's
// scale, whichever target is drawn first).
void MeasureSheetLabels(SheetDrawer& drawer, const SurveyDocument& document, const SheetGeometry& geometry,
                        const SheetFonts& fonts);

// Draws what PaintSheet draws inside area (sheet pixels) and leaves out
// the cells, bands, texts and lines that cannot reach it: the pixels inside
// area equal those of the whole drawing on the same background. The
// painter is not clipped here; a caller that must not touch pixels outside
// area clips first. Screen and mini-overview modes.
// REQUIRES: the label offsets measured for texts (MeasureSheetLabels);
// geometry as for PaintSheet.
void PaintSheetArea(QPainter& painter, const SheetDrawer& drawer, const SurveyDocument& document,
                    const SubSheet& sheet, const SheetRequest& request, const SheetGeometry& geometry,
                    const SheetFonts& fonts, const QRect& area);

// A screen (mode 0) or mini-overview (mode 5) sheet laid out and ready to
// paint any region of itself: a copy of the sheet's lists, the request,
// the geometry and the fonts; it reads the document and the drawer it was
// made with, which must outlive it and keep what it draws (the screen
// state is erased before its document closes; a SheetSnapshot owns both).
// What the region drawings of one laid-out sheet keep between paints: the
// prepared label texts and a few cell-sized stamps, never the sheet's
// pixels.
struct SheetPaintReuse;

class LaidOutSheet {
 public:
  LaidOutSheet(const SurveyDocument& document, const SheetDrawer& drawer, const SubSheet& sheet,
               const SheetRequest& request, SheetGeometry geometry, SheetFonts fonts);
  ~LaidOutSheet();
  LaidOutSheet(const LaidOutSheet&) = delete;
  LaidOutSheet& operator=(const LaidOutSheet&) = delete;

  const SheetGeometry& Geometry() const { return geometry_; }
  // Paints sheetRect with its top-left corner at target: black where the
  // sheet has no colour, as on a fresh image; nothing outside the sheet.
  // Not thread-safe (it keeps what it may reuse).
  void PaintRegion(QPainter& painter, const QRect& sheetRect, QPoint target) const;

 private:
  const SurveyDocument& document_;
  const SheetDrawer& drawer_;
  SubSheet sheet_;
  SheetRequest request_;
  SheetGeometry geometry_;
  SheetFonts fonts_;
  std::unique_ptr<SheetPaintReuse> reuse_;
};

// The screen sheet (mode 0) or mini-overview sheet (mode 5): its geometry,
// and its pixels through PaintRegion and RegionPixels, drawn when asked
// for (nothing but the lists and the geometry is kept).
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
  // null image when that part is empty or no image that large can be made.
  QImage RegionPixels(const QRect& sheetRect) const;

 private:
  friend Status DrawSheet(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                          const SheetRequest& request, SheetState* state);
  std::shared_ptr<const LaidOutSheet> sheet_;
};

// "The overview is too large to be shown!": DrawSheetImage's failure.
BiText SheetTooLargeText();

// Lays out the sheet for modes 0 and 5, measures the label offsets when
// they are needed and fills state, erasing it first; nothing is drawn
// until a region is painted. Fails with SheetTooLargeText for a mode other
// than 0 and 5 (state is then left as it was) and for a sheet whose pixel
// coordinates do not fit the painter's (beyond any legal document; state
// is then left erased).
// REQUIRES: document and drawer outlive state's painting (EraseSheet first).
Status DrawSheet(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                 const SheetRequest& request, SheetState* state);

// The whole sheet of modes 0 and 5 drawn by PaintSheet into one new image
// (Format_RGB32, black where no colour is drawn; a null image for a sheet
// without pixels): kvf overview --screen and the tests. Fails with
// SheetTooLargeText when the sheet is larger than the limits of
// SheetLayout.h, the image cannot be made or the mode is another.
Result<QImage> DrawSheetImage(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                              const SheetRequest& request);

// Discards the screen sheet: every field back to empty.
void EraseSheet(SheetState* state);

}  // namespace kvf
