#pragma once
// The options dialog's rules that need no window: the lists with their item
// data, the row-order and row-limit comments, the row limit's validation.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/text/BiText.h"

namespace kvf {

struct OptionsListItem {
  BiText text;
  int32_t data;  // what the setting stores
};

// "Overview Row Order": Original (0), Random (1), Random per column (2).
const std::vector<OptionsListItem>& RowOrderItems();
// "Graph Legends": None (-1), Show below graph (6), Show to the right of graph (0).
const std::vector<OptionsListItem>& GraphLegendItems();
// "Graph Copy Format": Meta file (1), Bitmap (2).
const std::vector<OptionsListItem>& GraphCopyFormatItems();
// The position of the first item whose data equals value; -1 when none does.
int ItemIndexOfData(const std::vector<OptionsListItem>& items, int32_t value);

// The comment about the open document's locked row order. Without a
// document pass rowOrder -1.
BiText RowOrderComment(int32_t rowOrder, int32_t threshold);
// The comment above the row limit.
BiText MaxRowsComment();
// The row limit typed in the box: the trimmed text as a whole number of at
// least 1 (and at most the largest 32-bit integer); nullopt otherwise.
std::optional<int32_t> ParseMaxRows(const QString& text);

}  // namespace kvf
