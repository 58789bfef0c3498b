#include "core/settings/WindowPlacement.h"

#include <gtest/gtest.h>

#include "platform/registry/MemoryRegistryStore.h"

namespace kvf {
namespace {

using platform::MemoryRegistryStore;
using platform::RegistryAccess;
using platform::RegistryKey;

auto Fields(const WindowPlacement& p) { return std::make_tuple(p.left, p.top, p.width, p.height, p.state); }

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
  EXPECT_EQ(Stored(QStringLiteral("Main")), (QStringList{"WLeft", "WTop", "WWidth", "WHeight", "WState"}));
  WindowPlacement maximized = normal_;
  maximized.left = 0;
  maximized.state = WindowShowState::Maximized;
  SaveWindowPlacement(program_, {}, QStringLiteral("Main"), BorderStyle::Sizable, maximized);
  // The left position is kept from the normal state.
  EXPECT_EQ(std::make_tuple(WindowKey(QStringLiteral("Main")).ReadDword(QStringLiteral("WState")),
                            WindowKey(QStringLiteral("Main")).ReadDword(QStringLiteral("WLeft"))),
            std::make_tuple(2u, 1500u));

  WindowPlacement minimized = normal_;
  minimized.state = WindowShowState::Minimized;
  SaveWindowPlacement(program_, {}, QStringLiteral("Mini"), BorderStyle::Sizable, minimized);
  EXPECT_FALSE(store_.KeyExists(ProgramKeyPath() + QStringLiteral("\\Windows\\Mini")));

  SaveWindowPlacement(program_, {}, QStringLiteral("Dialog"), BorderStyle::FixedDialog, normal_);
  EXPECT_EQ(Stored(QStringLiteral("Dialog")), (QStringList{"WLeft", "WTop"}));
  SaveWindowPlacement(program_, {}, QStringLiteral("Single"), BorderStyle::FixedSingle, maximized);
  EXPECT_EQ(Stored(QStringLiteral("Single")), QStringList{QStringLiteral("WState")});
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
  // A stored minimized state opens normal.
  EXPECT_EQ(Fields(restored), Fields({600, 0, 3000, 4000, WindowShowState::Normal}));

  // Maximized only where the window may be; unknown states open normal.
  for (const auto& [stored, maximizable, state] :
       {std::tuple{2u, true, WindowShowState::Maximized}, std::tuple{2u, false, WindowShowState::Normal},
        std::tuple{7u, true, WindowShowState::Normal}}) {
    key.WriteDword(QStringLiteral("WState"), stored);
    EXPECT_EQ(
        RestoreWindowPlacement(program_, QStringLiteral("Main"), BorderStyle::Sizable, maximizable, 0, 0, design).state,
        state)
        << stored;
  }
  // A fixed dialog reads its position only.
  restored = RestoreWindowPlacement(program_, QStringLiteral("Main"), BorderStyle::FixedDialog, true, 0, 0, design);
  EXPECT_EQ(std::make_tuple(restored.left, restored.width), std::make_tuple(600, 4000));
}

TEST(CaptionOnScreen, MovesAStripOnNoScreenToTheNearestWorkArea) {
  const std::vector<ScreenArea> screens = {
      {QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)},
      {QRect(1920, 200, 1280, 1024), QRect(1980, 200, 1220, 1024)},
  };
  const std::pair<QRect, QPoint> rows[] = {
      // Partly on a screen: stays.
      {QRect(3000, 1200, 800, 20), QPoint(3000, 1200)},
      // Beyond the right screen's edge: its work area.
      {QRect(3500, 300, 800, 20), QPoint(1980, 200)},
      // Below the first screen's bottom edge, on no screen (the second starts at x 1920).
      {QRect(1000, 1100, 300, 20), QPoint(0, 0)}};
  for (const auto& [strip, placed] : rows) EXPECT_EQ(PlaceCaptionOnScreen(strip, screens), placed) << strip.x();
  EXPECT_EQ(PlaceCaptionOnScreen(QRect(5000, 5000, 10, 10), {}), QPoint(0, 0));
}

}  // namespace
}  // namespace kvf
