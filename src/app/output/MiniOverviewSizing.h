#pragma once
// The size a mini-overview window takes when it is filled: the sheet plus
// the two-pixel frame fits exactly when it can, and the window is never
// enlarged.
//   1. Narrower than wanted (a horizontal bar will show): the width stays;
//      the height shrinks to the wanted height plus the bar, never grows.
//   2. Else lower than wanted (a vertical bar will show): the height stays;
//      the width shrinks to the wanted width plus the bar, never grows.
//   3. Else exactly the wanted size.
// Sizes are the window's client area in pixels (the frame around it adds
// the same on both sides of every comparison).
#include <QSize>

namespace kvf::app {

// current: the client size now; sheet: the sheet's pixels; bars: the
// vertical bar's width and the horizontal bar's height.
QSize MiniOverviewClientSize(QSize current, QSize sheet, QSize bars);

}  // namespace kvf::app
