#pragma once
// Index values: the mean weight of the counted answers of a group of
// respondents to a group of questions, divided by the document's divisor.
//
// REQUIRES for every index function: document.info.HasIndexes() (divisor
// >= 1). Every function returns exactly kNoIndex (-1.0) when nothing counts.
// Lists are not changed; respondent or question positions outside the
// matrix are skipped.
//
// Which answers count (CountedWeight): an answer counts when it names one of
// its question's own alternatives (SurveyDocument::AnswerAlternative) and
// that alternative's Value is not exactly -1. Any other weight, 0 and
// negative ones included, counts. An answer value outside the question's
// alternatives never counts; the selection engine applies the matching rule
// (see core/sheet/SelectionEngine.h).
//
// The mean is taken over answers: a respondent counts once per counted
// answer, and a question answered by many weighs more than one answered by
// few. Sums and counts are 64-bit, so no document can overflow them.
// IndexSum is the one place that turns a sum and a count into an index;
// every index shown or stored (sheet rows, total, blocks, questions) comes
// from it.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/document/SurveyDocument.h"

namespace kvf {

// The weight with which an answer to a question counts; nothing when the
// answer does not count.
std::optional<int32_t> CountedWeight(const SurveyDocument& document, int32_t question, int32_t answer);

// The counted answers of a group: the sum of their weights and their number.
struct IndexSum {
  int64_t sum = 0;
  int64_t count = 0;

  void Add(int32_t weight, int64_t answers = 1) {
    sum += static_cast<int64_t>(weight) * answers;
    count += answers;
  }
  void Add(const IndexSum& other) {
    sum += other.sum;
    count += other.count;
  }
  // The mean weight divided by the document's divisor; kNoIndex when
  // nothing counted.
  double Index(const SurveyDocument& document) const;
};

// The counted answers of the listed respondents to the listed questions.
IndexSum SumCountedAnswers(const SurveyDocument& document, const std::vector<int32_t>& questions,
                           const std::vector<int32_t>& respondents);

double CalculateColumnsIndex(const SurveyDocument& document, const std::vector<int32_t>& questions,
                             const std::vector<int32_t>& respondents);

// The IndexValueTable text: "Value" TAB "Count", then per weight with a
// count above 0, ascending, CR LF + weight + TAB + count. Empty when no
// answer counts. Weights outside 0 .. MaxAlternativeValue (negative ones
// other than -1, or above the maximum) are listed in their place in the
// ascending order like any other weight: the table always adds up to the
// count behind the index.
QString IndexValueTable(const SurveyDocument& document, const std::vector<int32_t>& questions,
                        const std::vector<int32_t>& respondents);

// The overview questions that count in the total index, in overview order.
std::vector<int32_t> TotalIndexQuestions(const SurveyDocument& document);

double CalculateTotalIndex(const SurveyDocument& document, const std::vector<int32_t>& respondents);
// The IndexValueTable behind CalculateTotalIndex: what a double click on the
// status bar puts on the clipboard. Empty when nothing counts.
QString TotalIndexValueTable(const SurveyDocument& document, const std::vector<int32_t>& respondents);

// The questions of a block (SurveyDocument::BlockMembers): its block items
// in order, a question listed twice counting twice, or the members named by
// the questions' block fields. Empty for a block position outside the table.
std::vector<int32_t> BlockQuestions(const SurveyDocument& document, int32_t block);

// What every question of the document adds to an index over the
// respondents, each tallied once (entry q for question q). Indexes of many
// blocks over one group of respondents are computed from these, so that a
// question shared by many blocks, or listed many times, is counted once.
std::vector<IndexSum> QuestionIndexSums(const SurveyDocument& document, const std::vector<int32_t>& respondents);
// The index of a block from QuestionIndexSums: the same value as
// CalculateBlockIndex over those respondents.
double BlockIndexFromSums(const SurveyDocument& document, int32_t block, const std::vector<IndexSum>& sums);

double CalculateBlockIndex(const SurveyDocument& document, int32_t block, const std::vector<int32_t>& respondents);
// Over every respondent of the document; -1.0 with no respondents.
double CalculateBlockTotalIndex(const SurveyDocument& document, int32_t block);
// Over the flex total's respondents; -1.0 when the flex total is empty.
double CalculateBlockFlexTotalIndex(const SurveyDocument& document, int32_t block,
                                    const std::vector<int32_t>& flexTotalRespondents);

// After the user's blocks were read or changed: every block that is not
// the document's own gets its StoredIndex over all respondents and its
// FlexIndex over the flex total. Nothing happens without indexes.
void UpdateUserBlockIndexes(SurveyDocument& document, const std::vector<int32_t>& flexTotalRespondents);

// 0, 1, ..., RespondentCount - 1.
std::vector<int32_t> AllRespondents(const SurveyDocument& document);

// The display text of an index: "-" for exactly -1.0, else the number with
// the given decimals (clamped to 0 .. 5) in the locale's format (decimal
// point, grouping, negative sign).
QString FormatIndexText(double value, int32_t decimals, const QLocale& locale = QLocale::system());
// With the document's IndexDecimals.
QString FormatIndexText(const SurveyDocument& document, double value, const QLocale& locale = QLocale::system());

}  // namespace kvf
