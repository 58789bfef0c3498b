#include "core/comments/CommentsRtf.h"

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

QString EscapeRtf(const QString& text) {
  QString escaped;
  escaped.reserve(text.size() + text.size() / 8 + 8);
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
      escaped += QLatin1Char('\\');
      escaped += c;
    } else if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
      escaped += QStringLiteral("\r\n\\par ");
      ++i;
    } else {
      escaped += c;
    }
  }
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
  if (const RespondentComment* comment = GeneralComment(document, respondent))
    body += QStringLiteral("\r\n\\par\r\n\\b Radkommentar\\b0\r\n\\par ") +
            EscapeRtf(document.GetText(comment->comment)) + QStringLiteral("\r\n\\par");
  if (document.answerCommentsPresent) {
    for (const int32_t question : sheet.columns) {
      const TextRef comment = document.AnswerComment(respondent, question);
      if (comment == -1) continue;
      const Question* q = document.QuestionAt(question);
      body += QStringLiteral("\r\n\\par\r\n\\b ") + EscapeRtf(q ? document.GetText(q->text) : QString()) +
              QStringLiteral("\\b0\r\n\\par ") + EscapeRtf(document.GetText(comment)) + QStringLiteral("\r\n\\par");
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
      body += QStringLiteral("\r\n\\par ") + EscapeRtf(document.GetText(comment)) + QStringLiteral("\r\n\\par");
    }
  }
  if (body.isEmpty()) return {};
  const Question* q = document.QuestionAt(question);
  return RtfFrame(QStringLiteral("\\b ") + EscapeRtf(q ? document.GetText(q->text) : QString()) +
                  QStringLiteral("\\b0") + kCrLf + body);
}

QString AllCommentsRtf(const SurveyDocument& document, const SubSheet& sheet) {
  QString body;
  for (const int32_t respondent : sheet.respondents)
    if (const RespondentComment* comment = GeneralComment(document, respondent))
      body += QStringLiteral("\r\n\\par\r\n\\par ") + EscapeRtf(document.GetText(comment->comment));
  if (body.isEmpty()) return {};
  body = body.mid(13);
  // The text follows the frame's last control word directly: a first comment
  // that starts with a digit or a blank would be read as that word's
  // parameter or delimiter, so it gets a delimiter of its own.
  if (body[0].isDigit() || body[0] == QLatin1Char(' ')) body.prepend(QLatin1Char(' '));
  return RtfFrame(body);
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
