#pragma once
// The geometry of the overview sheet: cell sizes per target, header, answer,
// index and caption rows, the sheet's width and height, and the packing of
// the caption lines that metafile pictures carry below the grid.
//
// Everything here is a pure function of the document, the column and
// respondent lists (a SubSheet) and the target; it is the one place that
// counts a sheet's header and shown answer rows; the text widths come from SheetFonts,
// the one place where texts are measured, so every target lays out alike.
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SubSheet.h"

namespace kvf {

// The targets of the sheet drawing.
enum SheetMode : int32_t {
  kSheetScreen = 0,        // the screen sheet (drawn region by region as windows show it)
  kSheetClipboard = 1,     // enhanced metafile for the clipboard
  kSheetEmfFile = 2,       // enhanced metafile written to a file
  kSheetWmfFile = 3,       // placeable Windows metafile written to a file
  kSheetScreenAlike = 4,   // laid out as the screen; no command uses it
  kSheetMiniOverview = 5,  // the picture of a mini-overview window
};

// 2 for the metafile targets (modes 1 to 3), else 1.
int32_t SheetScale(int32_t mode);
// 16 on the screen (modes 0 and 4), 32 for modes 1 to 3, 8 for mode 5.
int32_t SheetCellSize(int32_t mode);
bool IsMetafileMode(int32_t mode);
// Every target but the mini-overview carries texts.
bool SheetDrawsTexts(int32_t mode);

// Which block levels the columns' questions use (questions outside the
// table are ignored).
struct BlockLevels {
  bool hasBlocks = false;     // some PrimaryBlock other than -1
  bool hasSubBlocks = false;  // some SecondaryBlock other than -1
  int32_t Count() const { return (hasBlocks ? 1 : 0) + (hasSubBlocks ? 1 : 0); }
};
BlockLevels ScanBlockLevels(const SurveyDocument& document, const std::vector<int32_t>& columns);

// 1 + the block levels present: 1, 2 or 3.
int32_t SheetHeaderRowCount(const BlockLevels& levels);
// min(selection size, maxRows, rowLimit); rowLimit -1 is no limit and
// negative limits read as 0.
int32_t SheetShownRowCount(int64_t selectionSize, int32_t maxRows, int32_t rowLimit);
// The header rows of sheet's columns; 0 when no sheet is present.
int32_t SheetHeaderRowCount(const SurveyDocument& document, const SubSheet& sheet);
// The answer rows sheet shows with the user setting "Overview Max Rows":
// SheetShownRowCount of its respondents and its row limit.
int32_t SheetShownRowCount(const SubSheet& sheet, int32_t maxRows);
// Metafile modes of a document with indexes: 2 + the block levels; else 0.
int32_t SheetIndexRowCount(const SurveyDocument& document, int32_t mode, const BlockLevels& levels);

// The two fonts of the sheet at one scale ("Arial", 12 × scale pixels, bold
// 700 for headers and bands, normal 400 for cells, indexes and captions) and
// every measurement the layout needs. "Arial" resolves through fontconfig
// (to Liberation Sans on Debian with fonts-liberation2).
// REQUIRES: a QGuiApplication exists.
class SheetFonts {
 public:
  explicit SheetFonts(int32_t scale);

  int32_t Scale() const { return scale_; }
  const QFont& Bold() const { return bold_; }
  const QFont& Normal() const { return normal_; }
  const QFontMetrics& BoldMetrics() const { return boldMetrics_; }
  const QFontMetrics& NormalMetrics() const { return normalMetrics_; }

  int32_t BoldWidth(const QString& text) const { return boldMetrics_.horizontalAdvance(text); }
  int32_t NormalWidth(const QString& text) const { return normalMetrics_.horizontalAdvance(text); }
  // The height of one line of the normal font.
  int32_t LineHeight() const { return normalMetrics_.height(); }
  // The height of a text word-wrapped (and centred) in the normal font in a
  // box boxWidth wide; at least one line.
  int32_t WrappedHeight(const QString& text, int32_t boxWidth) const;
  // The flags a wrapped caption line is measured and drawn with.
  static int WrapFlags();

 private:
  int32_t scale_;
  QFont bold_;
  QFont normal_;
  QFontMetrics boldMetrics_;
  QFontMetrics normalMetrics_;
};

// One text row of the caption block: lines [first, first + count) of the
// caption, or one line word-wrapped in the box from x = 1 to width - 1.
struct CaptionRow {
  int32_t first = 0;
  int32_t count = 0;
  bool wrapped = false;
  int32_t extraHeight = 0;  // wrapped height - one line's height (wrapped rows)
};

// Packs caption lines of the given widths into text rows left to right: a
// line joins the current row when current x + cellSize + its width <=
// sheetWidth - 1 (current x: 1 + the widths and cellSize gaps placed so
// far); a line at least as wide as the sheet gets a row of its own and is
// wrapped. Extra heights are left 0 (see LayOutCaption).
std::vector<CaptionRow> PackCaptionRows(const std::vector<int32_t>& widths, int32_t sheetWidth, int32_t cellSize);

// The caption of a metafile picture, measured and packed.
struct CaptionLayout {
  std::vector<QString> lines;
  std::vector<int32_t> widths;
  std::vector<CaptionRow> rows;
  int32_t TextRows() const { return static_cast<int32_t>(rows.size()); }
  int32_t ExtraHeight() const;
  // The x of each line of a row that is not wrapped: one line centred at
  // (sheetWidth - width) div 2, several spread from x = 1 with equal gaps
  // (sheetWidth - 2 - their total width) div (count - 1).
  std::vector<int32_t> LineXs(const CaptionRow& row, int32_t sheetWidth) const;
};

// The caption lines in order: the total index line (documents with
// indexes; a total index of -1 shows as 0), the respondent-count line and
// the selection line.
std::vector<QString> CaptionLines(const SurveyDocument& document, double totalIndex, int64_t selectionSize,
                                  const QString& description);
CaptionLayout LayOutCaption(std::vector<QString> lines, const SheetFonts& fonts, int32_t sheetWidth,
                            int32_t cellSize);

// The sheet's size limit: a side of more than this many pixels, or a
// picture of more than kSheetMaxPixels pixels, is not drawn.
inline constexpr int64_t kSheetMaxSide = 1 << 20;
inline constexpr int64_t kSheetMaxPixels = (int64_t{1} << 31) / 4 - 1;

// The whole geometry of one drawing.
struct SheetGeometry {
  int32_t mode = kSheetScreen;
  int32_t scale = 1;
  int32_t cellSize = 16;
  BlockLevels levels;
  int32_t columnCount = 0;
  int32_t headerRowCount = 1;
  int32_t shownRowCount = 0;
  int32_t indexRowCount = 0;
  int64_t selectionSize = 0;
  CaptionLayout caption;  // metafile modes only
  int64_t width = 0;
  int64_t height = 0;

  // The y of the top of the index rows (= bottom of the answer rows).
  int64_t IndexTop() const { return static_cast<int64_t>(shownRowCount + headerRowCount) * cellSize; }
  int64_t CaptionTop() const { return IndexTop() + static_cast<int64_t>(indexRowCount) * cellSize; }
  // False when the sheet is larger than the limits above.
  bool Drawable() const;
};

// REQUIRES for metafile modes: fonts at SheetScale(mode).
// selectionSize is the length of the respondent list; maxRows is the user
// setting "Overview Max Rows".
SheetGeometry LayOutSheet(const SurveyDocument& document, int32_t mode, const std::vector<int32_t>& columns,
                          int64_t selectionSize, int32_t maxRows, int32_t rowLimit, double totalIndex,
                          const QString& description, const SheetFonts& fonts);

}  // namespace kvf
