#include "core/sheet/SelectionEngine.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace kvf {
namespace {

template <typename T>
inline int32_t ReadAnswer(const uint8_t* column, size_t respondent) {
  T element;
  std::memcpy(&element, column + respondent * sizeof(T), sizeof(T));
  return static_cast<int32_t>(element);
}

// Calls body with std::type_identity of the matrix's element type.
template <typename Body>
void WithElementType(int32_t width, Body&& body) {
  switch (width) {
    case 1:
      body(std::type_identity<uint8_t>{});
      break;
    case 2:
      body(std::type_identity<int16_t>{});
      break;
    case 3:
      body(std::type_identity<int32_t>{});
      break;
    default:
      break;
  }
}

// Per respondent: -1 passes every filter marked so far, k >= 0 fails filter
// k only, -2 fails two or more.
constexpr int32_t kPassesAll = -1;
constexpr int32_t kFailsSeveral = -2;

bool FilterApplies(const SurveyDocument& document, const AnswerFilter& filter) {
  return !filter.keepsEverything && filter.question >= 0 && filter.question < document.answers.QuestionCount();
}

void MarkFailures(const SurveyDocument& document, const AnswerFilter& filter, int32_t position,
                  std::vector<int32_t>& state) {
  if (!FilterApplies(document, filter)) return;
  const AnswerMatrix& matrix = document.answers;
  const uint8_t* column = matrix.Column(filter.question);
  const uint8_t* table = filter.answers.data();
  const uint32_t size = static_cast<uint32_t>(filter.answers.size());
  const size_t n = static_cast<size_t>(matrix.RespondentCount());
  int32_t* marks = state.data();
  WithElementType(matrix.Width(), [&]<typename T>(std::type_identity<T>) {
    for (size_t r = 0; r < n; ++r) {
      const int32_t answer = ReadAnswer<T>(column, r);
      // keepsEverything is false here, so out-of-range answers fail.
      const bool passes = static_cast<uint32_t>(answer) < size && (table[answer] & AnswerFilter::kPasses) != 0;
      if (!passes) marks[r] = marks[r] == kPassesAll ? position : kFailsSeveral;
    }
  });
}

void AddCounts(const SurveyDocument& document, const AnswerFilter& filter, int32_t position,
               const std::vector<int32_t>& state, int32_t* row, int32_t rowWidth) {
  if (filter.question < 0 || filter.question >= document.answers.QuestionCount()) return;
  const AnswerMatrix& matrix = document.answers;
  const uint8_t* column = matrix.Column(filter.question);
  const uint8_t* table = filter.answers.data();
  const uint32_t size = static_cast<uint32_t>(std::min<size_t>(filter.answers.size(), static_cast<size_t>(rowWidth)));
  const size_t n = static_cast<size_t>(matrix.RespondentCount());
  const int32_t* marks = state.data();
  WithElementType(matrix.Width(), [&]<typename T>(std::type_identity<T>) {
    for (size_t r = 0; r < n; ++r) {
      const int32_t mark = marks[r];
      if (mark != kPassesAll && mark != position) continue;
      const int32_t answer = ReadAnswer<T>(column, r);
      if (static_cast<uint32_t>(answer) < size && (table[answer] & AnswerFilter::kInRange) != 0) ++row[answer];
    }
  });
}

}  // namespace

AnswerFilter AnswerFilter::FromFlags(const SurveyDocument& document, int32_t question, const std::vector<bool>& flags) {
  AnswerFilter filter;
  filter.question = question;
  const Question& q = document.questions[static_cast<size_t>(question)];
  const int64_t first = q.firstAlternative;
  const int64_t tableSize = static_cast<int64_t>(document.alternatives.size());
  const int32_t count = std::max(0, q.alternativeCount);
  for (int32_t a = 0; a < count; ++a)
    if (static_cast<size_t>(a) >= flags.size() || !flags[static_cast<size_t>(a)]) filter.keepsEverything = false;
  const int64_t size = std::clamp<int64_t>(tableSize - first, 0, count);
  filter.answers.assign(static_cast<size_t>(size), 0);
  for (int64_t a = 0; a < size; ++a) {
    const bool inRange = first + a >= 0;
    const bool kept = inRange ? static_cast<size_t>(a) < flags.size() && flags[static_cast<size_t>(a)] : filter.keepsEverything;
    filter.answers[static_cast<size_t>(a)] =
        static_cast<uint8_t>((kept ? kPasses : 0) | (inRange ? kInRange : 0));
  }
  return filter;
}

AnswerFilter AnswerFilter::FromSelectionRow(const SurveyDocument& document, const SelectionMatrix& selection,
                                            int32_t dimension) {
  const int32_t question = document.dimensions[static_cast<size_t>(dimension)];
  const int32_t count = std::max(0, document.questions[static_cast<size_t>(question)].alternativeCount);
  std::vector<bool> flags(static_cast<size_t>(count));
  for (int32_t a = 0; a < count; ++a) flags[static_cast<size_t>(a)] = selection.Get(dimension, a);
  return FromFlags(document, question, flags);
}

std::vector<AnswerFilter> DimensionFilters(const SurveyDocument& document, const SelectionMatrix& selection) {
  std::vector<AnswerFilter> filters;
  filters.reserve(document.dimensions.size());
  for (int32_t k = 0; k < document.DimensionCount(); ++k)
    filters.push_back(AnswerFilter::FromSelectionRow(document, selection, k));
  return filters;
}

int32_t CountOptions(const SurveyDocument& document, const SelectionMatrix& selection, AlternativeCounts* counts,
                     std::vector<int32_t>* passing) {
  const std::vector<AnswerFilter> filters = DimensionFilters(document, selection);
  const int32_t respondents = std::max(0, document.answers.RespondentCount());
  std::vector<int32_t> state(static_cast<size_t>(respondents), kPassesAll);
  for (size_t k = 0; k < filters.size(); ++k) MarkFailures(document, filters[k], static_cast<int32_t>(k), state);

  if (counts != nullptr) {
    *counts = AlternativeCounts(selection.DimensionCount(), selection.AlternativeCount(), 0);
    const int32_t rows = std::min(counts->DimensionCount(), static_cast<int32_t>(filters.size()));
    for (int32_t k = 0; k < rows; ++k)
      AddCounts(document, filters[static_cast<size_t>(k)], k, state, counts->Row(k), counts->AlternativeCount());
  }

  int32_t passed = 0;
  if (passing != nullptr) passing->clear();
  for (int32_t r = 0; r < respondents; ++r) {
    if (state[static_cast<size_t>(r)] != kPassesAll) continue;
    ++passed;
    if (passing != nullptr) passing->push_back(r);
  }
  return passed;
}

std::vector<int32_t> FilterRespondents(const SurveyDocument& document, const std::vector<AnswerFilter>& filters) {
  const int32_t respondents = std::max(0, document.answers.RespondentCount());
  std::vector<int32_t> state(static_cast<size_t>(respondents), kPassesAll);
  for (size_t k = 0; k < filters.size(); ++k) MarkFailures(document, filters[k], static_cast<int32_t>(k), state);
  std::vector<int32_t> list;
  for (int32_t r = 0; r < respondents; ++r)
    if (state[static_cast<size_t>(r)] == kPassesAll) list.push_back(r);
  return list;
}

}  // namespace kvf
