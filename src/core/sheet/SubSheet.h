#pragma once
// The sheet as the view state built it: the respondents in row order, the
// columns, the selection it came from and what its drawing needs (row
// order, column offsets, row limit, total index).
//
// This is the one-way hand-off from the selection (ViewState) to drawing
// (SheetLayout, SheetDrawer, output/): drawing reads a SubSheet and never the
// view state. How many header and answer rows a sheet shows is the layout's
// business (SheetHeaderRowCount, SheetShownRowCount in SheetLayout.h).
#include <QString>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SelectionMatrix.h"

namespace kvf {

// The sheet as built by the last successful CreateSubSheet.
struct SubSheet {
  bool present = false;
  std::vector<int32_t> respondents;  // SheetRespondents, in row order
  std::vector<int32_t> columns;      // question of each column (the overview questions)
  SelectionMatrix selection;
  QString description;               // SelectionDescription
  bool flexTotalDiffers = false;
  bool dataRowsAllowed = false;
  int32_t rowLimit = 0;              // -1 (no limit) when data rows are allowed, else 0
  int32_t rowOrder = 0;              // the effective row order: 0, 1 or 2
  // Random per column: one start offset per question of the matrix.
  std::vector<int32_t> columnOffsets;
  bool columnOffsetsActive = false;
  // Total index over every respondent of the sheet and the total-index
  // questions among the columns; -1.0 when none (or no indexes).
  double totalIndex = kNoIndex;

  // The respondent shown in row `row` of column position `column`: entry
  // row of the list, or, while the column offsets are active, entry
  // (offset of the column's question + row) mod count. -1 outside.
  int32_t RespondentAt(int32_t row, int32_t column) const;
};

}  // namespace kvf
