#include "app/output/MiniOverviewSizing.h"

#include <algorithm>

namespace kvf::app {

QSize MiniOverviewClientSize(QSize current, QSize sheet, QSize bars) {
  const int wantedWidth = sheet.width() + 2;
  const int wantedHeight = sheet.height() + 2;
  if (current.width() < wantedWidth) return {current.width(), std::min(current.height(), wantedHeight + bars.height())};
  if (current.height() < wantedHeight) return {std::min(current.width(), wantedWidth + bars.width()), current.height()};
  return {wantedWidth, wantedHeight};
}

}  // namespace kvf::app
