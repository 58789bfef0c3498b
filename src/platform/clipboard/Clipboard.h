#pragma once
// The system clipboard as the program uses it: clear it and put one plain
// text on it (the platform provides the other text formats itself).
//
// Implementations: QtClipboard (the desktop clipboard) and FakeClipboard
// (memory only, for tests and for programs without a desktop).
#include <QString>

namespace kvf::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces whatever the clipboard holds by the text. Returns false when
  // the clipboard could not be written.
  virtual bool SetText(const QString& text) = 0;
};

// Keeps the last text in memory and counts the writes.
class FakeClipboard final : public Clipboard {
 public:
  bool SetText(const QString& text) override {
    text_ = text;
    ++writes_;
    return true;
  }
  const QString& Text() const { return text_; }
  int Writes() const { return writes_; }

 private:
  QString text_;
  int writes_ = 0;
};

}  // namespace kvf::platform
