#include "core/sheet/ViewState.h"

#include <algorithm>

#include "core/indexes/IndexCalculation.h"
#include "core/sheet/SelectionEngine.h"

namespace kvf {
namespace {

QString SelectionNameOf(const SurveyDocument& document, int32_t question, int32_t a) {
  const Alternative* alternative = document.AnswerAlternative(question, a);
  return alternative != nullptr ? document.GetText(alternative->selectionName) : QString();
}

bool FlagAt(const std::vector<bool>& flags, int32_t position) {
  return position >= 0 && static_cast<size_t>(position) < flags.size() && flags[static_cast<size_t>(position)];
}

QString TrimLeadingSpaces(const QString& text) {
  qsizetype start = 0;
  while (start < text.size() && text[start] == QLatin1Char(' ')) ++start;
  return text.mid(start);
}

BiText TooSmallFallbackText() {
  return {QStringLiteral("The selection is too small to be shown."),
          QStringLiteral("Urvalet är för litet för att visas.")};
}

}  // namespace

BiText NoMatchingAnswersText() {
  return {QStringLiteral("There are no answers matching the selection criterias!"),
          QStringLiteral("Det finns inga svar som stämmer överens med det urval du gjort!")};
}

ViewState::ViewState() : random_(std::make_unique<SeededRandom>(SeededRandom::ClockSeed())) {}

void ViewState::AddObserver(SheetObserver* observer) {
  if (observer != nullptr && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void ViewState::RemoveObserver(SheetObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void ViewState::Reseed(uint64_t seed) { random_ = std::make_unique<SeededRandom>(seed); }

void ViewState::StartDocument(const SurveyDocument& document) {
  sheet_ = SubSheet();
  flex_ = FlexTotal();
  flex_.respondents = AllRespondents(document);
  flex_.alternatives.assign(static_cast<size_t>(document.AlternativeCount(document.flexTotalQuestion)), true);
  flex_.caption = document.GetText(document.info.allRespondentsCaption);
  counts_ = AlternativeCounts(document.DimensionCount(), document.maxDimensionAlternatives, 0);
  splitDisabled_.assign(document.dimensions.size(), false);
  selectionCount_ = 0;
  flexTotalDiffers_ = false;
}

void ViewState::Clear() {
  if (sheet_.present) NotifyObservers([](SheetObserver& o) { o.EraseSheet(); });
  sheet_ = SubSheet();
  flex_ = FlexTotal();
  counts_ = AlternativeCounts();
  splitDisabled_.clear();
  selectionCount_ = 0;
  flexTotalDiffers_ = false;
}

QString ViewState::DescribeDimension(const SurveyDocument& document, const SelectionMatrix& selection,
                                     int32_t k) const {
  const int32_t q = document.dimensions[static_cast<size_t>(k)];
  const int32_t n = document.AlternativeCount(q);
  QStringList names;
  for (int32_t j = document.FirstOfferedAlternative(); j < n; ++j)
    if (selection.Get(k, j)) names << SelectionNameOf(document, q, j);
  const Question* question = document.QuestionAt(q);
  const QString name = question != nullptr ? document.GetText(question->selectionName) : QString();
  const QString head = TrimLeadingSpaces(name + QLatin1Char(' '));
  return QStringLiteral("; ") + head + (names.isEmpty() ? QStringLiteral("--") : names.join(QStringLiteral(", ")));
}

Status ViewState::CreateSubSheet(SurveyDocument& document, const SelectionMatrix& selection) {
  std::vector<int32_t> list;
  const int32_t count = CountOptions(document, selection, &counts_, &list);
  selectionCount_ = count;

  // Description, flex differences and split availability.
  QString description;
  flexTotalDiffers_ = false;
  splitDisabled_.assign(document.dimensions.size(), false);
  const int32_t minimumGraph = document.info.minimumGraphSelection;
  for (int32_t k = 0; k < document.DimensionCount(); ++k) {
    const int32_t q = document.dimensions[static_cast<size_t>(k)];
    const int32_t n = document.AlternativeCount(q);
    bool allChosen = true;
    bool tooSmall = false;
    for (int32_t j = 0; j < n; ++j) {
      allChosen = allChosen && selection.Get(k, j);
      const Alternative* alternative = document.AnswerAlternative(q, j);
      const int32_t added = counts_.Get(k, j);
      if (alternative != nullptr && alternative->isProtected && added > 0 && added < minimumGraph) tooSmall = true;
    }
    if (!allChosen) description += DescribeDimension(document, selection, k);
    if (q == document.flexTotalQuestion && !flex_.respondents.empty()) {
      for (int32_t j = 0; j < n; ++j) {
        const bool flexChosen = FlagAt(flex_.alternatives, j);
        if ((allChosen && !flexChosen) || (!allChosen && selection.Get(k, j) != flexChosen)) flexTotalDiffers_ = true;
      }
    }
    splitDisabled_[static_cast<size_t>(k)] = tooSmall;
  }
  NotifyObservers([this](SheetObserver& o) { o.SplitAvailabilityChanged(splitDisabled_); });

  if (flex_.onCurrentSelection) RecountFlexOnSelection(document, selection);

  if (count < 1) return Status::Failure(NoMatchingAnswersText());
  if (count < minimumGraph) {
    // The document's own caption is in the document's language: the same
    // text in both.
    const QString text = document.GetText(document.info.tooFewCaption);
    return Status::Failure(text.isEmpty() ? TooSmallFallbackText() : BiText{text, text});
  }

  SubSheet next;
  next.present = true;
  next.dataRowsAllowed = count >= document.info.minimumSelection;
  NotifyObservers([&next](SheetObserver& o) { o.DataRowsAllowedChanged(next.dataRowsAllowed); });
  OrderRows(document, list, next);
  if (sheet_.present) NotifyObservers([](SheetObserver& o) { o.EraseSheet(); });

  next.respondents = std::move(list);
  next.columns = document.overviewQuestions;
  next.selection = selection;
  next.description = description.isEmpty() ? document.GetText(document.info.allRespondentsCaption) : description.mid(2);
  next.flexTotalDiffers = flexTotalDiffers_;
  next.rowLimit = next.dataRowsAllowed ? -1 : 0;
  if (document.info.HasIndexes()) next.totalIndex = CalculateTotalIndex(document, next.respondents);
  sheet_ = std::move(next);
  NotifyObservers([&](SheetObserver& o) { o.DrawSheet(document, sheet_); });
  NotifyObservers([](SheetObserver& o) { o.DesignSheetView(); });
  return Status::Ok();
}

void ViewState::OrderRows(const SurveyDocument& document, std::vector<int32_t>& list, SubSheet& sheet) {
  const int32_t count = static_cast<int32_t>(list.size());
  const DocumentInfo& info = document.info;
  int32_t order = userRowOrder_;
  if (info.rowOrder != -1 && (info.rowOrderThreshold == -1 || count < info.rowOrderThreshold)) order = info.rowOrder;
  // Anything but the two random orders keeps the original order.
  if (order != 1 && order != 2) order = 0;
  sheet.rowOrder = order;
  sheet.columnOffsetsActive = false;
  if (order == 1) {
    for (int32_t i = 0; i < count; ++i) {
      const int32_t j = RandomPosition(random_->NextUniform(), count);
      std::swap(list[static_cast<size_t>(i)], list[static_cast<size_t>(j)]);
    }
  } else if (order == 2) {
    sheet.columnOffsets.resize(static_cast<size_t>(std::max(0, document.answers.QuestionCount())));
    for (int32_t& offset : sheet.columnOffsets) offset = RandomPosition(random_->NextUniform(), count);
    sheet.columnOffsetsActive = true;
  }
}

void ViewState::SetFlexTotal(SurveyDocument& document, const std::vector<bool>& alternatives,
                             bool onCurrentSelection) {
  const int32_t n = document.AlternativeCount(document.flexTotalQuestion);
  flex_.alternatives.assign(static_cast<size_t>(n), false);
  bool everything = true;
  for (int32_t j = 0; j < n; ++j) {
    flex_.alternatives[static_cast<size_t>(j)] = FlagAt(alternatives, j);
    everything = everything && FlagAt(alternatives, j);
  }
  flex_.onCurrentSelection = onCurrentSelection;

  if (everything) {
    flex_.caption = document.GetText(document.info.allRespondentsCaption);
    flex_.respondents = AllRespondents(document);
    if (document.info.HasIndexes()) {
      document.info.currentTotalIndex = document.info.totalIndex;
      for (Question& question : document.questions) question.flexIndex = question.storedIndex;
      for (Block& block : document.blocks) block.flexIndex = block.storedIndex;
    }
  } else {
    flex_.caption = FlexTotalCaption(document, flex_.alternatives, onCurrentSelection);
    if (!onCurrentSelection) {
      flex_.respondents =
          FilterRespondents(document, {AnswerFilter::FromFlags(document, document.flexTotalQuestion, flex_.alternatives)});
      RecalculateFlexIndexes(document);
    }
  }
  NotifyObservers([&document](SheetObserver& o) { o.FlexTotalIndexChanged(document.info.currentTotalIndex); });
}

void ViewState::RecountFlexOnSelection(SurveyDocument& document, const SelectionMatrix& selection) {
  std::vector<AnswerFilter> filters = DimensionFilters(document, selection);
  const int32_t flexQuestion = document.flexTotalQuestion;
  if (flexQuestion >= 0) {
    AnswerFilter flexFilter = AnswerFilter::FromFlags(document, flexQuestion, flex_.alternatives);
    bool replaced = false;
    for (AnswerFilter& filter : filters) {
      if (filter.question != flexQuestion) continue;
      filter = flexFilter;
      replaced = true;
    }
    // A flex question that is no dimension has no filter in the selection
    // to replace: its filter is added.
    if (!replaced) filters.push_back(std::move(flexFilter));
  }
  flex_.respondents = FilterRespondents(document, filters);
  RecalculateFlexIndexes(document);
}

void ViewState::RecalculateFlexIndexes(SurveyDocument& document) {
  if (!document.info.HasIndexes()) return;
  const std::vector<int32_t>& respondents = flex_.respondents;
  const int64_t count = static_cast<int64_t>(respondents.size());
  if (count < 1 || count < document.info.minimumGraphSelection) {
    document.info.currentTotalIndex = kNoIndex;
    for (Question& question : document.questions) question.flexIndex = kNoIndex;
    for (Block& block : document.blocks) block.flexIndex = kNoIndex;
  } else {
    document.info.currentTotalIndex = CalculateTotalIndex(document, respondents);
    // Every question tallied once; the blocks' indexes are sums of these.
    const std::vector<IndexSum> sums = QuestionIndexSums(document, respondents);
    for (size_t b = 0; b < document.blocks.size(); ++b)
      document.blocks[b].flexIndex = BlockIndexFromSums(document, static_cast<int32_t>(b), sums);
    for (size_t q = 0; q < document.questions.size(); ++q) document.questions[q].flexIndex = sums[q].Index(document);
  }
  NotifyObservers([&document](SheetObserver& o) { o.FlexTotalIndexChanged(document.info.currentTotalIndex); });
}

QString FlexTotalCaption(const SurveyDocument& document, const std::vector<bool>& alternatives,
                         bool onCurrentSelection) {
  const int32_t q = document.flexTotalQuestion;
  const int32_t n = document.AlternativeCount(q);
  QStringList names;
  for (int32_t j = document.FirstOfferedAlternative(); j < n; ++j)
    if (FlagAt(alternatives, j)) names << SelectionNameOf(document, q, j);
  QString list;
  for (qsizetype i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? QStringLiteral(" & ") : QStringLiteral(", ");
    list += names[i];
  }
  const Question* question = document.QuestionAt(q);
  const QString questionName = question != nullptr ? document.GetText(question->selectionName) : QString();
  QString caption = questionName + QLatin1Char(' ') + list;
  if (onCurrentSelection)
    caption.prepend(document.info.languageCode == QStringLiteral("sv") ? QStringLiteral("Aktuellt urval men ")
                                                                      : QStringLiteral("Current selection but "));
  return caption;
}

}  // namespace kvf
