#include "core/text/Language.h"

#include <cstdlib>
#include <cstring>

namespace kvf {
namespace {
bool g_swedish = false;
}

bool Swedish() { return g_swedish; }
void SetSwedish(bool swedish) { g_swedish = swedish; }

bool SwedishFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return std::strncmp(value, "sv", 2) == 0;
  }
  return false;
}

}  // namespace kvf
