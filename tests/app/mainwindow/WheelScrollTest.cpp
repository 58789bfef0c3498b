// Wheel turns: whole notches scroll, fractions of a notch wait in the
// accumulator, ends limit, hidden bars ignore the wheel; and the same on the
// real window through Qt wheel events.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "ViewerFixture.h"
#include "app/mainwindow/WheelScroll.h"

namespace kvf::app {
namespace {

WheelBar Bar(int value, int maximum, int largeChange = 10) { return WheelBar{true, value, 0, maximum, largeChange}; }

TEST(WheelTurn, NotchesScrollPartsWaitEndsLimit) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  struct Case {
    int32_t accumulator, delta, lines;
    WheelBar bar;
    int expected;
    int32_t accumulatorAfter;
  };
  const Case cases[] = {
      {0, 120, 3, Bar(10, 50), 7, 0},  // one notch forward scrolls up
      {0, -240, 3, Bar(10, 50), 16, 0},
      {0, -60, 3, Bar(10, 50), 10, -60},      // a fraction of a notch waits
      {-60, -90, 3, Bar(10, 50), 13, -30},    // -150: one notch, -30 left
      {-30, 100, 3, Bar(13, 50), 13, 70},     // +70: still no notch
      {70, 200, 3, Bar(13, 50), 7, 30},       // +270: two notches, 30 left
      {0, -120, -1, Bar(0, 100, 17), 17, 0},  // the page setting uses the large change
      {0, -1200, 3, Bar(45, 50), 50, 0},      // stops at either end
      {0, 1200, 3, Bar(4, 50), 0, 0},
      {40, -240, 3, WheelBar{false, 5, 0, 50, 10}, 5, 40},  // a hidden bar keeps both
  };
  for (const Case& c : cases) {
    int32_t accumulator = c.accumulator;
    EXPECT_EQ(WheelTurn(accumulator, c.delta, c.lines, c.bar), c.expected) << c.accumulator << " " << c.delta;
    EXPECT_EQ(accumulator, c.accumulatorAfter) << c.accumulator << " " << c.delta;
  }
  int32_t accumulator = 0;  // huge deltas do not overflow
  EXPECT_EQ(WheelTurn(accumulator, kMin, 1000, Bar(0, 1 << 30)), 1 << 30);
  EXPECT_EQ(WheelTurn(accumulator, kMax, 1000, Bar(7, 50)), 0);
}

}  // namespace
}  // namespace kvf::app

namespace kvf::testing {
namespace {

void Turn(QWidget* target, QPoint angle) {
  const QPointF at(20, 20);
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(target, &event);
}

class WheelWindowTest : public ViewerTest {};

TEST_F(WheelWindowTest, WheelScrollsTheRowsWithRemainderAndIgnoresAHiddenBar) {
  app::MainWindow& window = StartWith({EnglishSample()});
  ASSERT_TRUE(window.Session().IsOpen());
  window.SetWheelSettings(app::WheelSettings{3, 3});
  window.resize(800, 500);
  QTest::qWait(50);
  QScrollBar* vertical = window.Sheet()->Vertical();
  QScrollBar* horizontal = window.Sheet()->Horizontal();
  ASSERT_FALSE(vertical->isHidden());  // 300 rows do not fit
  ASSERT_TRUE(horizontal->isHidden());  // 41 columns do
  EXPECT_EQ(vertical->value(), 0);

  Turn(window.Sheet(), QPoint(0, -120));
  EXPECT_EQ(vertical->value(), 3);
  Turn(window.Sheet(), QPoint(0, -60));
  Turn(window.Sheet(), QPoint(0, -60));
  EXPECT_EQ(vertical->value(), 6) << "the window keeps the remainder between events";
  Turn(window.Sheet(), QPoint(0, 240));
  EXPECT_EQ(vertical->value(), 0);

  // The pop-up's choice sends the wheel to the horizontal bar, which is
  // hidden here: nothing moves.
  window.Menus().Action(app::MenuEntry::PopupWheelHorizontal)->trigger();
  EXPECT_TRUE(window.WheelScrollsHorizontally());
  Turn(window.Sheet(), QPoint(0, -120));
  EXPECT_EQ(vertical->value(), 0);
  EXPECT_EQ(horizontal->value(), 0);
  EXPECT_TRUE(window.Menus().Action(app::MenuEntry::PopupWheelHorizontal)->isChecked());
  EXPECT_FALSE(window.Menus().Action(app::MenuEntry::PopupWheelVertical)->isChecked());
}

TEST_F(WheelWindowTest, PageSettingAndTiltOnAWideSheet) {
  app::MainWindow& window = StartWith({SyntheticDocument(QStringLiteral("wide.kvf"), 400, 200, 2)});
  ASSERT_TRUE(window.Session().IsOpen());
  window.resize(600, 400);
  QTest::qWait(50);
  QScrollBar* vertical = window.Sheet()->Vertical();
  QScrollBar* horizontal = window.Sheet()->Horizontal();
  ASSERT_FALSE(horizontal->isHidden());
  ASSERT_FALSE(vertical->isHidden());

  window.SetWheelSettings(app::WheelSettings{-1, 3});
  Turn(window.Sheet(), QPoint(0, -120));
  EXPECT_EQ(vertical->value(), vertical->pageStep());

  // Tilting right (negative horizontal delta) scrolls right by 3 columns.
  Turn(window.Sheet(), QPoint(-120, 0));
  EXPECT_EQ(horizontal->value(), 3);
  Turn(window.Sheet(), QPoint(120, 0));
  EXPECT_EQ(horizontal->value(), 0);
}

}  // namespace
}  // namespace kvf::testing
