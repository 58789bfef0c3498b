// Scroll bars and window copies of the screen sheet.
#include <gtest/gtest.h>

#include <tuple>

#include "core/sheet/SheetView.h"

namespace kvf {
namespace {

// A window of 402 × 322 pixels with a 20-pixel status bar: W = 400, H = 300;
// bars 17 pixels.
SheetViewInput Window(int64_t sheetWidth, int64_t sheetHeight, int32_t headerRows = 1) {
  SheetViewInput in;
  std::tie(in.clientWidth, in.clientHeight, in.statusBarHeight, in.verticalBarWidth, in.horizontalBarHeight) =
      std::tuple(402, 322, 20, 17, 17);
  std::tie(in.sheetWidth, in.sheetHeight, in.headerRowCount) = std::tuple(sheetWidth, sheetHeight, headerRows);
  return in;
}

// (source, target) of each copy.
std::vector<std::pair<QRect, QPoint>> Copies(const SheetRepaint& repaint) {
  std::vector<std::pair<QRect, QPoint>> copies;
  for (const SheetCopy& copy : repaint.copies) copies.emplace_back(copy.source, copy.target);
  return copies;
}

// (visible, max, largeChange) of a bar.
auto Bar(const ScrollBarLayout& bar) { return std::make_tuple(bar.visible, bar.max, bar.largeChange); }

TEST(SheetViewTest, ASmallSheetShowsNoBarsAndButtonFaceStripsRightAndBelow) {
  const SheetViewInput in = Window(160, 96);
  const SheetViewLayout layout = DesignSheetView(in);
  EXPECT_EQ(std::make_tuple(layout.availableWidth, layout.availableHeight, layout.horizontal.visible,
                            layout.vertical.visible),
            std::make_tuple(400, 300, false, false));
  const SheetRepaint repaint = RepaintSheet(in, layout);
  // Header rows, then the body.
  EXPECT_EQ(Copies(repaint), (std::vector<std::pair<QRect, QPoint>>{{QRect(0, 0, 160, 16), QPoint(1, 1)},
                                                                    {QRect(0, 16, 160, 80), QPoint(1, 17)}}));
  EXPECT_EQ(repaint.buttonFaceStrips,
            (std::vector<QRect>{QRect(QPoint(161, 1), QPoint(400, 300)), QRect(QPoint(1, 97), QPoint(400, 300))}));
}

TEST(SheetViewTest, AVerticalBarThatTakesWidthBringsTheHorizontalBar) {
  // 390 wide fits 400, but not 400 - 17 once the 310-high sheet needs a vertical bar.
  const SheetViewLayout layout = DesignSheetView(Window(390, 310));
  EXPECT_EQ(std::make_tuple(layout.horizontal.geometry, layout.vertical.geometry),
            std::make_tuple(QRect(1, 284, 384, 17), QRect(384, 1, 17, 283)));
  // Max: ceil((390 - 383) / 16) and ceil((310 - 283) / 16); large change 283 div 16 - 1 = 16, limited to Max.
  EXPECT_EQ(std::make_tuple(layout.horizontal.visible, layout.horizontal.max), std::make_tuple(true, 1));
  EXPECT_EQ(Bar(layout.vertical), std::make_tuple(true, 2, 2));
}

TEST(SheetViewTest, AWindowLowerThanTheHeaderRowsScrollsOneRowAtATime) {
  SheetViewInput in = Window(100, 2000, 3);
  in.clientHeight = 60;  // H = 38, less than three header rows
  const SheetViewLayout layout = DesignSheetView(in);
  EXPECT_EQ(std::make_tuple(layout.vertical.visible, layout.vertical.largeChange), std::make_tuple(true, 1));
}

TEST(SheetViewTest, BarsKeepTheirValueAndNewBarsStartAtZero) {
  SheetViewInput in = Window(4000, 4000);
  // The horizontal value lies beyond the new Max; the vertical bar is new.
  std::tie(in.horizontalVisible, in.horizontalValue, in.verticalVisible, in.verticalValue) = std::tuple(true, 500, false, 9);
  const SheetViewLayout layout = DesignSheetView(in);
  EXPECT_EQ(std::make_tuple(layout.horizontal.value, layout.vertical.value), std::make_tuple(layout.horizontal.max, 0));
  in.horizontalValue = 3;
  EXPECT_EQ(DesignSheetView(in).horizontal.value, 3);
}

TEST(SheetViewTest, ScrolledDownTheHeaderRowsStayAndTheBodyMoves) {
  SheetViewInput in = Window(4000, 4000, 3);
  std::tie(in.horizontalVisible, in.horizontalValue, in.verticalVisible, in.verticalValue) = std::tuple(true, 2, true, 10);
  const SheetViewLayout layout = DesignSheetView(in);
  const SheetRepaint repaint = RepaintSheet(in, layout);
  // Header rows from the top of the image, scrolled sideways only; the body
  // from answer row 10 (below the three header rows), under the header.
  EXPECT_EQ(Copies(repaint),
            (std::vector<std::pair<QRect, QPoint>>{{QRect(32, 0, 383, 48), QPoint(1, 1)},
                                                   {QRect(32, 16 * 13, 383, 283 - 48), QPoint(1, 49)}}));
  EXPECT_TRUE(repaint.buttonFaceStrips.empty());
}

}  // namespace
}  // namespace kvf
