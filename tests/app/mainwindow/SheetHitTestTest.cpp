// HitTestCell: header rows, scrolled bars, the edges of the drawn sheet and
// per-column row offsets.
#include <gtest/gtest.h>

#include "app/mainwindow/SheetHitTest.h"

namespace kvf::app {
namespace {

TEST(HitTest, HeadersEdgesBarsAndOffsets) {
  SubSheet sheet;
  sheet.present = true;
  sheet.respondents = {10, 11, 12, 13, 14};
  sheet.columns = {7, 8, 9};
  SheetGrid grid;
  grid.headerRowCount = 2;
  grid.shownRowCount = 5;
  SheetScroll scroll;
  auto at = [&](double x, double y) {
    const CellHit hit = HitTestCell(sheet, grid, scroll, QPointF(x, y));
    return std::make_tuple(hit.inside, hit.column, hit.rowItem, hit.question);
  };
  // Header rows are negative; (x - 1) div 16, rounded first.
  EXPECT_EQ(
      std::make_tuple(std::get<2>(at(1, 1)), std::get<3>(at(1, 1)), std::get<2>(at(20, 17)), std::get<3>(at(20, 17))),
      std::make_tuple(-2, 7, -1, 8));
  EXPECT_EQ(std::make_tuple(std::get<1>(at(16, 40)), std::get<1>(at(17, 40)), std::get<1>(at(16.6, 40))),
            std::make_tuple(0, 1, 1));
  EXPECT_EQ(at(40, 33), std::make_tuple(true, 2, 10, 9));
  EXPECT_FALSE(std::get<0>(at(49, 40)));  // column 3 of 3
  grid.shownRowCount = 2;                 // fewer rows drawn than selected
  EXPECT_EQ(std::make_tuple(std::get<0>(at(20, 33 + 16)), std::get<0>(at(20, 33 + 2 * 16))),
            std::make_tuple(true, false));
  // Visible bars shift columns and answer rows but not headers; a hidden bar's value does not count.
  scroll = {.horizontalVisible = true, .horizontalValue = 1, .verticalVisible = true, .verticalValue = 3};
  grid.shownRowCount = 5;
  EXPECT_EQ(std::make_tuple(std::get<3>(at(1, 1)), std::get<2>(at(1, 1)), std::get<2>(at(1, 33))),
            std::make_tuple(8, -2, 13));
  EXPECT_FALSE(std::get<0>(at(1, 33 + 2 * 16)));
  scroll = {};
  // Per-column offsets rotate the rows: row 2 of column 1 is (3 + 2) mod 5.
  sheet.columnOffsetsActive = true;
  sheet.columnOffsets.assign(10, 0);
  sheet.columnOffsets[8] = 3;
  EXPECT_EQ(std::make_tuple(std::get<2>(at(1, 33)), std::get<2>(at(17, 33)), std::get<2>(at(17, 33 + 2 * 16))),
            std::make_tuple(10, 13, 10));
  sheet.present = false;
  EXPECT_FALSE(std::get<0>(at(20, 40)));
}

}  // namespace
}  // namespace kvf::app
