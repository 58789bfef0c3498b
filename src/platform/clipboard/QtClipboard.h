#pragma once
// The desktop clipboard through QGuiApplication::clipboard().
//
// REQUIRES: a QGuiApplication exists for as long as SetText is called.
#include "platform/clipboard/Clipboard.h"

namespace kvf::platform {

class QtClipboard final : public Clipboard {
 public:
  // Returns false when there is no application object or no clipboard.
  bool SetText(const QString& text) override;
};

}  // namespace kvf::platform
