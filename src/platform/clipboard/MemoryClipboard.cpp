#include "platform/clipboard/MemoryClipboard.h"

namespace kvf::platform {

bool MemoryClipboard::SetText(const QString& text) {
  text_ = text;
  ++writes_;
  return true;
}

}  // namespace kvf::platform
