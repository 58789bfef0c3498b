// Sheet geometry: cell sizes per target, header, shown and index rows, the
// fonts and the caption packing.
#include <gtest/gtest.h>

#include <QLocale>
#include <tuple>

#include "core/sheet/SheetLayout.h"
#include "core/sheet/SheetTestSupport.h"

namespace kvf::testing {
namespace {

SurveyDocument BlocksSurvey(std::vector<int32_t> primary, std::vector<int32_t> secondary) {
  const std::vector<std::vector<int32_t>> answers(primary.size(), {0, 1});
  return SheetSurvey(
      {.primary = std::move(primary), .secondary = std::move(secondary), .answers = answers, .blockCount = 8});
}

// (first, count, wrapped) of each caption row.
using RowList = std::vector<std::tuple<int32_t, int32_t, bool>>;
RowList Rows(const std::vector<CaptionRow>& rows) {
  RowList list;
  for (const CaptionRow& row : rows) list.emplace_back(row.first, row.count, row.wrapped);
  return list;
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
  // {selected, max rows, row limit, shown}
  const std::tuple<int64_t, int32_t, int32_t, int32_t> rows[] = {
      {1000, 300, -1, 300}, {120, 300, -1, 120}, {1000, 300, 0, 0},
      {1000, 300, 50, 50},  {1000, -5, -1, 0},   {int64_t{5} << 32, 300, -1, 300}};
  for (const auto& [selected, maxRows, limit, shown] : rows)
    EXPECT_EQ(SheetShownRowCount(selected, maxRows, limit), shown) << selected << " " << maxRows << " " << limit;
}

TEST(SheetLayoutTest, IndexRowsOnlyInMetafilesOfDocumentsWithIndexes) {
  SurveyDocument document = BlocksSurvey({1, -1}, {-1, 2});
  const BlockLevels levels = ScanBlockLevels(document, {0, 1});
  EXPECT_EQ(std::make_tuple(SheetIndexRowCount(document, kSheetEmfFile, levels),
                            SheetIndexRowCount(document, kSheetEmfFile, BlockLevels{}),
                            SheetIndexRowCount(document, kSheetScreen, levels)),
            std::make_tuple(4, 2, 0));
  document.info.indexDivisor = 0;
  EXPECT_EQ(SheetIndexRowCount(document, kSheetClipboard, levels), 0);
}

TEST(SheetLayoutTest, CaptionLinesJoinARowWhileTheyFitWithACellGap) {
  // Sheet 200 wide, gap 32: 1 + 50 + 32 + 116 = 199 = 200 - 1 fits exactly.
  EXPECT_EQ(Rows(PackCaptionRows({50, 116, 10}, 200, 32)), (RowList{{0, 2, false}, {2, 1, false}}));
  // One pixel more does not fit.
  EXPECT_EQ(Rows(PackCaptionRows({50, 117}, 200, 32)), (RowList{{0, 1, false}, {1, 1, false}}));
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
  EXPECT_EQ(lines, (std::vector<QString>{QStringLiteral("Total: 0"),
                                         QStringLiteral("Count: ") + QLocale::system().toString(1234),
                                         QStringLiteral("Selection: Everyone")}));
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
  EXPECT_EQ(std::make_tuple(g.width, g.height), std::make_tuple(64, (1 + 2 + 2 + 3) * 32 + g.caption.ExtraHeight()));

  const SheetGeometry screen =
      LayOutSheet(document, kSheetScreen, {0, 1}, 2, 300, -1, 1.5, longDescription, SheetFonts(1));
  EXPECT_EQ(std::make_tuple(screen.caption.TextRows(), screen.height), std::make_tuple(0, (1 + 2) * 16));
}

}  // namespace
}  // namespace kvf::testing
