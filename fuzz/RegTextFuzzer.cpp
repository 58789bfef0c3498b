// Feeds arbitrary bytes to the .reg settings parser. Whatever it accepts
// must write back to text that parses to the same text again: a settings
// file the program saves is always one it can read.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "platform/registry/RegText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  kvf::platform::RegistryTree tree;
  if (kvf::platform::ParseRegText(bytes, &tree)) return 0;  // a fault: nothing to write back
  const QByteArray written = kvf::platform::FormatRegText(tree);
  kvf::platform::RegistryTree again;
  if (kvf::platform::ParseRegText(written, &again)) std::abort();
  if (kvf::platform::FormatRegText(again) != written) std::abort();
  return 0;
}
