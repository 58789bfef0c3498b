#include "platform/metafile/WmfWriter.h"

#include <algorithm>

#include "platform/metafile/GdiContextWriter.h"
#include "platform/metafile/MetafileRecords.h"

namespace kvf::platform {

namespace {

using namespace metafile_records;

enum WmfFunction : uint16_t {
  META_EOF = 0x0000,
  META_SAVEDC = 0x001E,
  META_RESTOREDC = 0x0127,
  META_INTERSECTCLIPRECT = 0x0416,
  META_SETBKMODE = 0x0102,
  META_SETMAPMODE = 0x0103,
  META_SETPOLYFILLMODE = 0x0106,
  META_SELECTOBJECT = 0x012D,
  META_SETTEXTALIGN = 0x012E,
  META_DELETEOBJECT = 0x01F0,
  META_SETTEXTCOLOR = 0x0209,
  META_SETWINDOWORG = 0x020B,
  META_SETWINDOWEXT = 0x020C,
  META_CREATEPENINDIRECT = 0x02FA,
  META_CREATEFONTINDIRECT = 0x02FB,
  META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325,
  META_ELLIPSE = 0x0418,
  META_RECTANGLE = 0x041B,
  META_POLYPOLYGON = 0x0538,
  META_EXTTEXTOUT = 0x0A32,
  META_STRETCHDIB = 0x0F43,
};

constexpr int kMapModeAnisotropic = 8;
constexpr int kMetaHeaderBytes = 18;

int16_t Clamp16(int value) {
  return static_cast<int16_t>(std::clamp(value, -32768, 32767));
}

class WmfWriter : public GdiContextWriter<WmfWriter> {
 public:
  explicit WmfWriter(const MetafileDrawing& drawing) : drawing_(drawing) {}

  QByteArray Write();

  // The records GdiContextWriter asks for. Players number objects by slot.
  void SelectRecord(int slot) { Simple(META_SELECTOBJECT, static_cast<uint16_t>(slot)); }
  void DeleteRecord(int slot) { Simple(META_DELETEOBJECT, static_cast<uint16_t>(slot)); }
  void TextColorRecord(uint32_t colorRef) {
    const qsizetype start = Begin(META_SETTEXTCOLOR);
    out_.U32(colorRef);
    End(start);
  }
  void FillModeRecord(int mode) { Simple(META_SETPOLYFILLMODE, static_cast<uint16_t>(mode)); }
  void SaveRecord() { End(Begin(META_SAVEDC)); }
  void RestoreRecord() { Simple(META_RESTOREDC, static_cast<uint16_t>(-1)); }
  void IntersectClipRecord(const QRect& r) {
    const qsizetype start = Begin(META_INTERSECTCLIPRECT);
    ReversedRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    End(start);
  }

 private:
  qsizetype Begin(uint16_t function) {
    const qsizetype start = out_.Size();
    out_.U32(0);  // size in 16-bit words, patched by End
    out_.U16(function);
    return start;
  }
  void End(qsizetype start) {
    out_.Align(2);
    if (out_.Size() - start > kMaxMetafileBytes) tooLarge_ = true;
    const uint32_t words = static_cast<uint32_t>((out_.Size() - start) / 2);
    out_.PatchU32(start, words);
    maxRecordWords_ = std::max(maxRecordWords_, words);
  }
  void Simple(uint16_t function, uint16_t value) {
    const qsizetype start = Begin(function);
    out_.U16(value);
    End(start);
  }
  // A rectangle as the format stores it: bottom, right, top, left.
  void ReversedRect(int left, int top, int right, int bottom) {
    out_.I16(Clamp16(bottom));
    out_.I16(Clamp16(right));
    out_.I16(Clamp16(top));
    out_.I16(Clamp16(left));
  }
  void Point(const QPoint& p) {
    out_.I16(Clamp16(p.x()));
    out_.I16(Clamp16(p.y()));
  }

  void UsePen(const MetaPen& pen);
  void UseBrush(const MetaBrush& brush);
  void UseFont(const MetaFont& font);

  void Write(const MetaFill& fill);
  void Write(const MetaShape& shape);
  void Write(const MetaText& text);
  void Write(const MetaImage& image);
  void Write(const MetaClip& clip) { Clip(clip); }

  const MetafileDrawing& drawing_;
  ByteSink out_;
  uint32_t maxRecordWords_ = 0;
  bool tooLarge_ = false;
};

void WmfWriter::UsePen(const MetaPen& pen) {
  const int style = GdiPenStyle(pen.style);
  const int width = pen.style == Qt::NoPen ? 0 : pen.width;
  const uint32_t color = pen.style == Qt::NoPen ? 0 : ColorRef(pen.color);
  UseObject(GdiObjectTable::kPen, PenKey(style, width, color), [&](int) {
    const qsizetype start = Begin(META_CREATEPENINDIRECT);
    out_.U16(static_cast<uint16_t>(style));
    out_.I16(Clamp16(width));
    out_.I16(0);
    out_.U32(color);
    End(start);
  });
}

void WmfWriter::UseBrush(const MetaBrush& brush) {
  const uint32_t color = brush.solid ? ColorRef(brush.color) : 0;
  UseObject(GdiObjectTable::kBrush, BrushKey(brush.solid, color), [&](int) {
    const qsizetype start = Begin(META_CREATEBRUSHINDIRECT);
    out_.U16(brush.solid ? kBsSolid : kBsNull);
    out_.U32(color);
    out_.U16(0);
    End(start);
  });
}

void WmfWriter::UseFont(const MetaFont& font) {
  const QByteArray key =
      FontKey(font.family, font.pixelHeight, font.weight, font.italic, font.underline, font.strikeOut);
  UseObject(GdiObjectTable::kFont, key, [&](int) {
    const qsizetype start = Begin(META_CREATEFONTINDIRECT);
    out_.I16(Clamp16(-font.pixelHeight));
    out_.I16(0);  // width
    out_.I16(0);  // escapement
    out_.I16(0);  // orientation
    out_.I16(Clamp16(font.weight));
    out_.U8(font.italic ? 1 : 0);
    out_.U8(font.underline ? 1 : 0);
    out_.U8(font.strikeOut ? 1 : 0);
    out_.U8(kDefaultCharset);
    out_.U8(0);  // output precision
    out_.U8(0);  // clip precision
    out_.U8(0);  // quality
    out_.U8(0);  // pitch and family
    QByteArray face = ToWindows1252(font.family.left(31));
    face.append(32 - face.size(), '\0');
    out_.Bytes(face);
    End(start);
  });
}

void WmfWriter::Write(const MetaFill& fill) {
  UsePen(MetaPen{});
  UseBrush(MetaBrush{true, fill.color});
  const QRect& r = fill.rect;
  const qsizetype start = Begin(META_RECTANGLE);
  ReversedRect(r.left(), r.top(), r.left() + r.width() + 1, r.top() + r.height() + 1);
  End(start);
}

void WmfWriter::Write(const MetaShape& shape) {
  UsePen(shape.pen);
  UseBrush(shape.brush);
  switch (shape.kind) {
    case MetaShape::Kind::Polyline: {
      const qsizetype start = Begin(META_POLYLINE);
      out_.I16(Clamp16(static_cast<int>(shape.points.size())));
      for (const QPoint& p : shape.points.mid(0, 32767)) Point(p);
      End(start);
      return;
    }
    case MetaShape::Kind::Ellipse: {
      const qsizetype start = Begin(META_ELLIPSE);
      const QRect& r = shape.rect;
      ReversedRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
      End(start);
      return;
    }
    case MetaShape::Kind::Polygons: {
      UseFillMode(shape.winding);
      if (shape.polygonSizes.size() == 1) {
        const qsizetype start = Begin(META_POLYGON);
        out_.I16(Clamp16(static_cast<int>(shape.points.size())));
        for (const QPoint& p : shape.points.mid(0, 32767)) Point(p);
        End(start);
        return;
      }
      // Polygons beyond what 16-bit counts can say are dropped whole.
      int polygons = 0;
      int points = 0;
      while (polygons < shape.polygonSizes.size() && polygons < 32767 &&
             points + shape.polygonSizes[polygons] <= 32767) {
        points += shape.polygonSizes[polygons];
        ++polygons;
      }
      const qsizetype start = Begin(META_POLYPOLYGON);
      out_.U16(static_cast<uint16_t>(polygons));
      for (int i = 0; i < polygons; ++i) out_.U16(static_cast<uint16_t>(shape.polygonSizes[i]));
      for (int i = 0; i < points; ++i) Point(shape.points[i]);
      End(start);
      return;
    }
  }
}

void WmfWriter::Write(const MetaText& text) {
  UseFont(text.font);
  UseTextColor(text.color);
  const QByteArray bytes = ToWindows1252(text.text.left(32767));
  const qsizetype start = Begin(META_EXTTEXTOUT);
  out_.I16(Clamp16(text.origin.y()));
  out_.I16(Clamp16(text.origin.x()));
  out_.I16(static_cast<int16_t>(bytes.size()));
  out_.U16(0);  // no clipping or opaque rectangle
  out_.Bytes(bytes);
  out_.Align(2);
  for (int i = 0; i < bytes.size(); ++i) out_.I16(Clamp16(i < text.advances.size() ? text.advances[i] : 0));
  End(start);
}

void WmfWriter::Write(const MetaImage& image) {
  const QByteArray bits = DibBits24(image.image);
  const qsizetype start = Begin(META_STRETCHDIB);
  out_.U32(kSrcCopy);
  out_.U16(0);  // DIB_RGB_COLORS
  out_.I16(Clamp16(image.image.height()));
  out_.I16(Clamp16(image.image.width()));
  out_.I16(0);
  out_.I16(0);
  out_.I16(Clamp16(image.dest.height()));
  out_.I16(Clamp16(image.dest.width()));
  out_.I16(Clamp16(image.dest.top()));
  out_.I16(Clamp16(image.dest.left()));
  out_.U32(40);
  out_.I32(image.image.width());
  out_.I32(image.image.height());
  out_.U16(1);
  out_.U16(24);
  out_.U32(0);
  out_.U32(static_cast<uint32_t>(bits.size()));
  out_.I32(3780);
  out_.I32(3780);
  out_.U32(0);
  out_.U32(0);
  out_.Bytes(bits);
  End(start);
}

QByteArray WmfWriter::Write() {
  // Metafile header; size, object count and largest record are patched.
  out_.U16(1);  // in memory
  out_.U16(9);  // header size in words
  out_.U16(0x0300);
  out_.U32(0);
  out_.U16(0);
  out_.U32(0);
  out_.U16(0);

  Simple(META_SETMAPMODE, kMapModeAnisotropic);
  qsizetype start = Begin(META_SETWINDOWORG);
  out_.I16(0);
  out_.I16(0);
  End(start);
  start = Begin(META_SETWINDOWEXT);
  out_.I16(Clamp16(drawing_.size.height()));
  out_.I16(Clamp16(drawing_.size.width()));
  End(start);
  Simple(META_SETBKMODE, kTransparent);
  Simple(META_SETTEXTALIGN, kTaBaseline);

  for (const MetaItem& item : drawing_.items) std::visit([this](const auto& value) { Write(value); }, item);
  EndClip();
  const int objectCount = MostObjects();
  DeleteAllObjects();
  start = Begin(META_EOF);
  End(start);

  if (tooLarge_ || out_.Size() > kMaxMetafileBytes) return {};
  out_.PatchU32(6, static_cast<uint32_t>(out_.Size() / 2));
  out_.PatchU16(10, static_cast<uint16_t>(objectCount));
  out_.PatchU32(12, maxRecordWords_);

  const QRect bounds = MetafileBounds(drawing_.size);
  return PlaceableMetafileHeader(QRect(bounds.topLeft(), QPoint(bounds.right() + 1, bounds.bottom() + 1)))
         + out_.Take();
}

}  // namespace

QByteArray PlaceableMetafileHeader(const QRect& bounds, int unitsPerInch) {
  ByteSink out;
  out.U32(0x9AC6CDD7);
  out.U16(0);
  out.I16(static_cast<int16_t>(bounds.left()));
  out.I16(static_cast<int16_t>(bounds.top()));
  out.I16(static_cast<int16_t>(bounds.right()));
  out.I16(static_cast<int16_t>(bounds.bottom()));
  out.U16(static_cast<uint16_t>(unitsPerInch));
  out.U32(0);
  const QByteArray& data = out.Data();
  uint16_t checksum = 0;
  for (int i = 0; i < 20; i += 2)
    checksum ^= static_cast<uint16_t>(static_cast<uint8_t>(data[i]) | (static_cast<uint8_t>(data[i + 1]) << 8));
  out.U16(checksum);
  return out.Take();
}

QByteArray ToWindows1252(const QString& text) {
  // Windows-1252 0x80..0x9F; 0 marks the five unassigned positions.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  QByteArray bytes;
  bytes.reserve(text.size());
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      bytes.append(static_cast<char>(u));
      continue;
    }
    char byte = '?';
    for (int i = 0; i < 32; ++i) {
      if (kHigh[i] != 0 && kHigh[i] == u) {
        byte = static_cast<char>(0x80 + i);
        break;
      }
    }
    bytes.append(byte);
  }
  return bytes;
}

QByteArray WritePlaceableWmf(const MetafileDrawing& drawing) { return WmfWriter(drawing).Write(); }

}  // namespace kvf::platform
