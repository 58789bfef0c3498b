#include "app/selection/ToolWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <cmath>

#include "core/settings/WindowPlacement.h"

namespace kvf::app {

namespace {

WindowPlacement PlacementOf(const QWidget* window, double twips) {
  const QRect geometry = window->geometry();
  WindowPlacement placement;
  placement.left = static_cast<int32_t>(std::lround(geometry.x() * twips));
  placement.top = static_cast<int32_t>(std::lround(geometry.y() * twips));
  placement.width = static_cast<int32_t>(std::lround(geometry.width() * twips));
  placement.height = static_cast<int32_t>(std::lround(geometry.height() * twips));
  return placement;
}

}  // namespace

double TwipsPerPixelOf(const QWidget* widget) {
  const int dpi = widget->logicalDpiX();
  return dpi > 0 ? 1440.0 / dpi : 15.0;
}

bool RestoreToolWindowPlacement(QWidget* window, const platform::RegistryKey& programKey, const QString& name,
                                int32_t minimumWidthTwips, int32_t minimumHeightTwips) {
  const double twips = TwipsPerPixelOf(window);
  WindowPlacement placement = RestoreWindowPlacement(programKey, name, BorderStyle::SizableToolWindow, false,
                                                     minimumWidthTwips, minimumHeightTwips, PlacementOf(window, twips));
  std::vector<ScreenArea> screens;
  for (QScreen* screen : QGuiApplication::screens()) screens.push_back({screen->geometry(), screen->availableGeometry()});
  const int caption = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
  placement = KeepCaptionOnScreen(placement, caption, twips, screens);
  window->setGeometry(static_cast<int>(std::lround(placement.left / twips)),
                      static_cast<int>(std::lround(placement.top / twips)),
                      static_cast<int>(std::lround(placement.width / twips)),
                      static_cast<int>(std::lround(placement.height / twips)));
  const platform::RegistryKey stored = programKey.OpenSubKey(WindowKeyName(name), platform::RegistryAccess::Read);
  return stored.IsOpen() && stored.ReadDword(QStringLiteral("WLeft")).has_value();
}

void SaveToolWindowPlacement(const QWidget* window, const platform::RegistryKey& programKey, const Policies& policies,
                             const QString& name) {
  SaveWindowPlacement(programKey, policies, name, BorderStyle::SizableToolWindow,
                      PlacementOf(window, TwipsPerPixelOf(window)));
}

}  // namespace kvf::app
