// Scroll bars and window copies of the screen sheet.
#include <gtest/gtest.h>

#include "core/sheet/SheetView.h"

namespace kvf {
namespace {

// A window of 402 × 322 pixels with a 20-pixel status bar: W = 400, H = 300;
// bars 17 pixels.
SheetViewInput Window(int64_t sheetWidth, int64_t sheetHeight, int32_t headerRows = 1) {
  SheetViewInput in;
  in.clientWidth = 402;
  in.clientHeight = 322;
  in.statusBarHeight = 20;
  in.verticalBarWidth = 17;
  in.horizontalBarHeight = 17;
  in.sheetWidth = sheetWidth;
  in.sheetHeight = sheetHeight;
  in.headerRowCount = headerRows;
  return in;
}

TEST(SheetViewTest, ASmallSheetShowsNoBarsAndButtonFaceStripsRightAndBelow) {
  const SheetViewInput in = Window(160, 96);
  const SheetViewLayout layout = DesignSheetView(in);
  EXPECT_EQ(layout.availableWidth, 400);
  EXPECT_EQ(layout.availableHeight, 300);
  EXPECT_FALSE(layout.horizontal.visible);
  EXPECT_FALSE(layout.vertical.visible);
  const SheetRepaint repaint = RepaintSheet(in, layout);
  ASSERT_EQ(repaint.copies.size(), 2u);  // header rows, then the body
  EXPECT_EQ(repaint.copies[0].source, QRect(0, 0, 160, 16));
  EXPECT_EQ(repaint.copies[0].target, QPoint(1, 1));
  EXPECT_EQ(repaint.copies[1].source, QRect(0, 16, 160, 80));
  EXPECT_EQ(repaint.copies[1].target, QPoint(1, 17));
  ASSERT_EQ(repaint.buttonFaceStrips.size(), 2u);
  EXPECT_EQ(repaint.buttonFaceStrips[0], QRect(QPoint(161, 1), QPoint(400, 300)));
  EXPECT_EQ(repaint.buttonFaceStrips[1], QRect(QPoint(1, 97), QPoint(400, 300)));
}

TEST(SheetViewTest, AVerticalBarThatTakesWidthBringsTheHorizontalBar) {
  // 390 wide fits 400, but not 400 - 17 once the 310-high sheet needs a vertical bar.
  const SheetViewLayout layout = DesignSheetView(Window(390, 310));
  EXPECT_TRUE(layout.vertical.visible);
  EXPECT_TRUE(layout.horizontal.visible);
  EXPECT_EQ(layout.horizontal.geometry, QRect(1, 284, 384, 17));
  EXPECT_EQ(layout.vertical.geometry, QRect(384, 1, 17, 283));
  EXPECT_EQ(layout.horizontal.max, 1);  // ceil((390 - 383) / 16)
  EXPECT_EQ(layout.vertical.max, 2);    // ceil((310 - 283) / 16)
  EXPECT_EQ(layout.vertical.largeChange, 2);  // 283 div 16 - 1 = 16, limited to Max
}

TEST(SheetViewTest, AHorizontalBarThatTakesHeightBringsTheVerticalBar) {
  // 295 high fits 300, but not 300 - 17 under the horizontal bar of a wide sheet.
  const SheetViewLayout layout = DesignSheetView(Window(800, 295));
  EXPECT_TRUE(layout.horizontal.visible);
  EXPECT_TRUE(layout.vertical.visible);
  EXPECT_EQ(layout.horizontal.max, 27);          // ceil((800 - 383) / 16)
  EXPECT_EQ(layout.horizontal.largeChange, 23);  // 383 div 16
}

TEST(SheetViewTest, AWindowLowerThanTheHeaderRowsScrollsOneRowAtATime) {
  SheetViewInput in = Window(100, 2000, 3);
  in.clientHeight = 60;  // H = 38, less than three header rows
  const SheetViewLayout layout = DesignSheetView(in);
  ASSERT_TRUE(layout.vertical.visible);
  EXPECT_EQ(layout.vertical.largeChange, 1);
}

TEST(SheetViewTest, BarsKeepTheirValueAndNewBarsStartAtZero) {
  SheetViewInput in = Window(4000, 4000);
  in.horizontalVisible = true;
  in.horizontalValue = 500;  // beyond the new Max
  in.verticalVisible = false;
  in.verticalValue = 9;
  const SheetViewLayout layout = DesignSheetView(in);
  EXPECT_EQ(layout.horizontal.value, layout.horizontal.max);
  EXPECT_EQ(layout.vertical.value, 0);
  in.horizontalValue = 3;
  EXPECT_EQ(DesignSheetView(in).horizontal.value, 3);
}

TEST(SheetViewTest, ScrolledDownTheHeaderRowsStayAndTheBodyMoves) {
  SheetViewInput in = Window(4000, 4000, 3);
  in.horizontalVisible = true;
  in.horizontalValue = 2;
  in.verticalVisible = true;
  in.verticalValue = 10;
  const SheetViewLayout layout = DesignSheetView(in);
  const SheetRepaint repaint = RepaintSheet(in, layout);
  ASSERT_EQ(repaint.copies.size(), 2u);
  // Header rows: from the top of the image, scrolled sideways only.
  EXPECT_EQ(repaint.copies[0].source, QRect(32, 0, 383, 48));
  EXPECT_EQ(repaint.copies[0].target, QPoint(1, 1));
  // Body: from answer row 10 (below the three header rows), under the header.
  EXPECT_EQ(repaint.copies[1].source, QRect(32, 16 * 13, 383, 283 - 48));
  EXPECT_EQ(repaint.copies[1].target, QPoint(1, 49));
  EXPECT_TRUE(repaint.buttonFaceStrips.empty());
}

}  // namespace
}  // namespace kvf
