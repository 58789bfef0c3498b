#include "platform/clipboard/Clipboard.h"

namespace kvf::platform {

QByteArray ClipboardEntry::Format(const QString& mimeType) const {
  for (const ClipboardFormat& format : formats) {
    if (format.mimeType == mimeType) return format.bytes;
  }
  return {};
}

ClipboardEntry PictureEntry(const QByteArray& emf, const QByteArray& png, const QByteArray& svg) {
  ClipboardEntry entry;
  if (!emf.isEmpty()) {
    for (const char* type : {"image/emf", "image/x-emf", "application/x-openoffice-emf;windows_formatname=\"Image EMF\""}) {
      entry.formats.append({QString::fromLatin1(type), emf});
    }
  }
  if (!png.isEmpty()) entry.formats.append({QStringLiteral("image/png"), png});
  if (!svg.isEmpty()) entry.formats.append({QStringLiteral("image/svg+xml"), svg});
  return entry;
}

}  // namespace kvf::platform
