#pragma once
// A clipboard that keeps the last entry in memory: for a window that runs
// without a desktop clipboard (such as a headless main window) and for
// anyone who wants to see what was written.
#include "platform/clipboard/Clipboard.h"

namespace kvf::platform {

class MemoryClipboard final : public Clipboard {
 public:
  // Keeps the entry and counts the write; never fails.
  bool Set(const ClipboardEntry& entry) override;
  // The last text written; empty before the first write or when the last
  // entry had no text.
  const QString& Text() const { return entry_.text; }
  const ClipboardEntry& Entry() const { return entry_; }
  int Writes() const { return writes_; }

 private:
  ClipboardEntry entry_;
  int writes_ = 0;
};

}  // namespace kvf::platform
