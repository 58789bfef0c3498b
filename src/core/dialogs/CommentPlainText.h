#pragma once
// The document comment (an RTF document) as plain text, for the properties
// window until it shows rich text. Reads any text safely: what is not RTF
// comes back as it is.
#include <QString>

namespace kvf {

// Keeps the text of an RTF document: paragraphs and line breaks become
// "\n", tabs "\t"; \'hh (Windows-1252) and \uN escapes become their
// characters; groups that hold no text (font and colour tables, style
// sheets, information, \* destinations, pictures) are dropped. Text that
// does not start with "{\rtf" is returned unchanged. Linear in the length;
// unbalanced braces end the document or are ignored.
QString CommentPlainText(const QString& rtf);

}  // namespace kvf
