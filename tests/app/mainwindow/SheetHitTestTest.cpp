// HitTestCell: header rows, scrolled bars, the edges of the drawn sheet and
// per-column row offsets.
#include <gtest/gtest.h>

#include "app/mainwindow/SheetHitTest.h"

namespace kvf::app {
namespace {

class HitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet_.present = true;
    sheet_.respondents = {10, 11, 12, 13, 14};
    sheet_.columns = {7, 8, 9};
    grid_.headerRowCount = 2;
    grid_.shownRowCount = 5;
  }
  CellHit At(double x, double y) { return HitTestCell(sheet_, grid_, scroll_, QPointF(x, y)); }

  SubSheet sheet_;
  SheetGrid grid_;
  SheetScroll scroll_;
};

// (inside, column, rowItem, question) of a hit.
auto Fields(const CellHit& hit) { return std::make_tuple(hit.inside, hit.column, hit.rowItem, hit.question); }

TEST_F(HitTest, HeaderRowsAreNegativeAndCellEdgesUseTheOnePixelMargin) {
  EXPECT_EQ(std::make_tuple(At(1, 1).rowItem, At(1, 1).question), std::make_tuple(-2, 7));
  EXPECT_EQ(std::make_tuple(At(20, 17).rowItem, At(20, 17).question), std::make_tuple(-1, 8));
  EXPECT_EQ(Fields(At(40, 33)), std::make_tuple(true, 2, 10, 9));
  // (x - 1) div 16, rounded first.
  EXPECT_EQ(std::make_tuple(At(16, 40).column, At(17, 40).column, At(17.4, 40).column, At(16.6, 40).column),
            std::make_tuple(0, 1, 1, 1));
}

TEST_F(HitTest, OutsideTheColumnsOrBelowTheDrawnRowsOrWithoutASheet) {
  EXPECT_FALSE(At(49, 40).inside);  // column 3 of 3
  EXPECT_FALSE(At(20, 33 + 5 * 16).inside);
  grid_.shownRowCount = 2;  // fewer rows drawn than selected
  EXPECT_FALSE(At(20, 33 + 2 * 16).inside);
  EXPECT_TRUE(At(20, 33 + 16).inside);
  sheet_.present = false;
  EXPECT_FALSE(At(20, 40).inside);
}

TEST_F(HitTest, VisibleBarsShiftColumnsAndAnswerRowsButNotHeaders) {
  scroll_ = {.horizontalVisible = true, .horizontalValue = 1, .verticalVisible = true, .verticalValue = 3};
  EXPECT_EQ(std::make_tuple(At(1, 1).question, At(1, 1).rowItem, At(1, 33).rowItem), std::make_tuple(8, -2, 13));
  EXPECT_FALSE(At(1, 33 + 2 * 16).inside);
  // A hidden bar's value does not count.
  scroll_.verticalVisible = false;
  EXPECT_EQ(At(1, 33).rowItem, 10);
}

TEST_F(HitTest, PerColumnOffsetsRotateTheRows) {
  sheet_.columnOffsetsActive = true;
  sheet_.columnOffsets.assign(10, 0);
  sheet_.columnOffsets[8] = 3;
  // Row 2 of column 1: (3 + 2) mod 5.
  EXPECT_EQ(std::make_tuple(At(1, 33).rowItem, At(17, 33).rowItem, At(17, 33 + 2 * 16).rowItem),
            std::make_tuple(10, 13, 10));
}

}  // namespace
}  // namespace kvf::app
