#pragma once
// What File > Properties shows about the open document, in one language:
// the label rows in window order, the index frame, the comment. The
// properties window and `kvf info` both show exactly this.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <array>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/text/BiText.h"

namespace kvf {

struct PropertyRow {
  QString label;  // "File name:"
  QString value;  // a line break inside is "\n"
};

struct IndexFrameContent {
  bool enabled = false;
  QString caption;      // the document's IndexCaption; "" when disabled
  QString status;       // "Enabled" / "Disabled"
  QString information;  // which questions the total index includes; "" when disabled
};

struct DocumentPropertiesContent {
  QString caption;                // the window's caption
  std::vector<PropertyRow> rows;  // the identity rows, then the integrity-protection rows
  int32_t identityRowCount = 0;   // rows before the integrity-protection frame
  QString integrityCaption;       // that frame's caption
  QString commentLabel;           // "Comment:"
  IndexFrameContent indexFrame;
  QString comment;  // the document's comment (RTF), "" when none
};

// The content for a document in the given language; numbers and dates in
// the locale's format.
DocumentPropertiesContent DescribeDocumentProperties(const SurveyDocument& document, bool swedish,
                                                     const QLocale& locale);

// The three FileVersion parts formatted "#0", "#00" and "#0000", joined by
// "." (1, 2, 34 -> "1.02.0034").
QString FileVersionText(const std::array<int32_t, 3>& parts);
// An OLE Automation date (days since 30 December 1899, UTC) as a UTC date
// and time; invalid for a value that is not finite or outside Qt's range.
QDateTime OleDateToUtc(double oleDate);
// The created date as the window shows it: the locale's short date and
// time + " UTC"; "" for a date that OleDateToUtc cannot represent.
QString CreatedDateText(double oleDate, const QLocale& locale);
// The overview row order with its threshold clause ("Random at selections
// less then 20").
BiText RowOrderText(int32_t rowOrder, int32_t threshold);
// The Names of the overview questions left out of the total index, in file
// order, joined by ", ".
QString QuestionsLeftOutOfTotalIndex(const SurveyDocument& document);

// The status text while the window is shown.
BiText DisplayingPropertiesStatus();

}  // namespace kvf
