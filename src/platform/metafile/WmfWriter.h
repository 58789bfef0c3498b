#pragma once
// Serialises a MetafileDrawing as a placeable Windows metafile (WMF).
//
// Layout: the 22-byte placeable header, the 18-byte metafile header, then
//   META_SETMAPMODE (anisotropic), META_SETWINDOWORG (0, 0),
//   META_SETWINDOWEXT (width, height), META_SETBKMODE (transparent),
//   META_SETTEXTALIGN (baseline, left), the items, and for clean-up
//   META_DELETEOBJECT for every object still alive, META_EOF.
// Items:
//   fill   META_RECTANGLE under a null pen, one unit larger to the right
//          and bottom (a rectangle without outline loses those edges)
//   shape  META_POLYLINE / META_POLYGON / META_POLYPOLYGON / META_ELLIPSE
//   text   META_EXTTEXTOUT at the baseline with one advance per byte; the
//          text is Windows-1252, characters outside it become '?'
//   image  META_STRETCHDIB, 24-bit bottom-up DIB
//   clip   META_SAVEDC + META_INTERSECTCLIPRECT, ended by META_RESTOREDC
//          (-1) at the next clip change and before the clean-up
// The format has no stock objects: null pens and brushes are created like
// any other. Players put a new object in the lowest free slot of their
// object table; the writer follows the same rule. Parameters are stored in
// reverse (y before x, bottom before top) as the format wants.
#include <QByteArray>
#include <QRect>
#include <QString>

#include "platform/metafile/MetafileDrawing.h"

namespace kvf::platform {

// The 22-byte header that makes a Windows metafile placeable: key
// 0x9AC6CDD7, handle 0, bounds (each truncated to 16 bits), units per inch,
// reserved 0, and the XOR of the ten 16-bit words before the checksum.
QByteArray PlaceableMetafileHeader(const QRect& bounds, int unitsPerInch = 96);

// The largest picture side a Windows metafile can address (16-bit
// coordinates).
constexpr int kWmfMaxSide = 32767;

// The whole placeable file. The header's bounds are the enhanced metafile
// bounds of the same picture taken as an extent: (0, 0) to (width, height),
// at 96 units per inch. Coordinates outside 16 bits are clamped. Empty
// when the file or a record would not fit the format's 32-bit sizes.
// REQUIRES: drawing.size fits kWmfMaxSide in both directions (the paint
// device checks this and reports it as an error).
QByteArray WritePlaceableWmf(const MetafileDrawing& drawing);

// Windows-1252 bytes of a text, one byte per UTF-16 unit ('?' for units
// the code page lacks).
QByteArray ToWindows1252(const QString& text);

}  // namespace kvf::platform
