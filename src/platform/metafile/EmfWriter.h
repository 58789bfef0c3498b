#pragma once
// Serialises a MetafileDrawing as an enhanced metafile (EMF).
//
// Records written, in order:
//   EMR_HEADER           bounds (0, 0)-(width - 1, height - 1) in pixels, frame
//                        in 0.01 mm from the reference device, the
//                        description, the reference's size in pixels and mm
//   EMR_SETBKMODE        transparent
//   EMR_SETTEXTALIGN     baseline, left
//   then per item, with the GDI objects it needs created and selected first
//   (EMR_CREATEPEN, EMR_CREATEBRUSHINDIRECT, EMR_EXTCREATEFONTINDIRECTW,
//   EMR_SELECTOBJECT, EMR_DELETEOBJECT, EMR_SETTEXTCOLOR,
//   EMR_SETPOLYFILLMODE):
//     fill     EMR_BITBLT with PATCOPY: exactly the rectangle's pixels
//     shape    EMR_POLYLINE16 / EMR_POLYGON16 / EMR_POLYPOLYGON16 (the
//              32-bit records when a point does not fit 16 bits), EMR_ELLIPSE
//     text     EMR_EXTTEXTOUTW at the baseline, always with the advances
//     image    EMR_STRETCHDIBITS, 24-bit bottom-up DIB
//     clip     EMR_SAVEDC + EMR_INTERSECTCLIPRECT; the next clip change
//              first ends it with EMR_RESTOREDC (-1)
//   clean-up: any clip context restored, stock pen, brush and font
//   selected, every object deleted, EMR_EOF.
// Fonts have a negative height (the em height in pixels). Object handles
// take the lowest free index from 1.
#include <QByteArray>
#include <QString>

#include "platform/metafile/MetafileDrawing.h"

namespace kvf::platform {

// The whole file; empty when it or one of its records would not fit the
// format's 32-bit sizes (4 GiB). description is stored as given (UTF-16,
// its length in characters counted in the header), so it carries its own
// NULs.
QByteArray WriteEmf(const MetafileDrawing& drawing, const MetafileReference& reference, const QString& description);

}  // namespace kvf::platform
