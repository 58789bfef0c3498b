#pragma once
// Respondents' comments composed as rich text (RTF) for the comment pop-up:
// everything one respondent wrote (a row), every comment on one question
// (a column), and every general comment of the current sheet (all). The
// texts are Unicode; characters outside any code page stay as they are.
//
// Each composition returns "" when there is nothing to show; otherwise the
// frame
//   "{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss MS Sans Serif;}}" CR LF
//   "\deflang1033\pard\tx1440\plain\f0\fs17" body CR LF "}"
// around its body. Every comment and question text passes EscapeRtf.
#include <QString>
#include <cstdint>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SubSheet.h"
#include "core/text/BiText.h"

namespace kvf {

// "\" -> "\\", then "{" -> "\{", "}" -> "\}", then CR LF -> CR LF "\par ".
QString EscapeRtf(const QString& text);
// The RTF frame around a body.
QString RtfFrame(const QString& body);

// The general comment of a respondent: null when the respondent lies
// outside the RespondentComment table or its reference is -1.
const RespondentComment* GeneralComment(const SurveyDocument& document, int32_t respondent);

// A respondent's comments: the general comment under the heading
// "Radkommentar" (in both languages), then each answer comment on a
// question of the sheet's columns, in column order, under the question's
// text. The body's leading CR LF "\par" CR LF is cut.
QString RowCommentsRtf(const SurveyDocument& document, const SubSheet& sheet, int32_t respondent);
// The answer comments on a question from the sheet's respondents in row
// order, under the question's text in bold.
QString ColumnCommentsRtf(const SurveyDocument& document, const SubSheet& sheet, int32_t question);
// The general comments of the sheet's respondents in row order, a blank
// paragraph between two. The body's leading CR LF "\par" CR LF "\par " is cut;
// when the first comment then starts with a digit or a blank, a blank is put
// before it (the delimiter that keeps it from joining the frame's "\fs17").
QString AllCommentsRtf(const SurveyDocument& document, const SubSheet& sheet);

// Titles, status texts and the message of the commands that show them.
BiText RowCommentsTitle();
BiText RowCommentsStatus();
BiText ColumnCommentsTitle();
BiText ColumnCommentsStatus();
BiText AllCommentsTitle();
BiText AllCommentsStatus();
BiText ShowCommentsCaption();
BiText NoCommentsText();

}  // namespace kvf
