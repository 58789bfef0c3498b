#include "core/output/DataCopy.h"

#include <QStringList>

namespace kvf {
namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// The alternative a respondent chose for a question, or null when the
// answer names none.
const Alternative* ChosenAlternative(const SurveyDocument& document, int32_t respondent, int32_t question) {
  if (document.QuestionAt(question) == nullptr || question >= document.answers.QuestionCount() || respondent < 0 ||
      respondent >= document.RespondentCount())
    return nullptr;
  return document.AnswerAlternative(question, document.GetData(respondent, question));
}

}  // namespace

QString OverviewDataText(const SurveyDocument& document, const SubSheet& sheet) {
  QString text;
  bool firstLine = true;
  for (const int32_t respondent : sheet.respondents) {
    if (!firstLine) text += kLineBreak;
    firstLine = false;
    for (size_t c = 0; c < sheet.columns.size(); ++c) {
      if (c > 0) text += QLatin1Char('\t');
      const Alternative* alternative = ChosenAlternative(document, respondent, sheet.columns[c]);
      if (alternative != nullptr) text += document.GetText(alternative->sheetLabel);
    }
  }
  return text;
}

QString RowAnswersText(const SurveyDocument& document, const SubSheet& sheet, int32_t respondent) {
  if (respondent < 0 || respondent >= document.RespondentCount()) return {};
  QStringList lines;
  int32_t currentBlock = -1;
  for (const int32_t q : sheet.columns) {
    const Question* found = document.QuestionAt(q);
    if (found == nullptr) continue;
    const Question& question = *found;
    if (question.primaryBlock != currentBlock) {
      currentBlock = question.primaryBlock;
      if (currentBlock != -1) lines << document.BlockName(currentBlock);
    }
    QString line = document.GetText(question.sheetLabel) + QStringLiteral(". ") + document.GetText(question.text) +
                   QLatin1Char('\t');
    if (const Alternative* alternative = ChosenAlternative(document, respondent, q))
      line += document.GetText(alternative->selectionName);
    const QString comment = document.GetText(document.AnswerComment(respondent, q));
    if (!comment.isEmpty()) {
      QString oneLine = comment;
      oneLine.replace(kLineBreak, QStringLiteral(", "));
      line += QLatin1Char('\t') + oneLine;
    }
    lines << line;
  }
  return lines.join(kLineBreak);
}

BiText CopyingOverviewDataText() {
  return {QStringLiteral("Copying overview data..."), QStringLiteral("Kopierar översiktsdata...")};
}
BiText OverviewDataCopiedText() {
  return {QStringLiteral("Overview data copied!"), QStringLiteral("Översiktsdata kopierad!")};
}
BiText CopyingRowAnswersText() {
  return {QStringLiteral("Copying the row's answers..."), QStringLiteral("Kopierar radens svar...")};
}
BiText RowAnswersCopiedText() {
  return {QStringLiteral("All the row's answers copied!"), QStringLiteral("Alla radens svar kopierade!")};
}

}  // namespace kvf
