#include "platform/metafile/EmfWriter.h"

#include <limits>

#include "platform/metafile/GdiContextWriter.h"
#include "platform/metafile/MetafileRecords.h"

namespace kvf::platform {

namespace {

using namespace metafile_records;

enum EmfType : uint32_t {
  EMR_HEADER = 1,
  EMR_POLYGON = 3,
  EMR_POLYLINE = 4,
  EMR_POLYPOLYGON = 8,
  EMR_EOF = 14,
  EMR_SETBKMODE = 18,
  EMR_SETPOLYFILLMODE = 19,
  EMR_SETTEXTALIGN = 22,
  EMR_SETTEXTCOLOR = 24,
  EMR_INTERSECTCLIPRECT = 30,
  EMR_SAVEDC = 33,
  EMR_RESTOREDC = 34,
  EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38,
  EMR_CREATEBRUSHINDIRECT = 39,
  EMR_DELETEOBJECT = 40,
  EMR_ELLIPSE = 42,
  EMR_BITBLT = 76,
  EMR_STRETCHDIBITS = 81,
  EMR_EXTCREATEFONTINDIRECTW = 82,
  EMR_EXTTEXTOUTW = 84,
  EMR_POLYGON16 = 86,
  EMR_POLYLINE16 = 87,
  EMR_POLYPOLYGON16 = 91,
};

constexpr uint32_t kStockWhiteBrush = 0x80000000;
constexpr uint32_t kStockNullBrush = 0x80000005;
constexpr uint32_t kStockBlackPen = 0x80000007;
constexpr uint32_t kStockNullPen = 0x80000008;
constexpr uint32_t kStockSystemFont = 0x8000000D;
constexpr int kHeaderSize = 108;

bool Fits16(const QVector<QPoint>& points) {
  for (const QPoint& p : points) {
    if (p.x() < std::numeric_limits<int16_t>::min() || p.x() > std::numeric_limits<int16_t>::max() ||
        p.y() < std::numeric_limits<int16_t>::min() || p.y() > std::numeric_limits<int16_t>::max())
      return false;
  }
  return true;
}

QRect PointBounds(const QVector<QPoint>& points) {
  if (points.isEmpty()) return {};
  int left = points[0].x(), right = left, top = points[0].y(), bottom = top;
  for (const QPoint& p : points) {
    left = std::min(left, p.x());
    right = std::max(right, p.x());
    top = std::min(top, p.y());
    bottom = std::max(bottom, p.y());
  }
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

class EmfWriter : public GdiContextWriter<EmfWriter> {
 public:
  EmfWriter(const MetafileDrawing& drawing, const MetafileReference& reference)
      : drawing_(drawing), reference_(reference) {}

  QByteArray Write(const QString& description);

  // The records GdiContextWriter asks for. Handles are slots + 1 (0 is
  // the metafile itself).
  void SelectRecord(int slot) { Select(static_cast<uint32_t>(slot + 1)); }
  void DeleteRecord(int slot) { Simple(EMR_DELETEOBJECT, static_cast<uint32_t>(slot + 1)); }
  void TextColorRecord(uint32_t colorRef) { Simple(EMR_SETTEXTCOLOR, colorRef); }
  void FillModeRecord(int mode) { Simple(EMR_SETPOLYFILLMODE, static_cast<uint32_t>(mode)); }
  void SaveRecord() { End(Begin(EMR_SAVEDC)); }
  void RestoreRecord() { Simple(EMR_RESTOREDC, static_cast<uint32_t>(-1)); }
  void IntersectClipRecord(const QRect& r) {
    const qsizetype start = Begin(EMR_INTERSECTCLIPRECT);
    // Right and bottom edges exclusive, as GDI takes them.
    out_.I32(r.left());
    out_.I32(r.top());
    out_.I32(r.left() + r.width());
    out_.I32(r.top() + r.height());
    End(start);
  }

 private:
  qsizetype Begin(uint32_t type) {
    const qsizetype start = out_.Size();
    out_.U32(type);
    out_.U32(0);  // size, patched by End
    return start;
  }
  void End(qsizetype start) {
    out_.Align(4);
    const qsizetype size = out_.Size() - start;
    if (size > kMaxMetafileBytes) tooLarge_ = true;
    out_.PatchU32(start + 4, static_cast<uint32_t>(size));
    ++records_;
  }
  void RectL(const QRect& rect) {
    out_.I32(rect.left());
    out_.I32(rect.top());
    out_.I32(rect.right());
    out_.I32(rect.bottom());
  }
  void Simple(uint32_t type, uint32_t value) {
    const qsizetype start = Begin(type);
    out_.U32(value);
    End(start);
  }
  void Select(uint32_t handle) { Simple(EMR_SELECTOBJECT, handle); }

  void Header(const QString& description);
  void UsePen(const MetaPen& pen);
  void UseBrush(const MetaBrush& brush);
  void UseFont(const MetaFont& font);

  void Write(const MetaFill& fill);
  void Write(const MetaShape& shape);
  // A point array, as 16-bit pairs when small, else 32-bit pairs.
  void PointList(const QVector<QPoint>& points, bool small);
  // A bounds-count-points record of the 16-bit type when the points fit.
  void Points(uint32_t type16, uint32_t type32, const QVector<QPoint>& points);
  void Write(const MetaText& text);
  void Write(const MetaImage& image);
  void Write(const MetaClip& clip) { Clip(clip); }
  void CleanUp();

  const MetafileDrawing& drawing_;
  const MetafileReference& reference_;
  ByteSink out_;
  int records_ = 0;
  bool tooLarge_ = false;
};

void EmfWriter::Header(const QString& description) {
  const QRect bounds = MetafileBounds(drawing_.size);
  const QSize frame = reference_.HundredthsOfMillimetre(drawing_.size);
  const qsizetype start = Begin(EMR_HEADER);
  RectL(bounds);
  RectL(QRect(QPoint(0, 0), QPoint(frame.width(), frame.height())));
  out_.U32(0x464D4520);  // " EMF"
  out_.U32(0x00010000);
  out_.U32(0);  // bytes, patched at the end
  out_.U32(0);  // records, patched
  out_.U16(0);  // handles, patched
  out_.U16(0);
  out_.U32(static_cast<uint32_t>(description.size()));
  out_.U32(description.isEmpty() ? 0 : kHeaderSize);
  out_.U32(0);  // palette entries
  out_.I32(reference_.pixels.width());
  out_.I32(reference_.pixels.height());
  out_.I32(reference_.millimetres.width());
  out_.I32(reference_.millimetres.height());
  out_.U32(0);  // no pixel format
  out_.U32(0);
  out_.U32(0);  // no OpenGL
  out_.I32(reference_.millimetres.width() * 1000);
  out_.I32(reference_.millimetres.height() * 1000);
  Q_ASSERT(out_.Size() - start == kHeaderSize);
  for (QChar c : description) out_.U16(c.unicode());
  End(start);
}

void EmfWriter::UsePen(const MetaPen& pen) {
  if (pen.style == Qt::NoPen) {
    if (objects_.Selected(GdiObjectTable::kPen) == "null") return;
    Select(kStockNullPen);
    objects_.SetSelected(GdiObjectTable::kPen, "null");
    return;
  }
  const int style = GdiPenStyle(pen.style);
  UseObject(GdiObjectTable::kPen, PenKey(style, pen.width, ColorRef(pen.color)), [&](int slot) {
    const qsizetype start = Begin(EMR_CREATEPEN);
    out_.U32(static_cast<uint32_t>(slot + 1));
    out_.U32(static_cast<uint32_t>(style));
    out_.I32(pen.width);
    out_.I32(0);
    out_.U32(ColorRef(pen.color));
    End(start);
  });
}

void EmfWriter::UseBrush(const MetaBrush& brush) {
  if (!brush.solid) {
    if (objects_.Selected(GdiObjectTable::kBrush) == "null") return;
    Select(kStockNullBrush);
    objects_.SetSelected(GdiObjectTable::kBrush, "null");
    return;
  }
  UseObject(GdiObjectTable::kBrush, BrushKey(true, ColorRef(brush.color)), [&](int slot) {
    const qsizetype start = Begin(EMR_CREATEBRUSHINDIRECT);
    out_.U32(static_cast<uint32_t>(slot + 1));
    out_.U32(kBsSolid);
    out_.U32(ColorRef(brush.color));
    out_.U32(0);
    End(start);
  });
}

void EmfWriter::UseFont(const MetaFont& font) {
  const QByteArray key =
      FontKey(font.family, font.pixelHeight, font.weight, font.italic, font.underline, font.strikeOut);
  UseObject(GdiObjectTable::kFont, key, [&](int slot) {
    const qsizetype start = Begin(EMR_EXTCREATEFONTINDIRECTW);
    out_.U32(static_cast<uint32_t>(slot + 1));
    // LOGFONTW
    out_.I32(-font.pixelHeight);
    out_.I32(0);  // width
    out_.I32(0);  // escapement
    out_.I32(0);  // orientation
    out_.I32(font.weight);
    out_.U8(font.italic ? 1 : 0);
    out_.U8(font.underline ? 1 : 0);
    out_.U8(font.strikeOut ? 1 : 0);
    out_.U8(kDefaultCharset);
    out_.U8(0);  // output precision
    out_.U8(0);  // clip precision
    out_.U8(0);  // quality
    out_.U8(0);  // pitch and family
    const QString face = font.family.left(31);
    for (QChar c : face) out_.U16(c.unicode());
    out_.Zeros(2 * (32 - face.size()));
    // The rest of EXTLOGFONTW (full name, style, version, panose...),
    // all zero as Windows writes it for a face chosen by name.
    out_.Zeros(320 - 92);
    End(start);
  });
}

void EmfWriter::Write(const MetaFill& fill) {
  UseBrush(MetaBrush{true, fill.color});
  const qsizetype start = Begin(EMR_BITBLT);
  RectL(fill.rect);
  out_.I32(fill.rect.left());
  out_.I32(fill.rect.top());
  out_.I32(fill.rect.width());
  out_.I32(fill.rect.height());
  out_.U32(kPatCopy);
  out_.I32(0);  // source x, y
  out_.I32(0);
  out_.F32(1);  // source transform: identity
  out_.F32(0);
  out_.F32(0);
  out_.F32(1);
  out_.F32(0);
  out_.F32(0);
  out_.U32(0);  // source background colour
  out_.U32(0);  // DIB_RGB_COLORS
  out_.U32(0);  // no source bitmap
  out_.U32(0);
  out_.U32(0);
  out_.U32(0);
  End(start);
}

void EmfWriter::PointList(const QVector<QPoint>& points, bool small) {
  for (const QPoint& p : points) {
    if (small) {
      out_.I16(static_cast<int16_t>(p.x()));
      out_.I16(static_cast<int16_t>(p.y()));
    } else {
      out_.I32(p.x());
      out_.I32(p.y());
    }
  }
}

void EmfWriter::Points(uint32_t type16, uint32_t type32, const QVector<QPoint>& points) {
  const bool small = Fits16(points);
  const qsizetype start = Begin(small ? type16 : type32);
  RectL(PointBounds(points));
  out_.U32(static_cast<uint32_t>(points.size()));
  PointList(points, small);
  End(start);
}

void EmfWriter::Write(const MetaShape& shape) {
  UsePen(shape.pen);
  UseBrush(shape.brush);
  switch (shape.kind) {
    case MetaShape::Kind::Polyline:
      Points(EMR_POLYLINE16, EMR_POLYLINE, shape.points);
      return;
    case MetaShape::Kind::Ellipse: {
      const qsizetype start = Begin(EMR_ELLIPSE);
      // GDI's Ellipse takes the right and bottom edges exclusive.
      RectL(shape.rect.adjusted(0, 0, 1, 1));
      End(start);
      return;
    }
    case MetaShape::Kind::Polygons:
      UseFillMode(shape.winding);
      if (shape.polygonSizes.size() == 1) {
        Points(EMR_POLYGON16, EMR_POLYGON, shape.points);
        return;
      }
      const bool small = Fits16(shape.points);
      const qsizetype start = Begin(small ? EMR_POLYPOLYGON16 : EMR_POLYPOLYGON);
      RectL(PointBounds(shape.points));
      out_.U32(static_cast<uint32_t>(shape.polygonSizes.size()));
      out_.U32(static_cast<uint32_t>(shape.points.size()));
      for (int count : shape.polygonSizes) out_.U32(static_cast<uint32_t>(count));
      PointList(shape.points, small);
      End(start);
      return;
  }
}

void EmfWriter::Write(const MetaText& text) {
  UseFont(text.font);
  UseTextColor(text.color);
  const qsizetype count = text.text.size();
  const qsizetype stringOffset = 76;
  const qsizetype dxOffset = stringOffset + ((2 * count + 3) & ~qsizetype{3});
  const qsizetype start = Begin(EMR_EXTTEXTOUTW);
  RectL(text.box);
  out_.U32(1);  // GM_COMPATIBLE
  const QSize hundredths = reference_.HundredthsOfMillimetre(reference_.pixels);
  out_.F32(reference_.pixels.width() > 0 ? float(hundredths.width()) / reference_.pixels.width() : 0.0f);
  out_.F32(reference_.pixels.height() > 0 ? float(hundredths.height()) / reference_.pixels.height() : 0.0f);
  out_.I32(text.origin.x());
  out_.I32(text.origin.y());
  out_.U32(static_cast<uint32_t>(count));
  out_.U32(stringOffset);
  out_.U32(0);  // no clipping or opaque rectangle
  RectL(QRect(QPoint(0, 0), QPoint(-1, -1)));
  out_.U32(static_cast<uint32_t>(dxOffset));
  Q_ASSERT(out_.Size() - start == stringOffset);
  for (QChar c : text.text) out_.U16(c.unicode());
  out_.Align(4);
  for (qsizetype i = 0; i < count; ++i) out_.I32(i < text.advances.size() ? text.advances[i] : 0);
  End(start);
}

void EmfWriter::Write(const MetaImage& image) {
  const QByteArray bits = DibBits24(image.image);
  const int headerSize = 80;
  const int bmiSize = 40;
  const qsizetype start = Begin(EMR_STRETCHDIBITS);
  RectL(image.dest);
  out_.I32(image.dest.left());
  out_.I32(image.dest.top());
  out_.I32(0);
  out_.I32(0);
  out_.I32(image.image.width());
  out_.I32(image.image.height());
  out_.U32(headerSize);
  out_.U32(bmiSize);
  out_.U32(headerSize + bmiSize);
  out_.U32(static_cast<uint32_t>(bits.size()));
  out_.U32(0);  // DIB_RGB_COLORS
  out_.U32(kSrcCopy);
  out_.I32(image.dest.width());
  out_.I32(image.dest.height());
  // BITMAPINFOHEADER
  out_.U32(bmiSize);
  out_.I32(image.image.width());
  out_.I32(image.image.height());
  out_.U16(1);
  out_.U16(24);
  out_.U32(0);  // BI_RGB
  out_.U32(static_cast<uint32_t>(bits.size()));
  out_.I32(3780);  // 96 dpi in pixels per metre
  out_.I32(3780);
  out_.U32(0);
  out_.U32(0);
  out_.Bytes(bits);
  End(start);
}

void EmfWriter::CleanUp() {
  EndClip();
  Select(kStockBlackPen);
  Select(kStockWhiteBrush);
  Select(kStockSystemFont);
  DeleteAllObjects();
  const qsizetype start = Begin(EMR_EOF);
  out_.U32(0);   // palette entries
  out_.U32(16);  // palette offset
  out_.U32(20);  // this record's size
  End(start);
}

QByteArray EmfWriter::Write(const QString& description) {
  Header(description);
  Simple(EMR_SETBKMODE, kTransparent);
  Simple(EMR_SETTEXTALIGN, kTaBaseline);
  for (const MetaItem& item : drawing_.items) std::visit([this](const auto& value) { Write(value); }, item);
  CleanUp();
  if (tooLarge_ || out_.Size() > kMaxMetafileBytes) return {};
  out_.PatchU32(48, static_cast<uint32_t>(out_.Size()));
  out_.PatchU32(52, static_cast<uint32_t>(records_));
  out_.PatchU16(56, static_cast<uint16_t>(MostObjects() + 1));
  return out_.Take();
}

}  // namespace

QByteArray WriteEmf(const MetafileDrawing& drawing, const MetafileReference& reference, const QString& description) {
  return EmfWriter(drawing, reference).Write(description);
}

}  // namespace kvf::platform
