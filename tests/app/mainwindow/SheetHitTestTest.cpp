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

TEST_F(HitTest, HeaderRowsAreNegativeAndTheFirstAnswerRowFollows) {
  EXPECT_EQ(At(1, 1).rowItem, -2);
  EXPECT_EQ(At(1, 1).question, 7);
  EXPECT_EQ(At(20, 17).rowItem, -1);
  EXPECT_EQ(At(20, 17).question, 8);
  const CellHit first = At(40, 33);
  EXPECT_TRUE(first.inside);
  EXPECT_EQ(first.rowItem, 10);
  EXPECT_EQ(first.column, 2);
  EXPECT_EQ(first.question, 9);
}

TEST_F(HitTest, CellEdgesUseTheOnePixelMargin) {
  EXPECT_EQ(At(16, 40).column, 0);  // (16 - 1) div 16
  EXPECT_EQ(At(17, 40).column, 1);
  EXPECT_EQ(At(17.4, 40).column, 1);
  EXPECT_EQ(At(16.6, 40).column, 1);  // rounded first
}

TEST_F(HitTest, OutsideTheColumnsOrBelowTheDrawnRows) {
  EXPECT_FALSE(At(49, 40).inside);  // column 3 of 3
  EXPECT_FALSE(At(20, 33 + 5 * 16).inside);
  grid_.shownRowCount = 2;  // fewer rows drawn than selected
  EXPECT_FALSE(At(20, 33 + 2 * 16).inside);
  EXPECT_TRUE(At(20, 33 + 16).inside);
}

TEST_F(HitTest, VisibleBarsShiftColumnsAndAnswerRowsButNotHeaders) {
  scroll_.horizontalVisible = true;
  scroll_.horizontalValue = 1;
  scroll_.verticalVisible = true;
  scroll_.verticalValue = 3;
  EXPECT_EQ(At(1, 1).question, 8);
  EXPECT_EQ(At(1, 1).rowItem, -2);
  EXPECT_EQ(At(1, 33).rowItem, 13);
  EXPECT_FALSE(At(1, 33 + 2 * 16).inside);
  // A hidden bar's value does not count.
  scroll_.verticalVisible = false;
  EXPECT_EQ(At(1, 33).rowItem, 10);
}

TEST_F(HitTest, PerColumnOffsetsRotateTheRows) {
  sheet_.columnOffsetsActive = true;
  sheet_.columnOffsets.assign(10, 0);
  sheet_.columnOffsets[8] = 3;
  EXPECT_EQ(At(1, 33).rowItem, 10);
  EXPECT_EQ(At(17, 33).rowItem, 13);
  EXPECT_EQ(At(17, 33 + 2 * 16).rowItem, 10);  // (3 + 2) mod 5
}

TEST_F(HitTest, NoSheetNothingInside) {
  sheet_.present = false;
  EXPECT_FALSE(At(20, 40).inside);
}

}  // namespace
}  // namespace kvf::app
