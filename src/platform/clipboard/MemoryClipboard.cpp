#include "platform/clipboard/MemoryClipboard.h"

namespace kvf::platform {

bool MemoryClipboard::Set(const ClipboardEntry& entry) {
  entry_ = entry;
  ++writes_;
  return true;
}

}  // namespace kvf::platform
