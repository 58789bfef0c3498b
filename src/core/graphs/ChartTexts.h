#pragma once
// The texts the chart generators share: the 80-character cut of titles and
// captions, the selection caption, the alternative labels of groups and
// points, and the status texts of the chart commands.
#include <QLocale>
#include <QString>
#include <cstdint>

#include "core/document/SurveyDocument.h"
#include "core/text/BiText.h"

namespace kvf {

inline constexpr int32_t kChartTextLimit = 80;

// A text longer than 80 characters: its first 77, trailing spaces removed,
// and "...".
QString CutChartText(const QString& text);
// text + " [" + count + "]", the text cut (77 + "..." rule applied to 80
// minus the length of the bracket) so that the whole stays within 80.
QString CountedCaption(const QString& text, int64_t count, const QLocale& locale);
// The label of an alternative of a grouping or split question: its
// SelectionName when shortNames, else its Name; empty when the answer
// names no alternative.
QString GroupLabel(const SurveyDocument& document, int32_t question, int32_t answer, bool shortNames);
// True when the document's words are Swedish (LanguageCode "sv").
bool SwedishDocument(const SurveyDocument& document);

// What the generators need besides the document and the selection.
struct ChartOptions {
  bool shortCategoryNames = true;  // "Graph By Category Use Short Category Names"
  int32_t legendPlacement = 6;     // "Graph Legends"
  QLocale locale = QLocale::system();
};

enum class ChartKind { Distribution, TotalIndex, BlockIndex, BlockRanking, QuestionRanking };

struct ChartStatusTexts {
  BiText before;
  BiText after;
};
ChartStatusTexts ChartKindTexts(ChartKind kind);

}  // namespace kvf
