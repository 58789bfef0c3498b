#include "app/mainwindow/PopupMenuRules.h"

namespace kvf::app {

namespace {

bool HasAnswerComment(const SurveyDocument& document, int32_t respondent, int32_t question) {
  return document.AnswerComment(respondent, question) != -1;
}

bool HasGeneralComment(const SurveyDocument& document, int32_t respondent) {
  if (!document.info.hasRespondentComments) return false;
  if (respondent < 0 || static_cast<size_t>(respondent) >= document.respondentComments.size()) return false;
  return document.respondentComments[static_cast<size_t>(respondent)].comment != -1;
}

}  // namespace

int32_t BlockOfHeaderRow(const SurveyDocument& document, int32_t question, int32_t rowItem, int32_t headerRowCount) {
  const Question* q = document.QuestionAt(question);
  if (q == nullptr || rowItem > -2) return -1;
  int32_t block = -1;
  if (rowItem == -headerRowCount)
    block = q->primaryBlock;
  else
    block = q->secondaryBlock != -1 ? q->secondaryBlock : q->primaryBlock;
  if (block < 0 || static_cast<size_t>(block) >= document.blocks.size()) return -1;
  return block;
}

PopupState ComputePopupState(const SurveyDocument& document, const SubSheet& sheet, int32_t rowItem,
                             int32_t question, int32_t headerRowCount, bool totalGraphVisible) {
  PopupState state;
  const Question* q = document.QuestionAt(question);
  const int32_t questionFlags = q != nullptr ? q->graphFlags : 0;
  const bool answerComments = document.answerCommentsPresent;
  const bool offsets = sheet.columnOffsetsActive;

  auto columnHasComments = [&] {
    for (int32_t respondent : sheet.respondents)
      if (HasAnswerComment(document, respondent, question)) return true;
    return false;
  };
  auto questionGraphs = [&] {
    state.questionHistogram = (questionFlags & kGraphHistogram) != 0;
    state.questionGraph = (questionFlags & kGraphFraction) != 0;
    state.questionRankingGraph = (questionFlags & kGraphRanking) != 0;
    state.bar2 = totalGraphVisible || questionFlags != 0;
  };

  if (rowItem >= 0) {
    state.showRowsComments.visible = !offsets && (document.info.hasRespondentComments || answerComments);
    if (!offsets) {
      bool any = HasGeneralComment(document, rowItem);
      if (!any && answerComments) {
        for (int32_t column : sheet.columns) {
          if (HasAnswerComment(document, rowItem, column)) {
            any = true;
            break;
          }
        }
      }
      state.showRowsComments.enabled = any;
    }
    state.showColumnsComments.visible = answerComments;
    state.showColumnsComments.enabled = answerComments && columnHasComments();
    state.copyThisRowsAnswers.visible = !offsets;
    state.copyThisRowsAnswers.enabled = !offsets;
    state.bar1 = state.showRowsComments.visible || state.showColumnsComments.visible ||
                 state.copyThisRowsAnswers.visible;
    questionGraphs();
  } else if (rowItem == -1) {
    state.showColumnsComments.visible = answerComments;
    state.showColumnsComments.enabled = answerComments && columnHasComments();
    state.bar1 = answerComments;
    questionGraphs();
  } else {
    state.block = BlockOfHeaderRow(document, question, rowItem, headerRowCount);
    const int32_t blockFlags = state.block >= 0 ? document.blocks[static_cast<size_t>(state.block)].graphFlags : 0;
    state.blockIndexGraph = (blockFlags & kGraphIndex) != 0;
    state.blockHistogram = (blockFlags & kGraphHistogram) != 0;
    state.blockGraph = (blockFlags & kGraphFraction) != 0;
    state.blockRankingGraph = (blockFlags & kGraphRanking) != 0;
    state.bar2 = totalGraphVisible || blockFlags != 0;
  }
  return state;
}

BlockGraphMenuMap BuildBlockGraphMenuMap(const SurveyDocument& document) {
  BlockGraphMenuMap map;
  for (size_t b = 0; b < document.blocks.size(); ++b) {
    const int32_t flags = document.blocks[b].graphFlags;
    const int32_t block = static_cast<int32_t>(b);
    if (flags & kGraphHistogram) map.histogram.push_back(block);
    if (flags & kGraphFraction) map.graph.push_back(block);
    if (flags & kGraphRanking) map.ranking.push_back(block);
    if (flags & kGraphIndex) map.index.push_back(block);
  }
  return map;
}

QString DoubleAmpersands(const QString& text) {
  QString result = text;
  result.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return result;
}

}  // namespace kvf::app
