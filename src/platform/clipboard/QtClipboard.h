#pragma once
// The desktop clipboard through QGuiApplication::clipboard(): one QMimeData
// per entry, so every format of the entry is offered at once.
//
// REQUIRES: a QGuiApplication exists for as long as Set is called.
#include "platform/clipboard/Clipboard.h"

namespace kvf::platform {

class QtClipboard final : public Clipboard {
 public:
  // Returns false when there is no application object or no clipboard.
  bool Set(const ClipboardEntry& entry) override;
};

}  // namespace kvf::platform
