#include "core/graphs/BasicGraphRoute.h"

#include <algorithm>

#include "core/indexes/IndexCalculation.h"

namespace kvf {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

BasicGraphTexts BasicGraphRouteTexts(BasicGraphRoute route, int32_t kind) {
  const bool histogram = kind == 1;
  switch (route) {
    case BasicGraphRoute::ViewBlock:
    case BasicGraphRoute::PopupBlock:
      if (histogram)
        return {{S("Generating block histogram..."), S("Skapar blockhistogram...")},
                {S("Block histogram generated!"), S("Blockhistogram skapat!")},
                {S("Block Histogram: "), S("Blockhistogram: ")}};
      if (route == BasicGraphRoute::ViewBlock)
        return {{S("Generating block fraction bar graph..."), S("Skapar blockfraktionsdiagram...")},
                {S("Block fraction bar graph generated!"), S("Blockfraktionsdiagram skapad!")},
                {S("Block Graph: "), S("Blockgraf: ")}};
      return {{S("Generating block fraction graph..."), S("Skapar blockfraktionsgraf...")},
              {S("Block fraction graph generated!"), S("Blockfraktionsgraf skapad!")},
              {S("Block Graph: "), S("Blockgraf: ")}};
    case BasicGraphRoute::QuestionTotal:
    case BasicGraphRoute::SplitBy:
    case BasicGraphRoute::SplitByAnother:
      break;
  }
  if (histogram)
    return {{S("Generating question histogram..."), S("Skapar frågehistogram...")},
            {S("Question histogram generated!"), S("Frågehistogram skapat!")},
            {S("Question Histogram: "), S("Frågehistogram: ")}};
  // The Swedish text of Split by Another Question is spelt as users of the
  // program have always seen it.
  const QString swedishBefore =
      route == BasicGraphRoute::SplitByAnother ? S("Skapar frågefarktionsgraf...") : S("Skapar frågefraktionsgraf...");
  return {{S("Generating question fraction graph..."), swedishBefore},
          {S("Question fraction graph generated!"), S("Frågefraktionsgraf skapad!")},
          {S("Question Graph: "), S("Frågegraf: ")}};
}

BiText BlockGraphFailedText(int32_t kind) {
  if (kind == 1) return {S("Block histogram generation failed!"), S("Blockhistogram kunde inte skapas!")};
  return {S("Block fraction graph generation failed!"), S("Blockfraktionsgraf kunde inte skapas!")};
}

BiText EmptyBlockText() { return {S("The block did not contain any questions!"), S("Blocket innehöll inga frågor!")}; }

std::vector<int32_t> ViewMenuBlockQuestions(const SurveyDocument& document, int32_t block) {
  return BlockQuestions(document, block);
}

int32_t PopupGraphBlock(const SurveyDocument& document, int32_t question, bool topHeaderRow) {
  const Question* q = document.QuestionAt(question);
  if (q == nullptr) return -1;
  return (topHeaderRow || q->secondaryBlock == -1) ? q->primaryBlock : q->secondaryBlock;
}

std::vector<int32_t> PopupBlockQuestions(const SurveyDocument& document, const SubSheet& sheet, int32_t block,
                                         bool usePrimary) {
  std::vector<int32_t> questions;
  if (block < 0) return questions;
  for (const int32_t column : sheet.columns) {
    const Question* q = document.QuestionAt(column);
    if (q != nullptr && (usePrimary ? q->primaryBlock : q->secondaryBlock) == block) questions.push_back(column);
  }
  return questions;
}

QString SplitGraphTitle(const SurveyDocument& document, int32_t question, int32_t splitQuestion) {
  const Question* q = document.QuestionAt(question);
  const Question* s = document.QuestionAt(splitQuestion);
  const QString by = document.info.languageCode == QLatin1String("sv") ? S(" fördelad på ") : S(" split by ");
  return (q ? document.GetText(q->name) : QString()) + by + (s ? document.GetText(s->name) : QString());
}

int32_t DimensionPosition(const SurveyDocument& document, int32_t question) {
  const auto found = std::find(document.dimensions.begin(), document.dimensions.end(), question);
  return found == document.dimensions.end() ? -1 : static_cast<int32_t>(found - document.dimensions.begin());
}

std::vector<int32_t> SplitQuestionChoices(const SurveyDocument& document, int32_t question,
                                          const std::vector<bool>& splitDisabled) {
  std::vector<int32_t> choices;
  for (int32_t q = 0; q < static_cast<int32_t>(document.questions.size()); ++q) {
    if (q == question || !document.questions[static_cast<size_t>(q)].isOverviewQuestion) continue;
    const int32_t dimension = DimensionPosition(document, q);
    if (dimension >= 0 && static_cast<size_t>(dimension) < splitDisabled.size() &&
        splitDisabled[static_cast<size_t>(dimension)])
      continue;
    choices.push_back(q);
  }
  return choices;
}

}  // namespace kvf
