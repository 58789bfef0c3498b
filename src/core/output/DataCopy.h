#pragma once
// The two plain-text copies of the overview: Copy Overview as Data (the
// answer codes of every respondent of the sheet) and Copy this Row's Answers
// (one respondent's answers in words). Both read the sheet state only and
// return the clipboard text: lines joined by CR LF, no CR LF after the last.
//
// An answer outside its question's alternatives has no alternative to name:
// its cell text is empty.
#include <QString>
#include <cstdint>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SubSheet.h"
#include "core/text/BiText.h"

namespace kvf {

// One line per respondent of the sheet's list, in list order, all of them
// (no row limit, no per-column rotation): the SheetLabel of the chosen
// alternative of each column's question, separated by TAB. Empty when the
// sheet has no respondents.
QString OverviewDataText(const SurveyDocument& document, const SubSheet& sheet);

// The answers of one respondent: walking the sheet's columns, a line with
// the block's name whenever a column's primary block changes to another
// block, then per column the question's SheetLabel, ". ", its Text, TAB and
// the SelectionName of the chosen alternative, plus TAB and the answer
// comment (CR LF pairs replaced by ", ") when the respondent commented on
// the question (a comment whose text is empty is no comment).
// REQUIRES: 0 <= respondent < RespondentCount (else the text is empty).
QString RowAnswersText(const SurveyDocument& document, const SubSheet& sheet, int32_t respondent);

// Status texts of the two commands.
BiText CopyingOverviewDataText();
BiText OverviewDataCopiedText();
BiText CopyingRowAnswersText();
BiText RowAnswersCopiedText();

}  // namespace kvf
