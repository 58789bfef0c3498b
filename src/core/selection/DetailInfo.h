#pragma once
// What the detail information window shows: three header values (first-
// and second-level block name, question Name), the text (question Text,
// answer, comment), five index labels and, per index row, the value for
// the current selection and for the total. Index rows: 0 the respondent, 1
// the question, 2 its second-level block, 3 its first-level block, 4 the
// total index.
//
// The functions below change a DetailInfo the way the program's events do:
// loading a document (SetUpDetailInfo), every design of the sheet view
// (ResetDetailInfo), the flex total's index changing (SetFlexTotalIndex)
// and the pointer resting on a cell (FillDetailInfo). Index values are
// formatted with the document's IndexDecimals in the given locale; "-"
// stands for no value.
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>

#include "core/document/SurveyDocument.h"
#include "core/text/BiText.h"

namespace kvf {

struct SubSheet;

struct DetailInfo {
  static constexpr int kHeaderCount = 3;
  static constexpr int kIndexRows = 5;

  std::array<QString, kHeaderCount> headers;
  QString text;
  std::array<QString, kIndexRows> indexLabels;
  std::array<QString, kIndexRows> selection;
  std::array<QString, kIndexRows> total;

  // An index row is shown exactly when its label is not empty.
  bool RowShown(int row) const { return row >= 0 && row < kIndexRows && !indexLabels[static_cast<size_t>(row)].isEmpty(); }
  int ShownRowCount() const;

  bool operator==(const DetailInfo&) const = default;
};

// The window's captions.
BiText DetailInfoCaption();     // "Detail Information"
BiText SelectionColumnCaption();  // "Selection"
BiText TotalColumnCaption();      // "Total"

// A new document: everything emptied; with indexes, header values 0 and 2
// become " ", header value 1 " " when the document has a label for the
// second-level block row (else ""), the index labels are the document's,
// and the total column of row 4 shows the current total index.
void SetUpDetailInfo(const SurveyDocument& document, DetailInfo* info, const QLocale& locale = QLocale::system());

// The sheet view was designed: headers and text emptied; with indexes, the
// selection value of row 0 and both values of rows 1 to 3 become "-" and
// the selection value of row 4 shows the sheet's total index.
void ResetDetailInfo(const SurveyDocument& document, const SubSheet& sheet, DetailInfo* info,
                     const QLocale& locale = QLocale::system());

// The flex total's total index changed: the total column of row 4.
void SetFlexTotalIndex(const SurveyDocument& document, double currentTotalIndex, DetailInfo* info,
                       const QLocale& locale = QLocale::system());

// The pointer rests on the cell of row item rowItem (a respondent, or -1 the
// question row, -2 and -3 the block rows) and sheet column `column`.
// Nothing changes for a document without indexes. A column outside the
// sheet or a row item below -3 empties the headers and the text only.
// Index rows a row kind does not compute keep their values: row 0 is
// computed for respondent rows while the rows are not rotated per column,
// row 1 for respondent rows and the question row, rows 2 and 3 always.
void FillDetailInfo(const SurveyDocument& document, const SubSheet& sheet, int32_t rowItem, int32_t column,
                    DetailInfo* info, const QLocale& locale = QLocale::system());

}  // namespace kvf
