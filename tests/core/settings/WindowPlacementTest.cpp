#include "core/settings/WindowPlacement.h"

#include <gtest/gtest.h>

#include "platform/registry/MemoryRegistryStore.h"

namespace kvf {
namespace {

using platform::MemoryRegistryStore;
using platform::RegistryAccess;
using platform::RegistryKey;

class WindowPlacementTest : public ::testing::Test {
 protected:
  QStringList Stored(const QString& window) { return store_.ValueNames(ProgramKeyPath() + QStringLiteral("\\Windows\\") + window); }
  RegistryKey WindowKey(const QString& window) {
    return program_.OpenSubKey(WindowKeyName(window), RegistryAccess::Write);
  }
  MemoryRegistryStore store_;
  RegistryKey program_ = OpenProgramKey(store_).key;
  const WindowPlacement normal_{1500, 3000, 9000, 6000, WindowShowState::Normal};
};

TEST_F(WindowPlacementTest, SavesWhatTheBorderStyleKeeps) {
  SaveWindowPlacement(program_, {}, QStringLiteral("Main"), BorderStyle::Sizable, normal_);
  EXPECT_EQ(Stored(QStringLiteral("Main")), (QStringList{QStringLiteral("WLeft"), QStringLiteral("WTop"),
                                                         QStringLiteral("WWidth"), QStringLiteral("WHeight"),
                                                         QStringLiteral("WState")}));
  WindowPlacement maximized = normal_;
  maximized.left = 0;
  maximized.state = WindowShowState::Maximized;
  SaveWindowPlacement(program_, {}, QStringLiteral("Main"), BorderStyle::Sizable, maximized);
  EXPECT_EQ(WindowKey(QStringLiteral("Main")).ReadDword(QStringLiteral("WState")), 2u);
  EXPECT_EQ(WindowKey(QStringLiteral("Main")).ReadDword(QStringLiteral("WLeft")), 1500u);  // untouched

  WindowPlacement minimized = normal_;
  minimized.state = WindowShowState::Minimized;
  SaveWindowPlacement(program_, {}, QStringLiteral("Mini"), BorderStyle::Sizable, minimized);
  EXPECT_FALSE(store_.KeyExists(ProgramKeyPath() + QStringLiteral("\\Windows\\Mini")));

  SaveWindowPlacement(program_, {}, QStringLiteral("Dialog"), BorderStyle::FixedDialog, normal_);
  EXPECT_EQ(Stored(QStringLiteral("Dialog")), (QStringList{QStringLiteral("WLeft"), QStringLiteral("WTop")}));
  SaveWindowPlacement(program_, {}, QStringLiteral("Single"), BorderStyle::FixedSingle, maximized);
  EXPECT_EQ(Stored(QStringLiteral("Single")), QStringList{QStringLiteral("WState")});
  SaveWindowPlacement(program_, {}, QStringLiteral("Tool"), BorderStyle::SizableToolWindow, normal_);
  EXPECT_EQ(Stored(QStringLiteral("Tool")).size(), 4);
}

TEST_F(WindowPlacementTest, RestoreAppliesStateRulesAndMinimumSize) {
  const WindowPlacement design{0, 0, 4000, 4000, WindowShowState::Normal};
  EXPECT_EQ(RestoreWindowPlacement(program_, QStringLiteral("Main"), BorderStyle::Sizable, true, 3000, 3000, design).width,
            4000);  // no key: the design values stay

  const RegistryKey key = WindowKey(QStringLiteral("Main"));
  key.WriteDword(QStringLiteral("WLeft"), 600);
  key.WriteDword(QStringLiteral("WWidth"), 1000);
  key.WriteString(QStringLiteral("WHeight"), QStringLiteral("9000"));  // wrong type: the design height stays
  key.WriteDword(QStringLiteral("WState"), 1);
  WindowPlacement restored = RestoreWindowPlacement(program_, QStringLiteral("Main"), BorderStyle::Sizable, true, 3000, 3000, design);
  EXPECT_EQ(restored.left, 600);
  EXPECT_EQ(restored.top, 0);
  EXPECT_EQ(restored.width, 3000);
  EXPECT_EQ(restored.height, 4000);
  EXPECT_EQ(restored.state, WindowShowState::Normal);  // a stored minimized state opens normal

  key.WriteDword(QStringLiteral("WState"), 2);
  EXPECT_EQ(RestoreWindowPlacement(program_, QStringLiteral("Main"), BorderStyle::Sizable, true, 0, 0, design).state,
            WindowShowState::Maximized);
  EXPECT_EQ(RestoreWindowPlacement(program_, QStringLiteral("Main"), BorderStyle::Sizable, false, 0, 0, design).state,
            WindowShowState::Normal);
  key.WriteDword(QStringLiteral("WState"), 7);
  EXPECT_EQ(RestoreWindowPlacement(program_, QStringLiteral("Main"), BorderStyle::Sizable, true, 0, 0, design).state,
            WindowShowState::Normal);
  // A fixed dialog reads its position only.
  restored = RestoreWindowPlacement(program_, QStringLiteral("Main"), BorderStyle::FixedDialog, true, 0, 0, design);
  EXPECT_EQ(restored.width, 4000);
  EXPECT_EQ(restored.left, 600);
}

TEST_F(WindowPlacementTest, FlexTotalHeight) {
  EXPECT_EQ(ReadFlexTotalHeight(program_, 1200), 1200);
  ASSERT_TRUE(WriteFlexTotalHeight(program_, {}, 2400));
  EXPECT_EQ(ReadFlexTotalHeight(program_, 1200), 2400);
}

TEST(CaptionOnScreen, MovesAStripOnNoScreenToTheNearestWorkArea) {
  const std::vector<ScreenArea> screens = {
      {QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)},
      {QRect(1920, 200, 1280, 1024), QRect(1980, 200, 1220, 1024)},
  };
  // On a screen, or partly on one: stays.
  EXPECT_EQ(PlaceCaptionOnScreen(QRect(100, 100, 800, 20), screens), QPoint(100, 100));
  EXPECT_EQ(PlaceCaptionOnScreen(QRect(-700, 50, 800, 20), screens), QPoint(-700, 50));
  EXPECT_EQ(PlaceCaptionOnScreen(QRect(3000, 1200, 800, 20), screens), QPoint(3000, 1200));
  // Beyond the right screen's edge: its work area.
  EXPECT_EQ(PlaceCaptionOnScreen(QRect(3500, 300, 800, 20), screens), QPoint(1980, 200));
  // Above the first screen, left of the second: the first is nearer.
  EXPECT_EQ(PlaceCaptionOnScreen(QRect(500, -400, 800, 20), screens), QPoint(0, 0));
  // Below the first screen's bottom edge, on no screen (the second starts at x 1920).
  EXPECT_EQ(PlaceCaptionOnScreen(QRect(1000, 1100, 300, 20), screens), QPoint(0, 0));
  EXPECT_EQ(PlaceCaptionOnScreen(QRect(5000, 5000, 10, 10), {}), QPoint(0, 0));
}

TEST(CaptionOnScreen, WorksInTwips) {
  const std::vector<ScreenArea> screens = {{QRect(0, 0, 800, 800), QRect(0, 30, 800, 770)}};
  const WindowPlacement off{30000, 30000, 3000, 3000, WindowShowState::Normal};
  const WindowPlacement moved = KeepCaptionOnScreen(off, 22, 15.0, screens);
  EXPECT_EQ(moved.left, 0);
  EXPECT_EQ(moved.top, 450);
  EXPECT_EQ(moved.width, 3000);
  const WindowPlacement on{1500, 1500, 3000, 3000, WindowShowState::Normal};
  EXPECT_EQ(KeepCaptionOnScreen(on, 22, 15.0, screens).left, 1500);
}

}  // namespace
}  // namespace kvf
