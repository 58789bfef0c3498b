#include "platform/metafile/MetafileTestReader.h"

#include <QHash>

#include <algorithm>
#include <tuple>

namespace kvf::platform::testing {

namespace {

// Bounds-checked little-endian reads; a read past the end sets failed.
class Cursor {
 public:
  explicit Cursor(const QByteArray& data) : data_(data) {}
  bool failed = false;

  uint32_t U8(qsizetype at) { return Fits(at, 1) ? static_cast<uint8_t>(data_[at]) : 0; }
  uint32_t U16(qsizetype at) { return Fits(at, 2) ? U8(at) | (U8(at + 1) << 8) : 0; }
  uint32_t U32(qsizetype at) { return Fits(at, 4) ? U16(at) | (U16(at + 2) << 16) : 0; }
  int16_t I16(qsizetype at) { return static_cast<int16_t>(U16(at)); }
  int32_t I32(qsizetype at) { return static_cast<int32_t>(U32(at)); }
  QByteArray Bytes(qsizetype at, qsizetype count) { return Fits(at, count) ? data_.mid(at, count) : QByteArray(); }
  QString Utf16(qsizetype at, qsizetype count) {  // little-endian, as the machines the tests run on
    const QByteArray bytes = Bytes(at, 2 * count);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
  }
  uint32_t Size() const { return static_cast<uint32_t>(data_.size()); }

 private:
  bool Fits(qsizetype at, qsizetype count) {
    failed = failed || at < 0 || count < 0 || at > data_.size() - count;
    return at >= 0 && count >= 0 && at <= data_.size() - count;
  }
  const QByteArray& data_;
};

enum class Kind { Pen, Brush, Font };

struct Object {
  Kind kind = Kind::Pen;
  bool null = false;  // null pen or brush
  uint32_t colorRef = 0;
  ReadFont font;
};

// Selected objects and text state.
struct DeviceState {
  Object pen{Kind::Pen, false, 0, {}};
  Object brush{Kind::Brush, false, 0x00FFFFFF, {}};
  Object font{Kind::Font, false, 0, {}};
  uint32_t textColor = 0;
  int textAlign = 0, backgroundMode = 2;
  bool clipped = false;
  QRect clip;

  void Select(const Object& object) { (object.kind == Kind::Pen ? pen : object.kind == Kind::Brush ? brush : font) = object; }
};

// Plays the records of either format: the object table, saved contexts,
// the end record and what fills and texts draw with. The formats decode
// their records and call in here.
class Player {
 public:
  Player(const QByteArray& file, ReadPicture& out) : in(file), out_(out) {}
  Cursor in;
  DeviceState dc;

  void Fail(const QString& what, uint32_t at) {
    if (out_.error.isEmpty()) out_.error = QStringLiteral("%1 at offset %2").arg(what).arg(at);
  }

  // Walks the records from start; header(at) gives a record's type and size
  // in bytes (size 0 when it cannot be one), play(type, at, size) decodes it.
  template <typename Header, typename Play>
  void Walk(uint32_t start, uint32_t endType, Header header, Play play) {
    for (uint32_t at = start; at < in.Size() && out_.error.isEmpty();) {
      const auto [type, size] = header(at);
      if (size == 0) return Fail(QStringLiteral("bad record size"), at);
      if (sawEnd_) return Fail(QStringLiteral("record after the end record"), at);
      out_.records.append({type, size});
      if (type == endType) {
        sawEnd_ = true;
        if (!saved_.isEmpty()) Fail(QStringLiteral("saved context never restored"), at);
      }
      play(type, at, size);
      at += size;
    }
    if (in.failed) Fail(QStringLiteral("read past the end"), in.Size());
    if (!sawEnd_) Fail(QStringLiteral("no end record"), in.Size());
    out_.objectsAliveAtEnd = static_cast<int>(table_.size());
  }

  uint32_t LowestFreeSlot() const {
    for (uint32_t slot = 0;; ++slot)
      if (!table_.contains(slot)) return slot;
  }
  void Create(uint32_t slot, const Object& object, uint32_t at) {
    if (table_.contains(slot)) Fail(QStringLiteral("object %1 created twice").arg(slot), at);
    table_.insert(slot, object);
    if (object.kind == Kind::Font) out_.fontsCreated.append(object.font);
    out_.createdSlots.append(static_cast<int>(slot));
    out_.mostObjectsAlive = std::max(out_.mostObjectsAlive, static_cast<int>(table_.size()));
  }
  void Select(uint32_t slot, uint32_t at) {
    if (!table_.contains(slot)) return Fail(QStringLiteral("selection of unknown object %1").arg(slot), at);
    dc.Select(table_[slot]);
  }
  void Delete(uint32_t slot, uint32_t at) {
    if (!table_.remove(slot)) Fail(QStringLiteral("deletion of unknown object %1").arg(slot), at);
  }
  void Save() { saved_.append(dc); }
  void Restore(int relative, uint32_t at) {
    if (relative != -1 || saved_.isEmpty()) return Fail(QStringLiteral("restore without a saved context"), at);
    dc = saved_.takeLast();
  }
  void IntersectClip(const QRect& rect) {
    dc.clip = dc.clipped ? dc.clip.intersected(rect) : rect;
    dc.clipped = true;
  }
  void Fill(const QRect& rect) { out_.fills.append({rect, dc.brush.colorRef, dc.pen.null, dc.clipped, dc.clip}); }
  void Text(QPoint reference, const QString& text, const QByteArray& bytes, const QVector<int>& dx) {
    out_.texts.append({reference, text, bytes, dx, dc.font.font, dc.textColor, dc.textAlign, dc.backgroundMode,
                       dc.clipped, dc.clip});
  }
  void CountShape(bool shape) { out_.shapeRecords += shape ? 1 : 0; }

 private:
  ReadPicture& out_;
  QHash<uint32_t, Object> table_;
  QVector<DeviceState> saved_;
  bool sawEnd_ = false;
};

ReadFont TrimmedFace(ReadFont font) {
  return {font.height, font.weight, font.charset, font.face.section(QChar(0), 0, 0)};
}

}  // namespace

ReadEmf ReadEnhancedMetafile(const QByteArray& file) {
  ReadEmf emf;
  Player play(file, emf);
  Cursor& in = play.in;
  if (file.size() < 108 || in.U32(0) != 1) {
    emf.error = QStringLiteral("no EMR_HEADER");
    return emf;
  }
  auto rect = [&](uint32_t at) { return QRect(QPoint(in.I32(at), in.I32(at + 4)), QPoint(in.I32(at + 8), in.I32(at + 12))); };
  auto extent = [&](uint32_t at) { return QSize(in.I32(at), in.I32(at + 4)); };
  std::tie(emf.bounds, emf.frame, emf.signature, emf.bytes, emf.recordCount, emf.handles) =
      std::tuple(rect(8), rect(24), in.U32(40), in.U32(48), in.U32(52), static_cast<int>(in.U16(56)));
  std::tie(emf.devicePixels, emf.deviceMillimetres, emf.micrometres) = std::tuple(extent(72), extent(80), extent(100));
  const uint32_t descriptionChars = in.U32(60), descriptionOffset = in.U32(64);
  if (descriptionChars > 0 && (descriptionOffset < 88 || descriptionOffset + 2ull * descriptionChars > in.U32(4)))
    play.Fail(QStringLiteral("description outside the header record"), 0);
  else if (descriptionChars > 0)
    emf.description = in.Utf16(descriptionOffset, descriptionChars);

  auto header = [&](uint32_t at) {
    const uint32_t size = in.U32(at + 4);
    return std::pair(in.U32(at), size < 8 || size % 4 != 0 || size > in.Size() - at ? 0u : size);
  };
  play.Walk(0, 14, header, [&](uint32_t type, uint32_t at, uint32_t size) {
    const uint32_t handle = in.U32(at + 8);
    auto create = [&](const Object& object) {
      if (handle == 0 || static_cast<int>(handle) >= emf.handles)
        play.Fail(QStringLiteral("handle %1 outside the table of %2").arg(handle).arg(emf.handles), at);
      play.Create(handle, object, at);
    };
    switch (type) {
      case 1: if (at != 0) play.Fail(QStringLiteral("second header"), at); break;
      case 18: play.dc.backgroundMode = static_cast<int>(handle); break;
      case 22: play.dc.textAlign = static_cast<int>(handle); break;
      case 24: play.dc.textColor = handle; break;
      case 30: play.IntersectClip(rect(at + 8).adjusted(0, 0, -1, -1)); break;
      case 33: play.Save(); break;
      case 34: play.Restore(in.I32(at + 8), at); break;
      case 38: create({Kind::Pen, in.U32(at + 12) == 5, in.U32(at + 24), {}}); break;
      case 39: create({Kind::Brush, in.U32(at + 12) == 1, in.U32(at + 16), {}}); break;
      case 40: play.Delete(handle, at); break;
      case 82:
        if (size < 12 + 92) return play.Fail(QStringLiteral("short font record"), at);
        create({Kind::Font, false, 0,
                TrimmedFace({in.I32(at + 12), in.I32(at + 28), static_cast<int>(in.U8(at + 35)), in.Utf16(at + 40, 32)})});
        break;
      case 37: {
        // Stock objects: white (0), black and null brushes (4, 5); white, black and null pens (6..8); fonts (10..17).
        if (!(handle & 0x80000000u)) return play.Select(handle, at);
        const uint32_t stock = handle & 0x7FFFFFFFu;
        if (!QList<uint32_t>{0, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 16, 17}.contains(stock))
          return play.Fail(QStringLiteral("unknown stock object"), at);
        play.dc.Select({stock <= 5 ? Kind::Brush : stock <= 8 ? Kind::Pen : Kind::Font, stock == 5 || stock == 8,
                        stock == 0 || stock == 6 ? 0x00FFFFFFu : 0u, {}});
        break;
      }
      case 76:
        if (in.U32(at + 40) != 0x00F00021) return play.Fail(QStringLiteral("EMR_BITBLT other than PATCOPY"), at);
        if (play.dc.brush.null) play.Fail(QStringLiteral("fill with the null brush"), at);
        play.Fill(QRect(in.I32(at + 24), in.I32(at + 28), in.I32(at + 32), in.I32(at + 36)));
        break;
      case 84: {
        const uint32_t chars = in.U32(at + 44), stringOffset = in.U32(at + 48), dxOffset = in.U32(at + 72);
        if (chars > size || stringOffset + 2ull * chars > size || (dxOffset != 0 && dxOffset + 4ull * chars > size))
          return play.Fail(QStringLiteral("text outside its record"), at);
        QVector<int> dx;
        for (uint32_t i = 0; dxOffset != 0 && i < chars; ++i) dx.append(in.I32(at + dxOffset + 4 * i));
        play.Text(QPoint(in.I32(at + 36), in.I32(at + 40)), in.Utf16(at + stringOffset, chars), {}, dx);
        break;
      }
      default: play.CountShape(QList<uint32_t>{3, 4, 8, 42, 86, 87, 91}.contains(type));
    }
  });
  return emf;
}

ReadWmf ReadPlaceableMetafile(const QByteArray& file) {
  ReadWmf wmf;
  Player play(file, wmf);
  Cursor& in = play.in;
  if (file.size() < 22 + 18) {
    wmf.error = QStringLiteral("shorter than the headers");
    return wmf;
  }
  auto u16 = [&](uint32_t at) { return static_cast<uint16_t>(in.U16(at)); };
  std::tie(wmf.key, wmf.left, wmf.top, wmf.right, wmf.bottom, wmf.unitsPerInch, wmf.checksum) =
      std::tuple(in.U32(0), in.I16(6), in.I16(8), in.I16(10), in.I16(12), u16(14), u16(20));
  for (int i = 0; i < 20; i += 2) wmf.checksumOfWords ^= u16(i);
  std::tie(wmf.headerType, wmf.headerSize, wmf.version, wmf.sizeWords, wmf.numberOfObjects, wmf.maxRecordWords) =
      std::tuple(u16(22), u16(24), u16(26), in.U32(28), static_cast<int>(in.U16(32)), in.U32(34));

  auto header = [&](uint32_t at) {
    const uint32_t words = in.U32(at);
    wmf.largestRecordWords = std::max(wmf.largestRecordWords, words);
    return std::pair(in.U16(at + 4), words < 3 || words > (in.Size() - at) / 2 ? 0u : 2 * words);
  };
  play.Walk(40, 0x0000, header, [&](uint32_t function, uint32_t at, uint32_t size) {
    const uint32_t p = at + 6;  // first parameter
    switch (function) {
      case 0x001E: play.Save(); break;
      case 0x0127: play.Restore(in.I16(p), at); break;
      case 0x0416: play.IntersectClip(QRect(QPoint(in.I16(p + 6), in.I16(p + 4)), QPoint(in.I16(p + 2) - 1, in.I16(p) - 1))); break;
      case 0x0102: play.dc.backgroundMode = in.I16(p); break;
      case 0x012E: play.dc.textAlign = in.I16(p); break;
      case 0x0209: play.dc.textColor = in.U32(p); break;
      case 0x020C: wmf.windowExtent = QSize(in.I16(p + 2), in.I16(p)); break;
      case 0x02FA: play.Create(play.LowestFreeSlot(), {Kind::Pen, in.U16(p) == 5, in.U32(p + 6), {}}, at); break;
      case 0x02FC: play.Create(play.LowestFreeSlot(), {Kind::Brush, in.U16(p) == 1, in.U32(p + 2), {}}, at); break;
      case 0x02FB: {
        const QString face = QString::fromLatin1(in.Bytes(p + 18, std::min<qsizetype>(32, size - 24)));
        play.Create(play.LowestFreeSlot(),
                    {Kind::Font, false, 0, TrimmedFace({in.I16(p), in.I16(p + 8), static_cast<int>(in.U8(p + 13)), face})},
                    at);
        break;
      }
      case 0x012D: play.Select(in.U16(p), at); break;
      case 0x01F0: play.Delete(in.U16(p), at); break;
      case 0x041B: {
        // Without an outline a rectangle loses its right and bottom edge.
        const int shrink = play.dc.pen.null ? 1 : 0;
        if (!play.dc.brush.null)
          play.Fill(QRect(QPoint(in.I16(p + 6), in.I16(p + 4)), QPoint(in.I16(p + 2), in.I16(p)) - QPoint(1 + shrink, 1 + shrink)));
        break;
      }
      case 0x0A32: {
        const int length = in.I16(p + 4);
        const uint32_t stringAt = p + 8 + ((in.U16(p + 6) & 0x0006) ? 8 : 0);
        if (length < 0 || stringAt + length > at + size) return play.Fail(QStringLiteral("text outside its record"), at);
        const QByteArray bytes = in.Bytes(stringAt, length);
        const uint32_t dxAt = stringAt + ((length + 1) & ~1);
        QVector<int> dx;
        for (int i = 0; dxAt + 2u * length <= at + size && i < length; ++i) dx.append(in.I16(dxAt + 2 * i));
        play.Text(QPoint(in.I16(p + 2), in.I16(p)), QString::fromLatin1(bytes), bytes, dx);
        break;
      }
      default: play.CountShape(QList<uint32_t>{0x0324, 0x0325, 0x0418, 0x0538}.contains(function));
    }
  });
  return wmf;
}

}  // namespace kvf::platform::testing
