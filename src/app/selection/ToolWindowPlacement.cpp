#include "app/selection/ToolWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <cmath>

#include "core/settings/WindowPlacement.h"

namespace kvf::app {

double TwipsPerPixelOf(const QWidget* widget) {
  const int dpi = widget->logicalDpiX();
  return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void RestoreToolWindowPlacement(QWidget* window, const platform::RegistryKey& programKey, const QString& name,
                                int32_t minimumWidthTwips, int32_t minimumHeightTwips) {
  const double twips = TwipsPerPixelOf(window);
  const QRect geometry = window->geometry();
  WindowPlacement current;
  current.left = static_cast<int32_t>(std::lround(geometry.x() * twips));
  current.top = static_cast<int32_t>(std::lround(geometry.y() * twips));
  current.width = static_cast<int32_t>(std::lround(geometry.width() * twips));
  current.height = static_cast<int32_t>(std::lround(geometry.height() * twips));
  WindowPlacement placement = RestoreWindowPlacement(programKey, name, BorderStyle::SizableToolWindow, false,
                                                     minimumWidthTwips, minimumHeightTwips, current);
  std::vector<ScreenArea> screens;
  for (QScreen* screen : QGuiApplication::screens()) screens.push_back({screen->geometry(), screen->availableGeometry()});
  const int caption = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
  placement = KeepCaptionOnScreen(placement, caption, twips, screens);
  window->setGeometry(static_cast<int>(std::lround(placement.left / twips)),
                      static_cast<int>(std::lround(placement.top / twips)),
                      static_cast<int>(std::lround(placement.width / twips)),
                      static_cast<int>(std::lround(placement.height / twips)));
}

void SaveToolWindowPlacement(const QWidget* window, const platform::RegistryKey& programKey, const Policies& policies,
                             const QString& name) {
  const double twips = TwipsPerPixelOf(window);
  const QRect geometry = window->geometry();
  WindowPlacement placement;
  placement.left = static_cast<int32_t>(std::lround(geometry.x() * twips));
  placement.top = static_cast<int32_t>(std::lround(geometry.y() * twips));
  placement.width = static_cast<int32_t>(std::lround(geometry.width() * twips));
  placement.height = static_cast<int32_t>(std::lround(geometry.height() * twips));
  SaveWindowPlacement(programKey, policies, name, BorderStyle::SizableToolWindow, placement);
}

}  // namespace kvf::app
