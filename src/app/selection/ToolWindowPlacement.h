#pragma once
// Placement of the navigator and the detail window: restored from
// "Windows\<name>" when the window is made, stored when it closes, as a
// sizable tool window (position and size in twips).
#include <QString>
#include <QWidget>
#include <cstdint>

#include "core/settings/ProgramKey.h"
#include "platform/registry/RegistryKey.h"

namespace kvf::app {

// Twips per pixel of the widget's screen (15 at 96 dpi).
double TwipsPerPixelOf(const QWidget* widget);

// Reads the stored placement over the widget's current geometry, raises the
// size to the minimum (twips) and keeps the caption on a screen. Returns
// whether a position was stored.
bool RestoreToolWindowPlacement(QWidget* window, const platform::RegistryKey& programKey, const QString& name,
                                int32_t minimumWidthTwips, int32_t minimumHeightTwips);
// Stores the widget's geometry (skipped under NoSaveSettings).
void SaveToolWindowPlacement(const QWidget* window, const platform::RegistryKey& programKey, const Policies& policies,
                             const QString& name);

}  // namespace kvf::app
