#pragma once
// The system clipboard as the program uses it: clear it and put one entry on
// it. An entry holds an optional plain text (the platform adds its other text
// formats itself) and any number of further formats, each a MIME type with
// its bytes, so that one copy can offer the same picture as EMF, PNG and SVG.
//
// Implementations: QtClipboard (the desktop clipboard) and MemoryClipboard
// (the last entry in memory, where there is no desktop clipboard to write).
#include <QByteArray>
#include <QList>
#include <QString>

namespace kvf::platform {

struct ClipboardFormat {
  QString mimeType;
  QByteArray bytes;
};

struct ClipboardEntry {
  bool hasText = false;
  QString text;
  QList<ClipboardFormat> formats;

  // The bytes stored under the MIME type; empty when the entry has none.
  QByteArray Format(const QString& mimeType) const;
};

// A picture entry: the EMF under every name that programs on Linux read an
// EMF by (image/emf, image/x-emf and the name LibreOffice uses), then the PNG
// and the SVG of the same picture. Empty byte arrays are left out.
ClipboardEntry PictureEntry(const QByteArray& emf, const QByteArray& png, const QByteArray& svg);

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces whatever the clipboard holds by the entry. Returns false when
  // the clipboard could not be written.
  virtual bool Set(const ClipboardEntry& entry) = 0;

  // Replaces whatever the clipboard holds by one plain text.
  bool SetText(const QString& text) {
    ClipboardEntry entry;
    entry.hasText = true;
    entry.text = text;
    return Set(entry);
  }
};

}  // namespace kvf::platform
