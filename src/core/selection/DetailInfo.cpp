#include "core/selection/DetailInfo.h"

#include <vector>

#include "core/indexes/IndexCalculation.h"
#include "core/sheet/SheetLayout.h"
#include "core/sheet/SubSheet.h"

namespace kvf {

namespace {

const QString kNoValue = QStringLiteral("-");
const QString kLineBreaks = QStringLiteral("\r\n\r\n");

// A block's total-column value: its FlexIndex, "-" for none or no block.
QString BlockFlexText(const SurveyDocument& document, int32_t block, const QLocale& locale) {
  if (block < 0 || static_cast<size_t>(block) >= document.blocks.size()) return kNoValue;
  return FormatIndexText(document, document.blocks[static_cast<size_t>(block)].flexIndex, locale);
}

// The questions of the run of adjacent columns that starts at the first
// column in the given block (primary or secondary) and goes on while the
// next column's question is in it too.
std::vector<int32_t> BlockColumnQuestions(const SurveyDocument& document, const SubSheet& sheet, int32_t block,
                                          bool primary) {
  const auto inBlock = [&](int32_t question) {
    const Question* q = document.QuestionAt(question);
    return q != nullptr && (primary ? q->primaryBlock : q->secondaryBlock) == block;
  };
  std::vector<int32_t> questions;
  size_t c = 0;
  while (c < sheet.columns.size() && !inBlock(sheet.columns[c])) ++c;
  while (c < sheet.columns.size() && inBlock(sheet.columns[c])) questions.push_back(sheet.columns[c++]);
  return questions;
}

void FillBlockRow(const SurveyDocument& document, const SubSheet& sheet, int32_t block, bool primary, int row,
                  DetailInfo* info, const QLocale& locale) {
  const size_t r = static_cast<size_t>(row);
  if (block == -1) {
    info->selection[r] = kNoValue;
    info->total[r] = kNoValue;
    return;
  }
  const std::vector<int32_t> questions = BlockColumnQuestions(document, sheet, block, primary);
  info->selection[r] = FormatIndexText(document, CalculateColumnsIndex(document, questions, sheet.respondents), locale);
  info->total[r] = BlockFlexText(document, block, locale);
}

}  // namespace

int DetailInfo::ShownRowCount() const {
  int shown = 0;
  for (int row = 0; row < kIndexRows; ++row) shown += RowShown(row) ? 1 : 0;
  return shown;
}

BiText DetailInfoCaption() { return {QStringLiteral("Detail Information"), QStringLiteral("Detaljinformation")}; }
BiText SelectionColumnCaption() { return {QStringLiteral("Selection"), QStringLiteral("Urval")}; }
BiText TotalColumnCaption() { return {QStringLiteral("Total"), QStringLiteral("Totalt")}; }

void SetUpDetailInfo(const SurveyDocument& document, DetailInfo* info, const QLocale& locale) {
  *info = DetailInfo();
  const DocumentInfo& doc = document.info;
  if (!doc.HasIndexes()) return;
  const QString blank = QStringLiteral(" ");
  info->headers[0] = blank;
  info->headers[1] = doc.indexLabels[2] != -1 ? blank : QString();
  info->headers[2] = blank;
  for (size_t row = 0; row < info->indexLabels.size(); ++row) info->indexLabels[row] = document.GetText(doc.indexLabels[row]);
  info->total[4] = FormatIndexText(document, doc.currentTotalIndex, locale);
}

void ResetDetailInfo(const SurveyDocument& document, const SubSheet& sheet, DetailInfo* info, const QLocale& locale) {
  for (QString& header : info->headers) header.clear();
  info->text.clear();
  if (!document.info.HasIndexes()) return;
  info->selection[0] = kNoValue;
  for (size_t row = 1; row <= 3; ++row) {
    info->selection[row] = kNoValue;
    info->total[row] = kNoValue;
  }
  info->selection[4] = FormatIndexText(document, sheet.totalIndex, locale);
}

void SetFlexTotalIndex(const SurveyDocument& document, double currentTotalIndex, DetailInfo* info,
                       const QLocale& locale) {
  if (!document.info.HasIndexes()) return;
  info->total[4] = FormatIndexText(document, currentTotalIndex, locale);
}

void FillDetailInfo(const SurveyDocument& document, const SubSheet& sheet, int32_t rowItem, int32_t column,
                    DetailInfo* info, const QLocale& locale) {
  if (!document.info.HasIndexes()) return;
  const bool columnInside = column >= 0 && static_cast<size_t>(column) < sheet.columns.size();
  const Question* question = columnInside ? document.QuestionAt(sheet.columns[static_cast<size_t>(column)]) : nullptr;
  if (question == nullptr || rowItem < -3) {
    for (QString& header : info->headers) header.clear();
    info->text.clear();
    return;
  }
  const int32_t q = sheet.columns[static_cast<size_t>(column)];

  info->headers[0] = question->primaryBlock == -1 ? QString() : document.BlockName(question->primaryBlock);
  if (rowItem == -SheetHeaderRowCount(document, sheet)) {
    info->headers[1].clear();
    info->headers[2].clear();
    info->text.clear();
  } else {
    info->headers[1] = question->secondaryBlock == -1 ? QString() : document.BlockName(question->secondaryBlock);
    if (rowItem < -1) {
      info->headers[2].clear();
      info->text.clear();
    } else {
      info->headers[2] = document.GetText(question->name);
      info->text = document.GetText(question->text);
    }
  }

  const bool respondentRow = rowItem >= 0 && rowItem < document.RespondentCount();
  if (respondentRow) {
    // An answer outside the question's own alternatives names none.
    const int32_t chosen = document.GetData(rowItem, q);
    QString answer;
    if (const Alternative* alternative = document.AnswerAlternative(q, chosen))
      answer = document.GetText(alternative->name);
    info->text += kLineBreaks + answer;
    const TextRef comment = document.AnswerComment(rowItem, q);
    if (document.answerCommentsPresent && comment != -1) info->text += kLineBreaks + document.GetText(comment);

    if (!sheet.columnOffsetsActive)
      info->selection[0] = FormatIndexText(document, CalculateColumnsIndex(document, sheet.columns, {rowItem}), locale);
  }
  if (respondentRow || rowItem == -1) {
    info->selection[1] = FormatIndexText(document, CalculateColumnsIndex(document, {q}, sheet.respondents), locale);
    info->total[1] = FormatIndexText(document, question->flexIndex, locale);
  }
  FillBlockRow(document, sheet, question->secondaryBlock, false, 2, info, locale);
  FillBlockRow(document, sheet, question->primaryBlock, true, 3, info, locale);
}

}  // namespace kvf
