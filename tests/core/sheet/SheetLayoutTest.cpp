// Sheet geometry: cell sizes per target, header, shown and index rows, the
// fonts and the caption packing.
#include <gtest/gtest.h>

#include <QLocale>

#include "core/sheet/SheetLayout.h"
#include "core/sheet/SheetTestSupport.h"

namespace kvf::testing {
namespace {

SurveyDocument BlocksSurvey(std::vector<int32_t> primary, std::vector<int32_t> secondary) {
  SheetColumns columns;
  columns.answers.assign(primary.size(), std::vector<int32_t>{0, 1});
  columns.primary = std::move(primary);
  columns.secondary = std::move(secondary);
  columns.blockCount = 8;
  return SheetSurvey(columns);
}

TEST(SheetLayoutTest, HeaderRowsFollowTheBlockLevelsOfTheColumns) {
  EXPECT_EQ(SheetHeaderRowCount(ScanBlockLevels(BlocksSurvey({-1, -1}, {}), {0, 1})), 1);
  EXPECT_EQ(SheetHeaderRowCount(ScanBlockLevels(BlocksSurvey({-1, 3}, {}), {0, 1})), 2);
  EXPECT_EQ(SheetHeaderRowCount(ScanBlockLevels(BlocksSurvey({-1, -1}, {-1, 2}), {0, 1})), 2);
  EXPECT_EQ(SheetHeaderRowCount(ScanBlockLevels(BlocksSurvey({1, -1}, {-1, 2}), {0, 1})), 3);
  // Only the listed columns count, and questions outside the table are skipped.
  EXPECT_EQ(SheetHeaderRowCount(ScanBlockLevels(BlocksSurvey({-1, 3}, {}), {0, 7, -1})), 1);
}

TEST(SheetLayoutTest, ShownRowsTakeTheSmallestLimit) {
  EXPECT_EQ(SheetShownRowCount(1000, 300, -1), 300);
  EXPECT_EQ(SheetShownRowCount(120, 300, -1), 120);
  EXPECT_EQ(SheetShownRowCount(1000, 300, 0), 0);
  EXPECT_EQ(SheetShownRowCount(1000, 300, 50), 50);
  EXPECT_EQ(SheetShownRowCount(1000, -5, -1), 0);
  EXPECT_EQ(SheetShownRowCount(int64_t{5} << 32, 300, -1), 300);
}

TEST(SheetLayoutTest, IndexRowsOnlyInMetafilesOfDocumentsWithIndexes) {
  SurveyDocument document = BlocksSurvey({1, -1}, {-1, 2});
  const BlockLevels levels = ScanBlockLevels(document, {0, 1});
  EXPECT_EQ(SheetIndexRowCount(document, kSheetEmfFile, levels), 4);
  EXPECT_EQ(SheetIndexRowCount(document, kSheetEmfFile, BlockLevels{}), 2);
  EXPECT_EQ(SheetIndexRowCount(document, kSheetScreen, levels), 0);
  document.info.indexDivisor = 0;
  EXPECT_EQ(SheetIndexRowCount(document, kSheetClipboard, levels), 0);
}

TEST(SheetLayoutTest, FontsAreArialAtTwelvePixelsPerScale) {
  EnsureGuiApplication();
  const SheetFonts screen(1);
  const SheetFonts metafile(2);
  EXPECT_EQ(screen.Normal().pixelSize(), 12);
  EXPECT_EQ(metafile.Bold().pixelSize(), 24);
  EXPECT_EQ(screen.Bold().weight(), QFont::Bold);
  EXPECT_EQ(screen.Normal().weight(), QFont::Normal);
  EXPECT_EQ(screen.Normal().family(), QStringLiteral("Arial"));
  EXPECT_EQ(screen.LineHeight(), 14);
  EXPECT_GT(screen.BoldWidth(QStringLiteral("Www")), screen.NormalWidth(QStringLiteral("Www")));
}

TEST(SheetLayoutTest, CaptionLinesJoinARowWhileTheyFitWithACellGap) {
  // Sheet 200 wide, gap 32: 1 + 50 + 32 + 116 = 199 = 200 - 1 fits exactly.
  std::vector<CaptionRow> rows = PackCaptionRows({50, 116, 10}, 200, 32);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].first, 0);
  EXPECT_EQ(rows[0].count, 2);
  EXPECT_EQ(rows[1].first, 2);
  EXPECT_FALSE(rows[1].wrapped);
  // One pixel more does not fit.
  rows = PackCaptionRows({50, 117}, 200, 32);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].count, 1);
}

TEST(SheetLayoutTest, ALineAsWideAsTheSheetIsWrappedOnARowOfItsOwn) {
  const std::vector<CaptionRow> rows = PackCaptionRows({20, 200, 20, 20}, 200, 32);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_FALSE(rows[0].wrapped);
  EXPECT_EQ(rows[0].count, 1);
  EXPECT_TRUE(rows[1].wrapped);
  EXPECT_EQ(rows[1].first, 1);
  EXPECT_EQ(rows[2].first, 2);
  EXPECT_EQ(rows[2].count, 2);
  // A line narrower than the sheet is not wrapped, even when it cannot be centred with room to spare.
  EXPECT_FALSE(PackCaptionRows({199}, 200, 32)[0].wrapped);
}

TEST(SheetLayoutTest, CaptionRowsAreCentredOrSpreadWithEqualGaps) {
  CaptionLayout layout;
  layout.widths = {40, 30, 20};
  EXPECT_EQ(layout.LineXs({0, 1, false, 0}, 200), std::vector<int32_t>{80});
  // Gap (200 - 2 - 90) div 2 = 54.
  EXPECT_EQ(layout.LineXs({0, 3, false, 0}, 200), (std::vector<int32_t>{1, 95, 179}));
}

TEST(SheetLayoutTest, CaptionOfAMetafileCarriesTheTotalCountAndSelectionLines) {
  EnsureGuiApplication();
  const SurveyDocument document = BlocksSurvey({-1, -1}, {});
  const std::vector<QString> lines = CaptionLines(document, kNoIndex, 1234, QStringLiteral("Everyone"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], QStringLiteral("Total: 0"));
  EXPECT_EQ(lines[1], QStringLiteral("Count: ") + QLocale::system().toString(1234));
  EXPECT_EQ(lines[2], QStringLiteral("Selection: Everyone"));
  SurveyDocument withoutIndexes = document;
  withoutIndexes.info.indexDivisor = 0;
  EXPECT_EQ(CaptionLines(withoutIndexes, 2.0, 1, QString()).size(), 2u);
}

TEST(SheetLayoutTest, AWrappedCaptionLineAddsItsExtraHeightToTheSheet) {
  EnsureGuiApplication();
  const SurveyDocument document = BlocksSurvey({-1, -1}, {});
  const SheetFonts fonts(2);
  const QString longDescription = QStringLiteral("a selection described in many words ").repeated(4);
  const SheetGeometry g =
      LayOutSheet(document, kSheetEmfFile, {0, 1}, 2, 300, -1, 1.5, longDescription, fonts);
  // Two columns of 32 pixels: every caption line is wider than the sheet.
  ASSERT_EQ(g.caption.TextRows(), 3);
  for (const CaptionRow& row : g.caption.rows) EXPECT_TRUE(row.wrapped);
  const CaptionRow& selection = g.caption.rows[2];
  EXPECT_GE(selection.extraHeight, 5 * fonts.LineHeight());
  EXPECT_EQ(selection.extraHeight, fonts.WrappedHeight(g.caption.lines[2], 62) - fonts.LineHeight());
  EXPECT_EQ(g.width, 64);
  EXPECT_EQ(g.height, (1 + 2 + 2 + 3) * 32 + g.caption.ExtraHeight());

  const SheetGeometry screen =
      LayOutSheet(document, kSheetScreen, {0, 1}, 2, 300, -1, 1.5, longDescription, SheetFonts(1));
  EXPECT_EQ(screen.caption.TextRows(), 0);
  EXPECT_EQ(screen.height, (1 + 2) * 16);
}

}  // namespace
}  // namespace kvf::testing
