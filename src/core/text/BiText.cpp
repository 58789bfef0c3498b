#include "core/text/BiText.h"

#include "core/text/Language.h"

namespace kvf {

QString BiText::Get() const { return Get(Swedish()); }

}  // namespace kvf
