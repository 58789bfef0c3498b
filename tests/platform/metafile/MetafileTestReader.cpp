#include "platform/metafile/MetafileTestReader.h"

#include <QHash>

#include <optional>

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
  QString Utf16(qsizetype at, qsizetype count) {
    QString text;
    if (count < 0 || !Fits(at, 2 * count)) return text;
    for (qsizetype i = 0; i < count; ++i) text.append(QChar(static_cast<char16_t>(U16(at + 2 * i))));
    return text;
  }
  QByteArray Bytes(qsizetype at, qsizetype count) {
    if (count < 0 || !Fits(at, count)) return {};
    return data_.mid(at, count);
  }

 private:
  bool Fits(qsizetype at, qsizetype count) {
    if (at < 0 || count < 0 || at > data_.size() - count) {
      failed = true;
      return false;
    }
    return true;
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

// Selected objects and text state while playing a metafile.
struct DeviceState {
  Object pen{Kind::Pen, false, 0, {}};
  Object brush{Kind::Brush, false, 0x00FFFFFF, {}};
  Object font{Kind::Font, false, 0, {}};
  uint32_t textColor = 0;
  int textAlign = 0;
  int backgroundMode = 2;
  bool clipped = false;
  QRect clip;

  void IntersectClip(const QRect& rect) {
    clip = clipped ? clip.intersected(rect) : rect;
    clipped = true;
  }

  // A text record's run with the state it is drawn in.
  ReadText Run(QPoint reference) const {
    ReadText text;
    text.reference = reference;
    text.font = font.font;
    text.colorRef = textColor;
    text.textAlign = textAlign;
    text.backgroundMode = backgroundMode;
    text.clipped = clipped;
    text.clip = clip;
    return text;
  }

  void Select(const Object& object) {
    if (object.kind == Kind::Pen) pen = object;
    if (object.kind == Kind::Brush) brush = object;
    if (object.kind == Kind::Font) font = object;
  }
};

QString Fail(const QString& what, uint32_t offset) { return QStringLiteral("%1 at offset %2").arg(what).arg(offset); }

}  // namespace

ReadEmf ReadEnhancedMetafile(const QByteArray& file) {
  ReadEmf emf;
  Cursor in(file);
  if (file.size() < 108 || in.U32(0) != 1) {
    emf.error = QStringLiteral("no EMR_HEADER");
    return emf;
  }
  emf.bounds = QRect(QPoint(in.I32(8), in.I32(12)), QPoint(in.I32(16), in.I32(20)));
  emf.frame = QRect(QPoint(in.I32(24), in.I32(28)), QPoint(in.I32(32), in.I32(36)));
  emf.signature = in.U32(40);
  emf.bytes = in.U32(48);
  emf.recordCount = in.U32(52);
  emf.handles = static_cast<int>(in.U16(56));
  const uint32_t descriptionChars = in.U32(60);
  const uint32_t descriptionOffset = in.U32(64);
  emf.devicePixels = QSize(in.I32(72), in.I32(76));
  emf.deviceMillimetres = QSize(in.I32(80), in.I32(84));
  emf.micrometres = QSize(in.I32(100), in.I32(104));
  if (descriptionChars > 0) {
    if (descriptionOffset < 88 || descriptionOffset + 2ull * descriptionChars > in.U32(4))
      emf.error = QStringLiteral("description outside the header record");
    else
      emf.description = in.Utf16(descriptionOffset, descriptionChars);
  }

  QHash<uint32_t, Object> table;
  DeviceState dc;
  QVector<DeviceState> saved;
  uint32_t offset = 0;
  bool sawEof = false;
  auto select = [&](uint32_t handle, uint32_t at) {
    if (handle & 0x80000000u) {
      switch (handle & 0x7FFFFFFFu) {
        case 0: dc.Select({Kind::Brush, false, 0x00FFFFFF, {}}); return;
        case 4: dc.Select({Kind::Brush, false, 0, {}}); return;
        case 5: dc.Select({Kind::Brush, true, 0, {}}); return;
        case 6: dc.Select({Kind::Pen, false, 0x00FFFFFF, {}}); return;
        case 7: dc.Select({Kind::Pen, false, 0, {}}); return;
        case 8: dc.Select({Kind::Pen, true, 0, {}}); return;
        case 10: case 11: case 12: case 13: case 14: case 16: case 17:
          dc.Select({Kind::Font, false, 0, {}});
          return;
        default: emf.error = Fail("unknown stock object", at); return;
      }
    }
    if (!table.contains(handle)) {
      emf.error = Fail(QStringLiteral("selection of unknown handle %1").arg(handle), at);
      return;
    }
    dc.Select(table[handle]);
  };
  auto create = [&](uint32_t handle, const Object& object, uint32_t at) {
    if (handle == 0 || static_cast<int>(handle) >= emf.handles)
      emf.error = Fail(QStringLiteral("handle %1 outside the table of %2").arg(handle).arg(emf.handles), at);
    else if (table.contains(handle))
      emf.error = Fail(QStringLiteral("handle %1 created twice").arg(handle), at);
    table.insert(handle, object);
    emf.createdSlots.append(static_cast<int>(handle));
    emf.mostObjectsAlive = std::max(emf.mostObjectsAlive, static_cast<int>(table.size()));
  };

  while (offset < static_cast<uint32_t>(file.size()) && emf.error.isEmpty()) {
    const uint32_t type = in.U32(offset);
    const uint32_t size = in.U32(offset + 4);
    if (size < 8 || size % 4 != 0 || size > static_cast<uint32_t>(file.size()) - offset) {
      emf.error = Fail(QStringLiteral("bad record size %1").arg(size), offset);
      break;
    }
    if (sawEof) {
      emf.error = Fail("record after EMR_EOF", offset);
      break;
    }
    emf.records.append({type, offset, size});
    const uint32_t at = offset;
    switch (type) {
      case 1:
        if (offset != 0) emf.error = Fail("second header", at);
        break;
      case 14:
        sawEof = true;
        if (!saved.isEmpty()) emf.error = Fail("saved context never restored", at);
        break;
      case 30:
        dc.IntersectClip(QRect(QPoint(in.I32(at + 8), in.I32(at + 12)), QPoint(in.I32(at + 16) - 1, in.I32(at + 20) - 1)));
        break;
      case 33:
        saved.append(dc);
        break;
      case 34:
        if (in.I32(at + 8) != -1 || saved.isEmpty())
          emf.error = Fail("restore without a saved context", at);
        else
          dc = saved.takeLast();
        break;
      case 18: dc.backgroundMode = static_cast<int>(in.U32(at + 8)); break;
      case 22: dc.textAlign = static_cast<int>(in.U32(at + 8)); break;
      case 24: dc.textColor = in.U32(at + 8); break;
      case 37: select(in.U32(at + 8), at); break;
      case 38: create(in.U32(at + 8), {Kind::Pen, in.U32(at + 12) == 5, in.U32(at + 24), {}}, at); break;
      case 39: create(in.U32(at + 8), {Kind::Brush, in.U32(at + 12) == 1, in.U32(at + 16), {}}, at); break;
      case 82: {
        if (size < 12 + 92) {
          emf.error = Fail("short font record", at);
          break;
        }
        ReadFont font{in.I32(at + 12), in.I32(at + 28), static_cast<int>(in.U8(at + 35)), in.Utf16(at + 40, 32)};
        font.face.truncate(font.face.indexOf(QChar(0)) < 0 ? 32 : font.face.indexOf(QChar(0)));
        emf.fontsCreated.append(font);
        create(in.U32(at + 8), {Kind::Font, false, 0, font}, at);
        break;
      }
      case 40: {
        const uint32_t handle = in.U32(at + 8);
        if (!table.remove(handle)) emf.error = Fail(QStringLiteral("deletion of unknown handle %1").arg(handle), at);
        break;
      }
      case 76: {
        if (in.U32(at + 40) != 0x00F00021) {
          emf.error = Fail("EMR_BITBLT other than PATCOPY", at);
          break;
        }
        if (dc.brush.null) emf.error = Fail("fill with the null brush", at);
        emf.fills.append({QRect(in.I32(at + 24), in.I32(at + 28), in.I32(at + 32), in.I32(at + 36)),
                          dc.brush.colorRef, dc.pen.null, dc.clipped, dc.clip});
        break;
      }
      case 84: {
        ReadText text = dc.Run(QPoint(in.I32(at + 36), in.I32(at + 40)));
        const uint32_t chars = in.U32(at + 44);
        const uint32_t stringOffset = in.U32(at + 48);
        const uint32_t dxOffset = in.U32(at + 72);
        if (chars > size || stringOffset + 2ull * chars > size || (dxOffset != 0 && dxOffset + 4ull * chars > size)) {
          emf.error = Fail("text outside its record", at);
          break;
        }
        text.text = in.Utf16(at + stringOffset, chars);
        if (dxOffset != 0)
          for (uint32_t i = 0; i < chars; ++i) text.dx.append(in.I32(at + dxOffset + 4 * i));
        emf.texts.append(text);
        break;
      }
      case 3: case 4: case 8: case 42: case 86: case 87: case 91: ++emf.shapeRecords; break;
      case 81: ++emf.imageRecords; break;
      default: break;
    }
    offset += size;
  }
  if (in.failed && emf.error.isEmpty()) emf.error = QStringLiteral("read past the end");
  if (emf.error.isEmpty() && !sawEof) emf.error = QStringLiteral("no EMR_EOF");
  emf.objectsAliveAtEnd = static_cast<int>(table.size());
  return emf;
}

ReadWmf ReadPlaceableMetafile(const QByteArray& file) {
  ReadWmf wmf;
  Cursor in(file);
  if (file.size() < 22 + 18) {
    wmf.error = QStringLiteral("shorter than the headers");
    return wmf;
  }
  wmf.key = in.U32(0);
  wmf.left = in.I16(6);
  wmf.top = in.I16(8);
  wmf.right = in.I16(10);
  wmf.bottom = in.I16(12);
  wmf.unitsPerInch = static_cast<uint16_t>(in.U16(14));
  wmf.checksum = static_cast<uint16_t>(in.U16(20));
  for (int i = 0; i < 20; i += 2) wmf.checksumOfWords ^= static_cast<uint16_t>(in.U16(i));
  wmf.headerType = static_cast<uint16_t>(in.U16(22));
  wmf.headerSize = static_cast<uint16_t>(in.U16(24));
  wmf.version = static_cast<uint16_t>(in.U16(26));
  wmf.sizeWords = in.U32(28);
  wmf.numberOfObjects = static_cast<int>(in.U16(32));
  wmf.maxRecordWords = in.U32(34);

  QVector<std::optional<Object>> table;
  DeviceState dc;
  QVector<DeviceState> saved;
  bool sawEof = false;
  auto create = [&](const Object& object) {
    int slot = 0;
    while (slot < table.size() && table[slot]) ++slot;
    if (slot == table.size()) table.append(std::nullopt);
    table[slot] = object;
    wmf.createdSlots.append(slot);
    int alive = 0;
    for (const auto& entry : table) alive += entry ? 1 : 0;
    wmf.mostObjectsAlive = std::max(wmf.mostObjectsAlive, alive);
  };
  auto live = [&](uint32_t slot) { return slot < static_cast<uint32_t>(table.size()) && table[slot]; };

  uint32_t offset = 40;
  while (offset < static_cast<uint32_t>(file.size()) && wmf.error.isEmpty()) {
    const uint32_t words = in.U32(offset);
    const uint32_t function = in.U16(offset + 4);
    if (words < 3 || words > (static_cast<uint32_t>(file.size()) - offset) / 2) {
      wmf.error = Fail(QStringLiteral("bad record size %1").arg(words), offset);
      break;
    }
    if (sawEof) {
      wmf.error = Fail("record after META_EOF", offset);
      break;
    }
    const uint32_t at = offset;
    const uint32_t p = at + 6;  // first parameter
    wmf.records.append({function, at, 2 * words});
    wmf.largestRecordWords = std::max(wmf.largestRecordWords, words);
    switch (function) {
      case 0x0000:
        sawEof = true;
        if (!saved.isEmpty()) wmf.error = Fail("saved context never restored", at);
        break;
      case 0x001E:
        saved.append(dc);
        break;
      case 0x0127:
        if (in.I16(p) != -1 || saved.isEmpty())
          wmf.error = Fail("restore without a saved context", at);
        else
          dc = saved.takeLast();
        break;
      case 0x0416:
        dc.IntersectClip(QRect(QPoint(in.I16(p + 6), in.I16(p + 4)), QPoint(in.I16(p + 2) - 1, in.I16(p) - 1)));
        break;
      case 0x0102: dc.backgroundMode = in.I16(p); break;
      case 0x012E: dc.textAlign = in.I16(p); break;
      case 0x0209: dc.textColor = in.U32(p); break;
      case 0x020C: wmf.windowExtent = QSize(in.I16(p + 2), in.I16(p)); break;
      case 0x02FA: create({Kind::Pen, in.U16(p) == 5, in.U32(p + 6), {}}); break;
      case 0x02FC: create({Kind::Brush, in.U16(p) == 1, in.U32(p + 2), {}}); break;
      case 0x02FB: {
        ReadFont font{in.I16(p), in.I16(p + 8), static_cast<int>(in.U8(p + 13)), QString()};
        QByteArray face = in.Bytes(p + 18, std::min<qsizetype>(32, 2 * words - 24));
        face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
        font.face = QString::fromLatin1(face);
        wmf.fontsCreated.append(font);
        create({Kind::Font, false, 0, font});
        break;
      }
      case 0x012D:
        if (!live(in.U16(p)))
          wmf.error = Fail(QStringLiteral("selection of empty slot %1").arg(in.U16(p)), at);
        else
          dc.Select(*table[in.U16(p)]);
        break;
      case 0x01F0:
        if (!live(in.U16(p)))
          wmf.error = Fail(QStringLiteral("deletion of empty slot %1").arg(in.U16(p)), at);
        else
          table[in.U16(p)].reset();
        break;
      case 0x041B: {
        const int bottom = in.I16(p), right = in.I16(p + 2), top = in.I16(p + 4), left = in.I16(p + 6);
        // Without an outline a rectangle loses its right and bottom edge.
        const int shrink = dc.pen.null ? 1 : 0;
        if (!dc.brush.null)
          wmf.fills.append({QRect(left, top, right - left - shrink, bottom - top - shrink), dc.brush.colorRef,
                            dc.pen.null, dc.clipped, dc.clip});
        break;
      }
      case 0x0A32: {
        ReadText text = dc.Run(QPoint(in.I16(p + 2), in.I16(p)));
        const int length = in.I16(p + 4);
        const int options = in.U16(p + 6);
        uint32_t stringAt = p + 8 + ((options & 0x0006) ? 8 : 0);
        if (length < 0 || stringAt + length > at + 2 * words) {
          wmf.error = Fail("text outside its record", at);
          break;
        }
        text.bytes = in.Bytes(stringAt, length);
        text.text = QString::fromLatin1(text.bytes);
        const uint32_t dxAt = stringAt + ((length + 1) & ~1);
        if (dxAt + 2u * length <= at + 2 * words)
          for (int i = 0; i < length; ++i) text.dx.append(in.I16(dxAt + 2 * i));
        wmf.texts.append(text);
        break;
      }
      case 0x0324: case 0x0325: case 0x0418: case 0x0538: ++wmf.shapeRecords; break;
      case 0x0F43: ++wmf.imageRecords; break;
      default: break;
    }
    offset += 2 * words;
  }
  if (in.failed && wmf.error.isEmpty()) wmf.error = QStringLiteral("read past the end");
  if (wmf.error.isEmpty() && !sawEof) wmf.error = QStringLiteral("no META_EOF");
  for (const auto& entry : table) wmf.objectsAliveAtEnd += entry ? 1 : 0;
  return wmf;
}

}  // namespace kvf::platform::testing
