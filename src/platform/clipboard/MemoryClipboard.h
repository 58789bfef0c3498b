#pragma once
// A clipboard that keeps the last text in memory: for a window that runs
// without a desktop clipboard (such as a headless main window) and for
// anyone who wants to see what was written.
#include "platform/clipboard/Clipboard.h"

namespace kvf::platform {

class MemoryClipboard final : public Clipboard {
 public:
  // Keeps the text and counts the write; never fails.
  bool SetText(const QString& text) override;
  // The last text written; empty before the first write.
  const QString& Text() const { return text_; }
  int Writes() const { return writes_; }

 private:
  QString text_;
  int writes_ = 0;
};

}  // namespace kvf::platform
