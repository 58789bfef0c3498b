#include "platform/metafile/MetafileDrawing.h"

#include <cmath>

namespace kvf::platform {

MetafileReference MetafileReference::ForResolution(int dpiX, int dpiY) {
  MetafileReference reference;
  reference.pixels = QSize(dpiX * 20, dpiY * 15);
  reference.millimetres = QSize(508, 381);
  return reference;
}

namespace {

int Dpi(int pixels, int millimetres) {
  if (pixels <= 0 || millimetres <= 0) return 96;
  return static_cast<int>(std::lround(pixels * 25.4 / millimetres));
}

int Hundredths(int size, int millimetres, int pixels) {
  if (pixels <= 0) return 0;
  return static_cast<int>(std::lround(static_cast<double>(millimetres) * size * 100.0 / pixels));
}

}  // namespace

int MetafileReference::DpiX() const { return Dpi(pixels.width(), millimetres.width()); }
int MetafileReference::DpiY() const { return Dpi(pixels.height(), millimetres.height()); }

QSize MetafileReference::HundredthsOfMillimetre(const QSize& sizePixels) const {
  return QSize(Hundredths(sizePixels.width(), millimetres.width(), pixels.width()),
               Hundredths(sizePixels.height(), millimetres.height(), pixels.height()));
}

QRect MetafileBounds(const QSize& size) { return QRect(QPoint(0, 0), size); }

}  // namespace kvf::platform
