#include "platform/metafile/MetafilePaintDevice.h"

#include <QSaveFile>

#include <cmath>

#include "platform/metafile/EmfWriter.h"
#include "platform/metafile/MetafilePaintEngine.h"
#include "platform/metafile/WmfWriter.h"

namespace kvf::platform {

MetafilePaintDevice::MetafilePaintDevice(const QSize& sizePixels, const MetafileReference& reference)
    : reference_(reference) {
  drawing_.size = QSize(std::max(0, sizePixels.width()), std::max(0, sizePixels.height()));
}

MetafilePaintDevice::~MetafilePaintDevice() = default;

QPaintEngine* MetafilePaintDevice::paintEngine() const {
  if (!engine_) {
    auto* self = const_cast<MetafilePaintDevice*>(this);
    engine_ = std::make_unique<MetafilePaintEngine>(&self->drawing_, reference_.logicalDpiY > 0 ? reference_.logicalDpiY : 96);
  }
  return engine_.get();
}

int MetafilePaintDevice::metric(PaintDeviceMetric metric) const {
  const QSize millimetres = reference_.HundredthsOfMillimetre(drawing_.size);
  switch (metric) {
    case PdmWidth: return drawing_.size.width();
    case PdmHeight: return drawing_.size.height();
    case PdmWidthMM: return static_cast<int>(std::lround(millimetres.width() / 100.0));
    case PdmHeightMM: return static_cast<int>(std::lround(millimetres.height() / 100.0));
    case PdmNumColors: return 16777216;
    case PdmDepth: return 32;
    case PdmDpiX: return reference_.logicalDpiX > 0 ? reference_.logicalDpiX : 96;
    case PdmDpiY: return reference_.logicalDpiY > 0 ? reference_.logicalDpiY : 96;
    case PdmPhysicalDpiX: return reference_.PhysicalDpiX();
    case PdmPhysicalDpiY: return reference_.PhysicalDpiY();
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
  }
  return QPaintDevice::metric(metric);
}

MetafileSaveResult MetafilePaintDevice::SaveBytes(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {MetafileError::WriteFailed, file.errorString()};
  if (file.write(bytes) != bytes.size()) {
    const QString message = file.errorString();
    file.cancelWriting();
    return {MetafileError::WriteFailed, message};
  }
  if (!file.commit()) return {MetafileError::WriteFailed, file.errorString()};
  return {};
}

EmfPaintDevice::EmfPaintDevice(const QSize& sizePixels, const QString& projectName,
                               const MetafileReference& reference)
    : MetafilePaintDevice(sizePixels, reference),
      description_(QString::fromLatin1(kMetafileApplicationTitle) + QChar(0) + projectName + QChar(0)) {}

QByteArray EmfPaintDevice::ToBytes() const { return WriteEmf(Drawing(), Reference(), description_); }

MetafileSaveResult EmfPaintDevice::Save(const QString& path) const {
  const QByteArray bytes = ToBytes();
  if (bytes.isEmpty()) return {MetafileError::TooLarge, {}};
  return SaveBytes(path, bytes);
}

WmfPaintDevice::WmfPaintDevice(const QSize& sizePixels, const MetafileReference& reference)
    : MetafilePaintDevice(sizePixels, reference) {}

bool WmfPaintDevice::CanHold(const QSize& sizePixels) {
  return sizePixels.width() <= kWmfMaxSide && sizePixels.height() <= kWmfMaxSide;
}

QByteArray WmfPaintDevice::ToBytes() const {
  if (!CanHold(Size())) return {};
  return WritePlaceableWmf(Drawing());
}

MetafileSaveResult WmfPaintDevice::Save(const QString& path) const {
  const QByteArray bytes = ToBytes();
  if (bytes.isEmpty()) return {MetafileError::TooLarge, {}};
  return SaveBytes(path, bytes);
}

}  // namespace kvf::platform
