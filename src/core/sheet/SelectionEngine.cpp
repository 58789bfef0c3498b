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

bool FilterApplies(const SurveyDocument& document, const AnswerFilter& filter) {
  return !filter.keepsEverything && filter.question >= 0 && filter.question < document.answers.QuestionCount();
}

// Per respondent, how many filters it fails and the last one it failed.
struct Failures {
  std::vector<int32_t> count;
  std::vector<int32_t> last;

  explicit Failures(size_t respondents) : count(respondents, 0), last(respondents, -1) {}
};

// Adds the failures of one filter (position k) over every respondent,
// without branches on the data: the loop is the hot path of counting.
void MarkFailures(const SurveyDocument& document, const AnswerFilter& filter, int32_t k, Failures& failures) {
  if (!FilterApplies(document, filter)) return;
  const AnswerMatrix& matrix = document.answers;
  const uint8_t* column = matrix.Column(filter.question);
  const size_t n = static_cast<size_t>(matrix.RespondentCount());
  int32_t* count = failures.count.data();
  int32_t* last = failures.last.data();
  // fails[a] for every answer the table covers; the filter keeps not
  // everything here, so answers beyond it (out of range) fail.
  const size_t size = filter.answers.size();
  WithElementType(matrix.Width(), [&]<typename T>(std::type_identity<T>) {
    if constexpr (std::is_same_v<T, uint8_t>) {
      uint8_t fails[256];
      for (size_t a = 0; a < 256; ++a) fails[a] = a < size ? (filter.answers[a] & AnswerFilter::kPasses) == 0 : 1;
      for (size_t r = 0; r < n; ++r) {
        const int32_t fail = fails[column[r]];
        const int32_t mask = -fail;  // all ones on a failure
        count[r] += fail;
        last[r] = (last[r] & ~mask) | (k & mask);
      }
    } else {
      const uint8_t* table = filter.answers.data();
      for (size_t r = 0; r < n; ++r) {
        const int32_t answer = ReadAnswer<T>(column, r);
        const int32_t fail =
            static_cast<size_t>(static_cast<uint32_t>(answer)) < size ? (table[answer] & AnswerFilter::kPasses) == 0 : 1;
        const int32_t mask = -fail;
        count[r] += fail;
        last[r] = (last[r] & ~mask) | (k & mask);
      }
    }
  });
}

Failures MarkAll(const SurveyDocument& document, const std::vector<AnswerFilter>& filters) {
  Failures failures(static_cast<size_t>(std::max(0, document.answers.RespondentCount())));
  for (size_t k = 0; k < filters.size(); ++k) MarkFailures(document, filters[k], static_cast<int32_t>(k), failures);
  return failures;
}

// Adds the answers of the listed respondents to a filter's question into a
// counts row, in-range answers only.
void AddAnswers(const SurveyDocument& document, const AnswerFilter& filter, const std::vector<int32_t>& respondents,
                int32_t* row, int32_t rowWidth) {
  if (filter.question < 0 || filter.question >= document.answers.QuestionCount()) return;
  const AnswerMatrix& matrix = document.answers;
  const uint8_t* column = matrix.Column(filter.question);
  const uint8_t* table = filter.answers.data();
  const uint32_t size = static_cast<uint32_t>(std::min<size_t>(filter.answers.size(), static_cast<size_t>(rowWidth)));
  WithElementType(matrix.Width(), [&]<typename T>(std::type_identity<T>) {
    for (const int32_t r : respondents) {
      const int32_t answer = ReadAnswer<T>(column, static_cast<size_t>(r));
      if (static_cast<uint32_t>(answer) < size && (table[answer] & AnswerFilter::kInRange) != 0) ++row[answer];
    }
  });
}

}  // namespace

AnswerFilter AnswerFilter::FromFlags(const SurveyDocument& document, int32_t question, const std::vector<bool>& flags) {
  AnswerFilter filter;
  filter.question = question;
  const int32_t count = document.AlternativeCount(question);
  for (int32_t a = 0; a < count; ++a)
    if (static_cast<size_t>(a) >= flags.size() || !flags[static_cast<size_t>(a)]) filter.keepsEverything = false;
  const int32_t size = document.AnswerPositionCount(question);
  filter.answers.assign(static_cast<size_t>(size), 0);
  for (int32_t a = 0; a < size; ++a) {
    const bool inRange = document.AnswerAlternative(question, a) != nullptr;
    const bool kept = inRange ? static_cast<size_t>(a) < flags.size() && flags[static_cast<size_t>(a)] : filter.keepsEverything;
    filter.answers[static_cast<size_t>(a)] =
        static_cast<uint8_t>((kept ? kPasses : 0) | (inRange ? kInRange : 0));
  }
  return filter;
}

AnswerFilter AnswerFilter::FromSelectionRow(const SurveyDocument& document, const SelectionMatrix& selection,
                                            int32_t dimension) {
  const int32_t question = document.dimensions[static_cast<size_t>(dimension)];
  const int32_t count = document.AlternativeCount(question);
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
  const Failures failures = MarkAll(document, filters);

  // Respondents failing no filter count everywhere; those failing exactly
  // one count for that filter's dimension only; the rest count nowhere.
  std::vector<int32_t> passed;
  std::vector<int32_t> failedOnce;
  for (size_t r = 0; r < failures.count.size(); ++r) {
    if (failures.count[r] == 0)
      passed.push_back(static_cast<int32_t>(r));
    else if (failures.count[r] == 1)
      failedOnce.push_back(static_cast<int32_t>(r));
  }

  if (counts != nullptr) {
    *counts = AlternativeCounts(selection.DimensionCount(), selection.AlternativeCount(), 0);
    const int32_t rows = std::min(counts->DimensionCount(), static_cast<int32_t>(filters.size()));
    for (int32_t k = 0; k < rows; ++k)
      AddAnswers(document, filters[static_cast<size_t>(k)], passed, counts->Row(k), counts->AlternativeCount());
    // Group the single failures by their dimension.
    std::vector<std::vector<int32_t>> byDimension(static_cast<size_t>(std::max(0, rows)));
    for (const int32_t r : failedOnce) {
      const int32_t k = failures.last[static_cast<size_t>(r)];
      if (k >= 0 && k < rows) byDimension[static_cast<size_t>(k)].push_back(r);
    }
    for (int32_t k = 0; k < rows; ++k)
      AddAnswers(document, filters[static_cast<size_t>(k)], byDimension[static_cast<size_t>(k)], counts->Row(k),
                 counts->AlternativeCount());
  }

  const int32_t result = static_cast<int32_t>(passed.size());
  if (passing != nullptr) *passing = std::move(passed);
  return result;
}

std::vector<int32_t> FilterRespondents(const SurveyDocument& document, const std::vector<AnswerFilter>& filters) {
  const Failures failures = MarkAll(document, filters);
  std::vector<int32_t> list;
  for (size_t r = 0; r < failures.count.size(); ++r)
    if (failures.count[r] == 0) list.push_back(static_cast<int32_t>(r));
  return list;
}

}  // namespace kvf
