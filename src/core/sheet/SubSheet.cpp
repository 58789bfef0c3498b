#include "core/sheet/SubSheet.h"

namespace kvf {

int32_t SubSheet::RespondentAt(int32_t row, int32_t column) const {
  const int64_t count = static_cast<int64_t>(respondents.size());
  if (row < 0 || row >= count) return -1;
  if (!columnOffsetsActive) return respondents[static_cast<size_t>(row)];
  if (column < 0 || static_cast<size_t>(column) >= columns.size()) return -1;
  const int32_t question = columns[static_cast<size_t>(column)];
  const int64_t offset = question >= 0 && static_cast<size_t>(question) < columnOffsets.size()
                             ? columnOffsets[static_cast<size_t>(question)]
                             : 0;
  return respondents[static_cast<size_t>(((offset + row) % count + count) % count)];
}

}  // namespace kvf
