#pragma once
// Window placements kept in "Windows\<name>": position and size in twips and
// the window state. What is kept depends on the window's border style.
//
// Save (skipped under NoSaveSettings):
//   none, fixed dialog, fixed tool window: WLeft, WTop
//   fixed single: WLeft and WTop when in normal state, and WState
//   sizable: normal: WLeft, WTop, WWidth, WHeight, WState 0; maximized: WState 2 only;
//            minimized: nothing
//   sizable tool window: WLeft, WTop, WWidth, WHeight
// Restore reads the same values for the style (a missing value keeps the
// window's own), raises the size to the minimum, and turns a stored WState
// into normal unless it is 2 on a window with a maximize button.
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

#include "core/settings/ProgramKey.h"

namespace kvf {

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog, FixedToolWindow, SizableToolWindow };

enum class WindowShowState : int32_t { Normal = 0, Minimized = 1, Maximized = 2 };

struct WindowPlacement {
  int32_t left = 0;  // twips
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  WindowShowState state = WindowShowState::Normal;
};

// "Windows\" + name.
QString WindowKeyName(const QString& windowName);

// Writes what the border style keeps. False when skipped or refused.
bool SaveWindowPlacement(const platform::RegistryKey& programKey, const Policies& policies, const QString& windowName,
                         BorderStyle style, const WindowPlacement& placement);

// current: the window's placement as designed; returned with the stored
// values read over it. Nothing changes when the key is missing.
WindowPlacement RestoreWindowPlacement(const platform::RegistryKey& programKey, const QString& windowName,
                                       BorderStyle style, bool hasMaximizeButton, int32_t minimumWidth,
                                       int32_t minimumHeight, const WindowPlacement& current);

// One screen: its whole area and its work area (without panels), in pixels.
struct ScreenArea {
  QRect geometry;
  QRect workArea;
};

// Where a window goes whose caption strip (its left, top, width and caption
// height, in pixels) is given: the same place when the strip touches any
// screen, else the top-left corner of the work area of the screen nearest to
// the strip; (0, 0) when there is no screen.
QPoint PlaceCaptionOnScreen(const QRect& captionStrip, const std::vector<ScreenArea>& screens);

// The placement moved so that its caption lies on a screen: converts the
// twips to pixels (twipsPerPixel, 15 at 96 dpi), checks, and converts back.
WindowPlacement KeepCaptionOnScreen(const WindowPlacement& placement, int captionHeightPixels, double twipsPerPixel,
                                    const std::vector<ScreenArea>& screens);

// The navigator's flex-total list height ("Windows\Navigator", "Flex Total
// Height"): the stored value, else designHeight.
int32_t ReadFlexTotalHeight(const platform::RegistryKey& programKey, int32_t designHeight);
bool WriteFlexTotalHeight(const platform::RegistryKey& programKey, const Policies& policies, int32_t height);

}  // namespace kvf
