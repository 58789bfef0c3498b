#pragma once
// A small reader of rich text (RTF) that builds a QTextDocument: the subset
// that the comment texts and documents' own comments use. The input comes
// from files, so it is treated as hostile: one pass, no recursion, a cap on
// group depth, checked ranges for "\uN" and "\'hh", and a cap on the
// parameter of a control word.
//
// Understood: groups "{ }"; "\rtf1 \ansi \deff0 \deflang \pard \tx \plain
// \f \fs \b \b0 \i \i0 \ul \ulnone \par \line \tab \'hh \uN \ucN"; the
// escapes "\\ \{ \}"; "\~" (no-break space), "\-" and "\_" (hyphens).
// Destinations that hold no text ("\fonttbl", "\colortbl", "\stylesheet",
// "\info", "\pict", "{\* ...}") are skipped; every other control word is
// skipped. "\'hh" is read as Windows-1252; text outside control words is
// taken as the Unicode characters it is (nothing is converted to a code
// page). CR and LF in the input are ignored as RTF says; NUL and other
// control characters are shown as U+FFFD. Input that is not RTF (not
// starting with "{\rtf") is shown as plain text.
#include <QString>
#include <QTextDocument>

namespace kvf {

// Groups deeper than this keep the formatting of the group at the cap.
inline constexpr int kRtfMaxDepth = 100;

// Fills document (cleared first) with the text of rtf.
// REQUIRES: document is not null.
void ReadRtf(const QString& rtf, QTextDocument* document);

}  // namespace kvf
