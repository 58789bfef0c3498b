#pragma once
// Which respondents a selection keeps, and how many each alternative of a
// dimension would add.
//
// A selection keeps respondent r when, for every dimension position k, the
// entry [k, GetData(r, Dimensions[k])] is true.
//
// Answers outside a question's alternatives (a value below 0, at or beyond
// AlternativeCount, or naming no alternative of the table; see
// SurveyDocument::AnswerAlternative) follow one rule everywhere: such an answer
// passes a filter exactly when the filter keeps every alternative of the
// question (entries 0 .. AlternativeCount - 1). So a selection that keeps
// everything keeps every respondent, and any restriction of the dimension
// drops the respondent. Such an answer is added to no alternative's count
// of its own dimension (there is no alternative to add it to), but it does
// count toward the other dimensions' alternatives and toward the number
// that passes. The flex total's filter uses the same rule, and index
// calculations never count such an answer.
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SelectionMatrix.h"

namespace kvf {

// The filter of one question: which answer values pass.
struct AnswerFilter {
  static constexpr uint8_t kPasses = 1;   // the answer passes
  static constexpr uint8_t kInRange = 2;  // the answer names an alternative

  int32_t question = -1;
  // One entry per answer position 0 .. AnswerPositionCount - 1 (see
  // SurveyDocument); answers beyond it are out of range.
  std::vector<uint8_t> answers;
  bool keepsEverything = true;  // every alternative kept: out-of-range answers pass too

  // Builds the filter of a question from one flag per alternative position
  // (missing entries read as false). REQUIRES: question is a question of
  // the document.
  static AnswerFilter FromFlags(const SurveyDocument& document, int32_t question, const std::vector<bool>& flags);
  static AnswerFilter FromSelectionRow(const SurveyDocument& document, const SelectionMatrix& selection,
                                       int32_t dimension);

  bool Passes(int32_t answer) const {
    return static_cast<uint32_t>(answer) < answers.size() ? (answers[static_cast<size_t>(answer)] & kPasses) != 0
                                                          : keepsEverything;
  }
};

// One filter per dimension position, from the selection's rows.
std::vector<AnswerFilter> DimensionFilters(const SurveyDocument& document, const SelectionMatrix& selection);

// Returns the number of respondents that pass the whole selection and fills
// counts (reshaped like the selection and zeroed first) so that counts[k, a]
// is the number of respondents who answered a to dimension k and pass every
// other dimension's filter. Counts run over all respondents of the
// document, never over the flex total. When passing is not null it receives
// the passing respondents in ascending order.
// REQUIRES: selection shaped like SelectionMatrix::AllSelected(document).
// counts and passing may be null.
int32_t CountOptions(const SurveyDocument& document, const SelectionMatrix& selection, AlternativeCounts* counts,
                     std::vector<int32_t>* passing = nullptr);

// The respondents, ascending, that pass every filter. Filters of questions
// outside the answer matrix pass everybody.
std::vector<int32_t> FilterRespondents(const SurveyDocument& document, const std::vector<AnswerFilter>& filters);

}  // namespace kvf
