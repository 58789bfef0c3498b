#include "core/comments/CommentsRtf.h"

#include <algorithm>

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

namespace {

// The length of a text after EscapeRtf.
qsizetype EscapedSize(const QString& text) {
  const char16_t* data = reinterpret_cast<const char16_t*>(text.constData());
  const qsizetype n = text.size();
  qsizetype size = n;
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = data[i];
    if (c == '\\' || c == '{' || c == '}') {
      ++size;
    } else if (c == '\r' && i + 1 < n && data[i + 1] == '\n') {
      size += 5;  // "\par "
      ++i;
    }
  }
  return size;
}

// Writes EscapeRtf(text) at out (EscapedSize(text) characters); returns
// the end.
char16_t* WriteEscaped(char16_t* out, const QString& text) {
  const char16_t* data = reinterpret_cast<const char16_t*>(text.constData());
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = data[i];
    if (c == '\\' || c == '{' || c == '}') {
      *out++ = '\\';
      *out++ = c;
    } else if (c == '\r' && i + 1 < n && data[i + 1] == '\n') {
      for (const char16_t p : {u'\r', u'\n', u'\\', u'p', u'a', u'r', u' '}) *out++ = p;
      ++i;
    } else {
      *out++ = c;
    }
  }
  return out;
}

char16_t* WriteLatin1(char16_t* out, QLatin1String text) {
  for (const char c : text) *out++ = static_cast<unsigned char>(c);
  return out;
}

void AppendEscaped(QString& out, const QString& text) {
  const qsizetype at = out.size();
  out.resize(at + EscapedSize(text));
  WriteEscaped(reinterpret_cast<char16_t*>(out.data()) + at, text);
}

}  // namespace

QString EscapeRtf(const QString& text) {
  QString escaped;
  AppendEscaped(escaped, text);
  return escaped;
}

QString RtfFrame(const QString& body) {
  return QStringLiteral(
             "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\r\n"
             "\\deflang1033\\pard\\tx1440\\plain\\f0\\fs17") +
         body + kCrLf + QLatin1Char('}');
}

const RespondentComment* GeneralComment(const SurveyDocument& document, int32_t respondent) {
  if (respondent < 0 || static_cast<size_t>(respondent) >= document.respondentComments.size()) return nullptr;
  const RespondentComment& comment = document.respondentComments[static_cast<size_t>(respondent)];
  return comment.comment == -1 ? nullptr : &comment;
}

QString RowCommentsRtf(const SurveyDocument& document, const SubSheet& sheet, int32_t respondent) {
  QString body;
  if (const RespondentComment* comment = GeneralComment(document, respondent)) {
    body += QLatin1String("\r\n\\par\r\n\\b Radkommentar\\b0\r\n\\par ");
    AppendEscaped(body, document.GetText(comment->comment));
    body += QLatin1String("\r\n\\par");
  }
  if (document.answerCommentsPresent) {
    for (const int32_t question : sheet.columns) {
      const TextRef comment = document.AnswerComment(respondent, question);
      if (comment == -1) continue;
      const Question* q = document.QuestionAt(question);
      body += QLatin1String("\r\n\\par\r\n\\b ");
      AppendEscaped(body, q ? document.GetText(q->text) : QString());
      body += QLatin1String("\\b0\r\n\\par ");
      AppendEscaped(body, document.GetText(comment));
      body += QLatin1String("\r\n\\par");
    }
  }
  return body.isEmpty() ? QString() : RtfFrame(body.mid(8));
}

QString ColumnCommentsRtf(const SurveyDocument& document, const SubSheet& sheet, int32_t question) {
  QString body;
  if (document.answerCommentsPresent) {
    for (const int32_t respondent : sheet.respondents) {
      const TextRef comment = document.AnswerComment(respondent, question);
      if (comment == -1) continue;
      body += QLatin1String("\r\n\\par ");
      AppendEscaped(body, document.GetText(comment));
      body += QLatin1String("\r\n\\par");
    }
  }
  if (body.isEmpty()) return {};
  const Question* q = document.QuestionAt(question);
  return RtfFrame(QStringLiteral("\\b ") + EscapeRtf(q ? document.GetText(q->text) : QString()) +
                  QStringLiteral("\\b0") + kCrLf + body);
}

QString AllCommentsRtf(const SurveyDocument& document, const SubSheet& sheet) {
  // The texts can be many megabytes: one pass measures, one writes into a
  // string of exactly that size.
  const QLatin1String separator("\r\n\\par\r\n\\par ");
  const QLatin1String end("\r\n}");
  const QString head = RtfFrame(QString()).chopped(end.size());
  qsizetype size = 0;
  bool first = true;
  bool delimiter = false;
  for (const int32_t respondent : sheet.respondents) {
    const RespondentComment* comment = GeneralComment(document, respondent);
    if (!comment) continue;
    const QString& text = document.GetText(comment->comment);
    if (first) {
      // The text follows the frame's last control word directly: a first
      // comment that starts with a digit or a blank would be read as that
      // word's parameter or delimiter, so it gets a delimiter of its own.
      delimiter = !text.isEmpty() && (text[0].isDigit() || text[0] == QLatin1Char(' '));
    } else {
      size += separator.size();
    }
    first = false;
    size += EscapedSize(text);
  }
  if (first) return {};
  QString rtf(head.size() + (delimiter ? 1 : 0) + size + end.size(), Qt::Uninitialized);
  char16_t* out = std::copy_n(reinterpret_cast<const char16_t*>(head.constData()), head.size(),
                              reinterpret_cast<char16_t*>(rtf.data()));
  if (delimiter) *out++ = u' ';
  first = true;
  for (const int32_t respondent : sheet.respondents) {
    const RespondentComment* comment = GeneralComment(document, respondent);
    if (!comment) continue;
    if (!first) out = WriteLatin1(out, separator);
    first = false;
    out = WriteEscaped(out, document.GetText(comment->comment));
  }
  WriteLatin1(out, end);
  return rtf;
}

BiText RowCommentsTitle() { return {S("Show Row's Comments"), S("Visa radens kommentarer")}; }
BiText RowCommentsStatus() { return {S("Shows row's comments..."), S("Visar radens kommentarer...")}; }
BiText ColumnCommentsTitle() { return {S("Show Column's Comments"), S("Visa kolumnens kommentarer")}; }
BiText ColumnCommentsStatus() { return {S("Shows column's comments..."), S("Visar kolumnens kommentarer...")}; }
BiText AllCommentsTitle() { return {S("All Comments"), S("Alla kommentarer")}; }
BiText AllCommentsStatus() { return {S("Showing comments..."), S("Visar kommentarer...")}; }
BiText ShowCommentsCaption() { return {S("Show Comments"), S("Visa kommentarer")}; }
BiText NoCommentsText() { return {S("Could not find any comments!"), S("Kunde inte hitta några kommentarer!")}; }

}  // namespace kvf
