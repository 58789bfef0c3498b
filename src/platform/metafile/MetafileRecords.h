#pragma once
// Building blocks shared by the EMF and the WMF writer: a little-endian
// byte sink and the table of GDI objects a metafile creates, selects and
// deletes.
#include <QByteArray>
#include <QHash>
#include <QRgb>
#include <QString>
#include <QVector>

#include <cstdint>

class QImage;

namespace kvf::platform::metafile_records {

// Appends little-endian values to a byte array.
class ByteSink {
 public:
  qsizetype Size() const { return data_.size(); }
  const QByteArray& Data() const { return data_; }
  QByteArray Take() { return std::move(data_); }

  void U8(uint8_t value) { data_.append(static_cast<char>(value)); }
  void U16(uint16_t value) {
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
  }
  void U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
  }
  void I16(int16_t value) { U16(static_cast<uint16_t>(value)); }
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void F32(float value);
  void Zeros(int count) { data_.append(count, '\0'); }
  void Bytes(const QByteArray& bytes) { data_.append(bytes); }
  // Pads with zero bytes to a multiple of alignment.
  void Align(int alignment) {
    while (data_.size() % alignment != 0) U8(0);
  }
  void PatchU16(qsizetype offset, uint16_t value);
  void PatchU32(qsizetype offset, uint32_t value);

 private:
  QByteArray data_;
};

// A Windows COLORREF (0x00bbggrr) of an RGB colour.
inline uint32_t ColorRef(QRgb color) {
  return static_cast<uint32_t>(qRed(color)) | (static_cast<uint32_t>(qGreen(color)) << 8) |
         (static_cast<uint32_t>(qBlue(color)) << 16);
}

// The GDI objects a metafile has created. Each lives in a slot; a new one
// takes the lowest free slot (as Windows metafile players assign them).
// Objects are kept for reuse up to a capacity; when it is reached the
// least recently used object that is not selected is deleted first.
class GdiObjectTable {
 public:
  enum Kind { kPen = 0, kBrush = 1, kFont = 2 };

  // REQUIRES: capacity >= 7 (the objects selected now and in a saved
  // context, one of each kind, are never evicted).
  explicit GdiObjectTable(int capacity) : capacity_(capacity) {}

  // What the writer must do to have the object with this key available.
  struct Acquired {
    int slot = -1;         // the object's slot
    bool create = false;   // write its creation record (it goes to slot)
    int deleteSlot = -1;   // before creating, write a deletion of this slot
  };
  Acquired Acquire(Kind kind, const QByteArray& key);

  // The key selected for a kind, empty when a stock or no object is.
  const QByteArray& Selected(Kind kind) const { return selected_[kind]; }
  void SetSelected(Kind kind, const QByteArray& key) { selected_[kind] = key; }

  // While a device context is saved, the objects selected in it must not be
  // deleted: Save() pins them, Restore() selects them again and unpins.
  void Save();
  void Restore();

  // Slots still holding objects, in ascending order; empties the table.
  QVector<int> TakeLiveSlots();

  // The most slots in use at once.
  int HighWater() const { return highWater_; }

 private:
  struct Entry {
    Kind kind;
    int slot;
    uint64_t lastUse;
  };
  int LowestFreeSlot() const;

  int capacity_;
  QHash<QByteArray, Entry> entries_;
  QVector<bool> slotUsed_;
  QByteArray selected_[3];
  QByteArray saved_[3];
  uint64_t clock_ = 0;
  int highWater_ = 0;
};

// Keys identifying equal objects.
QByteArray PenKey(int style, int width, uint32_t colorRef);
QByteArray BrushKey(bool solid, uint32_t colorRef);
QByteArray FontKey(const QString& family, int height, int weight, bool italic, bool underline, bool strikeOut);

// GDI constants both formats share.
constexpr int kPsSolid = 0;
constexpr int kPsNull = 5;
constexpr int kBsSolid = 0;
constexpr int kBsNull = 1;
constexpr int kTransparent = 1;
constexpr int kAlternate = 1;
constexpr int kWinding = 2;
constexpr int kTaBaseline = 24;
constexpr int kDefaultCharset = 1;
constexpr uint32_t kPatCopy = 0x00F00021;
constexpr uint32_t kSrcCopy = 0x00CC0020;
// The largest size a record or a whole file may have (32-bit fields).
constexpr qsizetype kMaxMetafileBytes = 0xFFFFFFFFLL;
// Objects a writer keeps for reuse before it deletes the least recent.
constexpr int kObjectCacheSize = 64;

// The GDI dash style of a pen style.
int GdiPenStyle(int qtPenStyle);

// The rows of a device-independent bitmap, 24 bits per pixel, bottom-up,
// each padded to 4 bytes; translucent pixels are blended onto white.
QByteArray DibBits24(const QImage& image);

}  // namespace kvf::platform::metafile_records
