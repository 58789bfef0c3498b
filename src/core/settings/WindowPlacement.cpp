#include "core/settings/WindowPlacement.h"

#include <cmath>
#include <limits>

namespace kvf {

using platform::RegistryAccess;
using platform::RegistryKey;

namespace {

struct Kept {
  bool position = false;
  bool size = false;
  bool state = false;
};

// What the border style keeps (for restoring; saving refines it by state).
Kept KeptFor(BorderStyle style) {
  switch (style) {
    case BorderStyle::None:
    case BorderStyle::FixedDialog:
    case BorderStyle::FixedToolWindow:
      return {true, false, false};
    case BorderStyle::FixedSingle:
      return {true, false, true};
    case BorderStyle::Sizable:
      return {true, true, true};
    case BorderStyle::SizableToolWindow:
      return {true, true, false};
  }
  return {};
}

const QString kLeft = QStringLiteral("WLeft");
const QString kTop = QStringLiteral("WTop");
const QString kWidth = QStringLiteral("WWidth");
const QString kHeight = QStringLiteral("WHeight");
const QString kState = QStringLiteral("WState");

}  // namespace


QString WindowKeyName(const QString& windowName) { return QStringLiteral("Windows\\") + windowName; }

bool SaveWindowPlacement(const RegistryKey& programKey, const Policies& policies, const QString& windowName,
                         BorderStyle style, const WindowPlacement& placement) {
  if (policies.noSaveSettings) return false;
  Kept kept = KeptFor(style);
  const bool normal = placement.state == WindowShowState::Normal;
  if (style == BorderStyle::FixedSingle) {
    kept.position = normal;
  } else if (style == BorderStyle::Sizable) {
    if (placement.state == WindowShowState::Minimized) return true;
    kept.position = kept.size = normal;
  }
  const RegistryKey key = programKey.OpenSubKey(WindowKeyName(windowName), RegistryAccess::Write);
  if (!key.IsOpen()) return false;
  bool ok = true;
  if (kept.position) {
    ok &= key.WriteDword(kLeft, static_cast<uint32_t>(placement.left));
    ok &= key.WriteDword(kTop, static_cast<uint32_t>(placement.top));
  }
  if (kept.size) {
    ok &= key.WriteDword(kWidth, static_cast<uint32_t>(placement.width));
    ok &= key.WriteDword(kHeight, static_cast<uint32_t>(placement.height));
  }
  if (kept.state) {
    ok &= key.WriteDword(kState, static_cast<uint32_t>(placement.state));
  }
  return key.Store()->Flush() && ok;
}

WindowPlacement RestoreWindowPlacement(const RegistryKey& programKey, const QString& windowName, BorderStyle style,
                                       bool hasMaximizeButton, int32_t minimumWidth, int32_t minimumHeight,
                                       const WindowPlacement& current) {
  WindowPlacement placement = current;
  const RegistryKey key = programKey.OpenSubKey(WindowKeyName(windowName), RegistryAccess::Read);
  if (!key.IsOpen()) return placement;
  const Kept kept = KeptFor(style);
  auto read = [&](const QString& name, int32_t& field) {
    if (const auto value = key.ReadDword(name)) field = static_cast<int32_t>(*value);
  };
  if (kept.position) {
    read(kLeft, placement.left);
    read(kTop, placement.top);
  }
  if (kept.size) {
    read(kWidth, placement.width);
    read(kHeight, placement.height);
    placement.width = std::max(placement.width, minimumWidth);
    placement.height = std::max(placement.height, minimumHeight);
  }
  if (kept.state) {
    int32_t state = 0;
    read(kState, state);
    placement.state =
        state == 2 && hasMaximizeButton ? WindowShowState::Maximized : WindowShowState::Normal;
  }
  return placement;
}

QPoint PlaceCaptionOnScreen(const QRect& captionStrip, const std::vector<ScreenArea>& screens) {
  for (const ScreenArea& screen : screens)
    if (screen.geometry.intersects(captionStrip)) return captionStrip.topLeft();
  const ScreenArea* nearest = nullptr;
  double nearestDistance = std::numeric_limits<double>::infinity();
  for (const ScreenArea& screen : screens) {
    // The gap between the two rectangles along each axis (0 when they overlap on it).
    const QRect& g = screen.geometry;
    const double dx = std::max({0, g.left() - captionStrip.right(), captionStrip.left() - g.right()});
    const double dy = std::max({0, g.top() - captionStrip.bottom(), captionStrip.top() - g.bottom()});
    const double distance = std::hypot(dx, dy);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = &screen;
    }
  }
  return nearest == nullptr ? QPoint(0, 0) : nearest->workArea.topLeft();
}

WindowPlacement KeepCaptionOnScreen(const WindowPlacement& placement, int captionHeightPixels, double twipsPerPixel,
                                    const std::vector<ScreenArea>& screens) {
  if (twipsPerPixel <= 0) return placement;
  auto pixels = [&](int32_t twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); };
  const QRect strip(pixels(placement.left), pixels(placement.top), std::max(1, pixels(placement.width)),
                    std::max(1, captionHeightPixels));
  const QPoint corner = PlaceCaptionOnScreen(strip, screens);
  if (corner == strip.topLeft()) return placement;
  WindowPlacement moved = placement;
  moved.left = static_cast<int32_t>(std::lround(corner.x() * twipsPerPixel));
  moved.top = static_cast<int32_t>(std::lround(corner.y() * twipsPerPixel));
  return moved;
}

int32_t ReadFlexTotalHeight(const RegistryKey& programKey, int32_t designHeight) {
  const RegistryKey key = programKey.OpenSubKey(WindowKeyName(QStringLiteral("Navigator")), RegistryAccess::Read);
  const auto value = key.ReadDword(QStringLiteral("Flex Total Height"));
  return value ? static_cast<int32_t>(*value) : designHeight;
}

bool WriteFlexTotalHeight(const RegistryKey& programKey, const Policies& policies, int32_t height) {
  if (policies.noSaveSettings) return false;
  const RegistryKey key = programKey.OpenSubKey(WindowKeyName(QStringLiteral("Navigator")), RegistryAccess::Write);
  if (!key.IsOpen()) return false;
  const bool ok = key.WriteDword(QStringLiteral("Flex Total Height"), static_cast<uint32_t>(height));
  return key.Store()->Flush() && ok;
}

}  // namespace kvf
