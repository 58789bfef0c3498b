#pragma once
// The system clipboard as the program uses it: clear it and put one plain
// text on it (the platform provides the other text formats itself).
//
// Implementations: QtClipboard (the desktop clipboard) and MemoryClipboard
// (the last text in memory, where there is no desktop clipboard to write).
#include <QString>

namespace kvf::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces whatever the clipboard holds by the text. Returns false when
  // the clipboard could not be written.
  virtual bool SetText(const QString& text) = 0;
};

}  // namespace kvf::platform
