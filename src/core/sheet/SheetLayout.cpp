#include "core/sheet/SheetLayout.h"

#include <QLocale>
#include <algorithm>
#include <limits>

#include "core/indexes/IndexCalculation.h"

namespace kvf {

namespace {

QFont SheetFont(int32_t scale, int weight) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12 * scale);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

}  // namespace

int32_t SheetScale(int32_t mode) { return IsMetafileMode(mode) ? 2 : 1; }

int32_t SheetCellSize(int32_t mode) {
  if (IsMetafileMode(mode)) return 32;
  if (mode == kSheetMiniOverview) return 8;
  return 16;
}

bool IsMetafileMode(int32_t mode) { return mode >= kSheetClipboard && mode <= kSheetWmfFile; }

bool SheetDrawsTexts(int32_t mode) { return mode != kSheetMiniOverview; }

BlockLevels ScanBlockLevels(const SurveyDocument& document, const std::vector<int32_t>& columns) {
  BlockLevels levels;
  for (const int32_t q : columns) {
    const Question* question = document.QuestionAt(q);
    if (!question) continue;
    levels.hasBlocks = levels.hasBlocks || question->primaryBlock != -1;
    levels.hasSubBlocks = levels.hasSubBlocks || question->secondaryBlock != -1;
  }
  return levels;
}

int32_t SheetHeaderRowCount(const BlockLevels& levels) { return 1 + levels.Count(); }

int32_t SheetShownRowCount(int64_t selectionSize, int32_t maxRows, int32_t rowLimit) {
  int64_t shown = std::min<int64_t>(std::max<int64_t>(0, selectionSize), std::max(0, maxRows));
  if (rowLimit != -1) shown = std::min<int64_t>(shown, std::max(0, rowLimit));
  return static_cast<int32_t>(shown);
}

int32_t SheetHeaderRowCount(const SurveyDocument& document, const SubSheet& sheet) {
  return sheet.present ? SheetHeaderRowCount(ScanBlockLevels(document, sheet.columns)) : 0;
}

int32_t SheetShownRowCount(const SubSheet& sheet, int32_t maxRows) {
  return SheetShownRowCount(static_cast<int64_t>(sheet.respondents.size()), maxRows, sheet.rowLimit);
}

int32_t SheetIndexRowCount(const SurveyDocument& document, int32_t mode, const BlockLevels& levels) {
  if (!IsMetafileMode(mode) || !document.info.HasIndexes()) return 0;
  return 2 + levels.Count();
}

SheetFonts::SheetFonts(int32_t scale)
    : scale_(scale),
      bold_(SheetFont(scale, 700)),
      normal_(SheetFont(scale, 400)),
      boldMetrics_(bold_),
      normalMetrics_(normal_) {}

int SheetFonts::WrapFlags() { return Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop; }

int32_t SheetFonts::WrappedHeight(const QString& text, int32_t boxWidth) const {
  const QRect box(0, 0, std::max(1, boxWidth), std::numeric_limits<int>::max() / 4);
  return std::max(LineHeight(), normalMetrics_.boundingRect(box, WrapFlags(), text).height());
}

std::vector<CaptionRow> PackCaptionRows(const std::vector<int32_t>& widths, int32_t sheetWidth, int32_t cellSize) {
  std::vector<CaptionRow> rows;
  int64_t x = 0;  // current x of the last row; meaningful while it can take more
  bool open = false;
  for (size_t i = 0; i < widths.size(); ++i) {
    const int64_t width = widths[i];
    if (width >= sheetWidth) {
      rows.push_back({static_cast<int32_t>(i), 1, true, 0});
      open = false;
      continue;
    }
    if (open && x + cellSize + width <= int64_t{sheetWidth} - 1) {
      ++rows.back().count;
      x += cellSize + width;
      continue;
    }
    rows.push_back({static_cast<int32_t>(i), 1, false, 0});
    x = 1 + width;
    open = true;
  }
  return rows;
}

int32_t CaptionLayout::ExtraHeight() const {
  int64_t extra = 0;
  for (const CaptionRow& row : rows) extra += row.extraHeight;
  return static_cast<int32_t>(std::min<int64_t>(extra, std::numeric_limits<int32_t>::max()));
}

std::vector<int32_t> CaptionLayout::LineXs(const CaptionRow& row, int32_t sheetWidth) const {
  std::vector<int32_t> xs;
  if (row.count <= 0) return xs;
  if (row.count == 1) {
    xs.push_back((sheetWidth - widths[static_cast<size_t>(row.first)]) / 2);
    return xs;
  }
  int64_t total = 0;
  for (int32_t i = 0; i < row.count; ++i) total += widths[static_cast<size_t>(row.first + i)];
  const int64_t gap = (int64_t{sheetWidth} - 2 - total) / (row.count - 1);
  int64_t x = 1;
  for (int32_t i = 0; i < row.count; ++i) {
    xs.push_back(static_cast<int32_t>(x));
    x += widths[static_cast<size_t>(row.first + i)] + gap;
  }
  return xs;
}

std::vector<QString> CaptionLines(const SurveyDocument& document, double totalIndex, int64_t selectionSize,
                                  const QString& description) {
  const QString separator = QStringLiteral(": ");
  std::vector<QString> lines;
  if (document.info.indexDivisor > 0) {
    const double shown = totalIndex == kNoIndex ? 0.0 : totalIndex;
    lines.push_back(document.GetText(document.info.indexLabels[4]) + separator +
                    FormatIndexText(shown, document.info.indexDecimals));
  }
  lines.push_back(document.GetText(document.info.countTip) + separator +
                  QLocale::system().toString(static_cast<qlonglong>(selectionSize)));
  lines.push_back(document.GetText(document.info.selectionTip) + separator + description);
  return lines;
}

CaptionLayout LayOutCaption(std::vector<QString> lines, const SheetFonts& fonts, int32_t sheetWidth,
                            int32_t cellSize) {
  CaptionLayout layout;
  layout.lines = std::move(lines);
  for (const QString& line : layout.lines) layout.widths.push_back(fonts.NormalWidth(line));
  layout.rows = PackCaptionRows(layout.widths, sheetWidth, cellSize);
  for (CaptionRow& row : layout.rows) {
    if (!row.wrapped) continue;
    row.extraHeight =
        fonts.WrappedHeight(layout.lines[static_cast<size_t>(row.first)], sheetWidth - 2) - fonts.LineHeight();
  }
  return layout;
}

bool SheetGeometry::Drawable() const {
  return width >= 0 && height >= 0 && width <= kSheetMaxSide && height <= kSheetMaxSide &&
         width * height <= kSheetMaxPixels;
}

SheetGeometry LayOutSheet(const SurveyDocument& document, int32_t mode, const std::vector<int32_t>& columns,
                          int64_t selectionSize, int32_t maxRows, int32_t rowLimit, double totalIndex,
                          const QString& description, const SheetFonts& fonts) {
  SheetGeometry g;
  g.mode = mode;
  g.scale = SheetScale(mode);
  g.cellSize = SheetCellSize(mode);
  g.levels = ScanBlockLevels(document, columns);
  g.columnCount = static_cast<int32_t>(std::min<size_t>(columns.size(), std::numeric_limits<int32_t>::max()));
  g.headerRowCount = SheetHeaderRowCount(g.levels);
  g.shownRowCount = SheetShownRowCount(selectionSize, maxRows, rowLimit);
  g.indexRowCount = SheetIndexRowCount(document, mode, g.levels);
  g.selectionSize = selectionSize;
  g.width = static_cast<int64_t>(g.columnCount) * g.cellSize;
  int64_t rows = static_cast<int64_t>(g.shownRowCount) + g.headerRowCount + g.indexRowCount;
  int64_t extra = 0;
  if (IsMetafileMode(mode) && g.width <= kSheetMaxSide) {
    g.caption = LayOutCaption(CaptionLines(document, totalIndex, selectionSize, description), fonts,
                              static_cast<int32_t>(g.width), g.cellSize);
    rows += g.caption.TextRows();
    extra = g.caption.ExtraHeight();
  }
  g.height = rows * g.cellSize + extra;
  return g;
}

}  // namespace kvf
