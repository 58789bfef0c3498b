#include "platform/metafile/MetafileRecords.h"

#include <QImage>

#include <cstring>

namespace kvf::platform::metafile_records {

void ByteSink::F32(float value) {
  uint32_t bits = 0;
  static_assert(sizeof bits == sizeof value);
  std::memcpy(&bits, &value, sizeof bits);
  U32(bits);
}

void ByteSink::PatchU16(qsizetype offset, uint16_t value) {
  Q_ASSERT(offset >= 0 && offset + 2 <= data_.size());
  data_[offset] = static_cast<char>(value & 0xFF);
  data_[offset + 1] = static_cast<char>(value >> 8);
}

void ByteSink::PatchU32(qsizetype offset, uint32_t value) {
  Q_ASSERT(offset >= 0 && offset + 4 <= data_.size());
  for (int i = 0; i < 4; ++i) data_[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

int GdiObjectTable::LowestFreeSlot() const {
  for (int i = 0; i < slotUsed_.size(); ++i)
    if (!slotUsed_[i]) return i;
  return static_cast<int>(slotUsed_.size());
}

GdiObjectTable::Acquired GdiObjectTable::Acquire(Kind kind, const QByteArray& key) {
  Acquired result;
  auto found = entries_.find(key);
  if (found != entries_.end()) {
    found->lastUse = ++clock_;
    result.slot = found->slot;
    return result;
  }
  if (entries_.size() >= capacity_) {
    auto oldest = entries_.end();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it.key() == selected_[it->kind] || it.key() == saved_[it->kind]) continue;
      if (oldest == entries_.end() || it->lastUse < oldest->lastUse) oldest = it;
    }
    if (oldest != entries_.end()) {
      result.deleteSlot = oldest->slot;
      slotUsed_[oldest->slot] = false;
      entries_.erase(oldest);
    }
  }
  const int slot = LowestFreeSlot();
  if (slot == slotUsed_.size()) slotUsed_.append(false);
  slotUsed_[slot] = true;
  entries_.insert(key, Entry{kind, slot, ++clock_});
  highWater_ = std::max(highWater_, static_cast<int>(entries_.size()));
  result.slot = slot;
  result.create = true;
  return result;
}

void GdiObjectTable::Save() {
  for (int kind = 0; kind < 3; ++kind) saved_[kind] = selected_[kind];
}

void GdiObjectTable::Restore() {
  for (int kind = 0; kind < 3; ++kind) {
    selected_[kind] = saved_[kind];
    saved_[kind].clear();
  }
}

QVector<int> GdiObjectTable::TakeLiveSlots() {
  QVector<int> live;
  for (int i = 0; i < slotUsed_.size(); ++i)
    if (slotUsed_[i]) live.append(i);
  entries_.clear();
  slotUsed_.clear();
  for (QByteArray& key : selected_) key.clear();
  for (QByteArray& key : saved_) key.clear();
  return live;
}

QByteArray PenKey(int style, int width, uint32_t colorRef) {
  return QByteArray("P") + QByteArray::number(style) + ',' + QByteArray::number(width) + ',' +
         QByteArray::number(colorRef);
}

QByteArray BrushKey(bool solid, uint32_t colorRef) {
  return solid ? QByteArray("B") + QByteArray::number(colorRef) : QByteArray("B-");
}

QByteArray FontKey(const QString& family, int height, int weight, bool italic, bool underline, bool strikeOut) {
  return QByteArray("F") + QByteArray::number(height) + ',' + QByteArray::number(weight) + ',' +
         (italic ? '1' : '0') + (underline ? '1' : '0') + (strikeOut ? '1' : '0') + family.toUtf8();
}

int GdiPenStyle(int qtPenStyle) {
  switch (qtPenStyle) {
    case Qt::NoPen: return kPsNull;
    case Qt::DashLine: return 1;
    case Qt::DotLine: return 2;
    case Qt::DashDotLine: return 3;
    case Qt::DashDotDotLine: return 4;
    default: return kPsSolid;
  }
}

QByteArray DibBits24(const QImage& image) {
  const QImage source = image.convertToFormat(QImage::Format_ARGB32);
  const int width = source.width();
  const int height = source.height();
  const qsizetype stride = (static_cast<qsizetype>(width) * 3 + 3) & ~qsizetype{3};
  QByteArray bits(stride * height, '\0');
  for (int y = 0; y < height; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(height - 1 - y));
    char* out = bits.data() + stride * y;
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = line[x];
      const int alpha = qAlpha(pixel);
      auto blend = [alpha](int channel) { return (channel * alpha + 255 * (255 - alpha) + 127) / 255; };
      out[3 * x] = static_cast<char>(blend(qBlue(pixel)));
      out[3 * x + 1] = static_cast<char>(blend(qGreen(pixel)));
      out[3 * x + 2] = static_cast<char>(blend(qRed(pixel)));
    }
  }
  return bits;
}

}  // namespace kvf::platform::metafile_records
