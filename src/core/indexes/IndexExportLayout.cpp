#include "core/indexes/IndexExportLayout.h"

#include <algorithm>

namespace kvf {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
bool SwedishDocument(const SurveyDocument& document) { return document.info.languageCode == QStringLiteral("sv"); }
}  // namespace

bool SubBlockGroupOffered(const SurveyDocument& document) { return document.info.indexLabels[2] != -1; }

bool IndexExportAllowed(const SurveyDocument& document, const IndexExportSettings& settings) {
  const bool subSelection = settings.totalSubSelection || !ChosenCategories(document, settings.categories).empty();
  bool group = false;
  for (int g = 0; g < 5; ++g)
    if (settings.groups[g] && (g != 2 || SubBlockGroupOffered(document))) group = true;
  return subSelection && group;
}

QString TotalWord(const SurveyDocument& document) {
  return SwedishDocument(document) ? QStringLiteral("Totalt") : QStringLiteral("Total");
}

QString AnswersWord(const SurveyDocument& document) {
  return SwedishDocument(document) ? QStringLiteral("Antal") : QStringLiteral("Answers");
}

std::vector<int32_t> ChosenCategories(const SurveyDocument& document, const std::vector<int32_t>& categories) {
  std::vector<int32_t> chosen = categories;
  std::sort(chosen.begin(), chosen.end());
  std::vector<int32_t> ordered;
  for (const int32_t q : document.dimensions)
    if (std::binary_search(chosen.begin(), chosen.end(), q) &&
        std::find(ordered.begin(), ordered.end(), q) == ordered.end())
      ordered.push_back(q);
  return ordered;
}

std::vector<IndexSubSelection> BuildIndexSubSelections(const SurveyDocument& document,
                                                       const std::vector<int32_t>& selection,
                                                       const IndexExportSettings& settings) {
  std::vector<IndexSubSelection> list;
  if (settings.totalSubSelection) list.push_back({TotalWord(document), selection});
  const int32_t respondentCount = document.RespondentCount();
  for (const int32_t c : ChosenCategories(document, settings.categories)) {
    const Question* question = document.QuestionAt(c);
    if (question == nullptr) continue;
    const int32_t first = document.FirstOfferedAlternative();
    const int32_t positions = document.AnswerPositionCount(c);
    if (positions <= first) continue;
    // One pass over the selection sorts every respondent into its
    // alternative's list; answers naming no alternative go nowhere.
    std::vector<std::vector<int32_t>> members(static_cast<size_t>(positions - first));
    for (const int32_t r : selection) {
      if (r < 0 || r >= respondentCount) continue;
      const int32_t answer = document.GetData(r, c);
      if (answer >= first && answer < positions && document.AnswerAlternative(c, answer) != nullptr)
        members[static_cast<size_t>(answer - first)].push_back(r);
    }
    const QString prefix = document.GetText(question->name) + QStringLiteral(": ");
    for (int32_t j = first; j < positions; ++j) {
      const Alternative* alternative = document.AnswerAlternative(c, j);
      if (alternative == nullptr) continue;
      list.push_back(
          {prefix + document.GetText(alternative->name), std::move(members[static_cast<size_t>(j - first)])});
    }
  }
  return list;
}

std::vector<IndexGroupRow> BuildIndexGroupRows(const SurveyDocument& document, const IndexExportSettings& settings) {
  using Kind = IndexGroupRow::Kind;
  std::vector<IndexGroupRow> rows;
  if (settings.groups[0]) rows.push_back({Kind::kTotal, -1, TotalWord(document)});
  const bool subBlocks = settings.groups[2] && SubBlockGroupOffered(document);
  const auto blockCount = static_cast<int32_t>(document.blocks.size());
  auto blockRow = [&](int32_t block) {
    if (block < 0 || block >= blockCount) return;
    const Block& b = document.blocks[static_cast<size_t>(block)];
    if (b.includeInCopy && b.storedIndex != kNoIndex) rows.push_back({Kind::kBlock, block, document.BlockName(block)});
  };
  if (settings.groups[1] || subBlocks || settings.groups[3]) {
    int32_t previousPrimary = -1;
    int32_t previousSecondary = -1;
    for (const int32_t q : document.overviewQuestions) {
      const Question* question = document.QuestionAt(q);
      if (question == nullptr) continue;
      if (settings.groups[1] && question->primaryBlock != previousPrimary) blockRow(question->primaryBlock);
      if (subBlocks && question->secondaryBlock != previousSecondary) blockRow(question->secondaryBlock);
      previousPrimary = question->primaryBlock;
      previousSecondary = question->secondaryBlock;
      if (settings.groups[3] && question->storedIndex != kNoIndex) {
        const QString name = settings.fullQuestionText ? document.GetText(question->sheetLabel) + QStringLiteral(". ") +
                                                             document.GetText(question->text)
                                                       : document.GetText(question->name);
        rows.push_back({Kind::kQuestion, q, name});
      }
    }
  }
  if (settings.groups[4]) {
    for (int32_t b = 0; b < blockCount; ++b) {
      const Block& block = document.blocks[static_cast<size_t>(b)];
      if (!block.fromFile && block.includeInCopy) rows.push_back({Kind::kBlock, b, document.BlockName(b)});
    }
  }
  return rows;
}

BiText CopyIndexesCaption() { return {S("Copy Indexes"), S("Kopiera index")}; }
BiText PreparingIndexCopyText() { return {S("Preparing to copy..."), S("Förbereder kopiering...")}; }
BiText CalculatingIndexesText() { return {S("Calculating indexes..."), S("Ränkar ut index...")}; }
BiText CopyingIndexesToClipboardText() {
  return {S("Copying indexes to clipboard..."), S("Kopierar index till urklipp...")};
}
BiText CancelingIndexCopyText() { return {S("Canceling copy..."), S("Avbryter kopiering...")}; }
BiText IndexesCopiedText() { return {S("Indexes copied to clipboard!"), S("Index kopierade till urklipp!")}; }
BiText IndexCopyCanceledText() { return {S("Copying of indexes was canceled!"), S("Kopieringen av index avbröts!")}; }

}  // namespace kvf
