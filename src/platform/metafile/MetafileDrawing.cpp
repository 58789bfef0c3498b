#include "platform/metafile/MetafileDrawing.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace kvf::platform {

MetafileReference MetafileReference::ForResolution(int dpiX, int dpiY) {
  MetafileReference reference;
  reference.pixels = QSize(dpiX * 20, dpiY * 15);
  reference.millimetres = QSize(508, 381);
  reference.logicalDpiX = dpiX;
  reference.logicalDpiY = dpiY;
  return reference;
}

MetafileReference MetafileReference::ForScreen(const QScreen* screen) {
  // The headless platforms invent a screen; pictures made there (the
  // command line, tests) get the fixed 96-dpi reference instead.
  const QString platform = QGuiApplication::platformName();
  if (!screen || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
    return ForResolution(96, 96);
  const QSize pixels = screen->size();
  const QSizeF millimetres = screen->physicalSize();
  const int logicalX = static_cast<int>(std::lround(screen->logicalDotsPerInchX()));
  const int logicalY = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
  if (pixels.isEmpty() || millimetres.width() < 1 || millimetres.height() < 1 || logicalX <= 0 || logicalY <= 0)
    return ForResolution(96, 96);
  MetafileReference reference;
  reference.pixels = pixels;
  reference.millimetres = QSize(static_cast<int>(std::lround(millimetres.width())),
                                static_cast<int>(std::lround(millimetres.height())));
  reference.logicalDpiX = logicalX;
  reference.logicalDpiY = logicalY;
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

int MetafileReference::PhysicalDpiX() const { return Dpi(pixels.width(), millimetres.width()); }
int MetafileReference::PhysicalDpiY() const { return Dpi(pixels.height(), millimetres.height()); }

QSize MetafileReference::HundredthsOfMillimetre(const QSize& sizePixels) const {
  return QSize(Hundredths(sizePixels.width(), millimetres.width(), pixels.width()),
               Hundredths(sizePixels.height(), millimetres.height(), pixels.height()));
}

QRect MetafileBounds(const QSize& size) { return QRect(QPoint(0, 0), size); }

}  // namespace kvf::platform
