#include "app/mainwindow/MainWindowSettings.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <cmath>

#include "core/settings/WindowPlacement.h"

namespace kvf::app {

namespace {

const QString kPlacementName = QStringLiteral("Main");
constexpr int32_t kMinimumTwips = 3000;

double TwipsPerPixel(const QWidget& window) {
  const int dpi = window.logicalDpiX();
  return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int32_t Twips(int pixels, double twips) { return static_cast<int32_t>(std::lround(pixels * twips)); }
int Pixels(int32_t twipsValue, double twips) { return static_cast<int>(std::lround(twipsValue / twips)); }

}  // namespace

MainWindowSettings::MainWindowSettings(const ViewerEnvironment& environment) : env_(environment) {}

void MainWindowSettings::Read() {
  last_ = ReadLastSettings(env_.programKey, env_.folders);
  options_ = ReadSettings(env_.programKey);
  recentFiles_ = ReadRecentFiles(env_.programKey, env_.policies);
}

void MainWindowSettings::Write(const QString& dataOpenFolder) {
  WriteRecentFiles(env_.programKey, env_.policies, recentFiles_);
  last_.dataOpenFolder = dataOpenFolder;
  WriteLastSettings(env_.programKey, env_.policies, last_);
}

void MainWindowSettings::RestorePlacement(QWidget& window) const {
  const double twips = TwipsPerPixel(window);
  const QRect geometry = window.geometry();
  WindowPlacement current;
  current.left = Twips(geometry.x(), twips);
  current.top = Twips(geometry.y(), twips);
  current.width = Twips(geometry.width(), twips);
  current.height = Twips(geometry.height(), twips);
  WindowPlacement placement = RestoreWindowPlacement(env_.programKey, kPlacementName, BorderStyle::Sizable, true,
                                                     kMinimumTwips, kMinimumTwips, current);
  std::vector<ScreenArea> screens;
  for (QScreen* screen : QGuiApplication::screens())
    screens.push_back({screen->geometry(), screen->availableGeometry()});
  const int caption = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
  placement = KeepCaptionOnScreen(placement, caption, twips, screens);
  window.setGeometry(Pixels(placement.left, twips), Pixels(placement.top, twips), Pixels(placement.width, twips),
                     Pixels(placement.height, twips));
  if (placement.state == WindowShowState::Maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void MainWindowSettings::SavePlacement(const QWidget& window) const {
  const double twips = TwipsPerPixel(window);
  const QRect normal = window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
  WindowPlacement placement;
  placement.left = Twips(normal.x(), twips);
  placement.top = Twips(normal.y(), twips);
  placement.width = Twips(normal.width(), twips);
  placement.height = Twips(normal.height(), twips);
  placement.state = window.isMinimized()   ? WindowShowState::Minimized
                    : window.isMaximized() ? WindowShowState::Maximized
                                           : WindowShowState::Normal;
  SaveWindowPlacement(env_.programKey, env_.policies, kPlacementName, BorderStyle::Sizable, placement);
}

bool MainWindowSettings::AddRecentFile(const QString& path) {
  if (path.isEmpty() || !recentFiles_.Enabled()) return false;
  recentFiles_.Add(path);
  return true;
}

void MainWindowSettings::ShowRecentFiles(MainMenus& menus, const QFont& font, double dotsPerInch) const {
  const QStringList& entries = recentFiles_.Entries();
  menus.SetVisible(MenuEntry::RecentSeparator, !entries.isEmpty());
  const QFontMetrics metrics(font);
  const auto width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
  const int maxWidth = RecentFileMaxWidthPixels(dotsPerInch);
  for (int i = 0; i < RecentFileList::kMaxEntries; ++i) {
    const MenuEntry entry = RecentFileEntry(i);
    if (i < entries.size())
      menus.Action(entry)->setText(RecentFileCaption(i, RecentFileDisplayPath(entries[i], width, maxWidth)));
    menus.SetVisible(entry, i < entries.size());
  }
}

}  // namespace kvf::app
