#include "core/indexes/IndexCalculation.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <numeric>

namespace kvf {
namespace {

// The weights of one question's answer positions: entry a is the weight
// answer a counts with, or -1 where it does not count (a weight of -1 never
// counts). Answers at or beyond size() never count.
void AnswerWeights(const SurveyDocument& document, int32_t q, std::vector<int32_t>& weights) {
  weights.assign(static_cast<size_t>(document.AnswerPositionCount(q)), -1);
  for (size_t a = 0; a < weights.size(); ++a)
    weights[a] = CountedWeight(document, q, static_cast<int32_t>(a)).value_or(-1);
}

// Adds to tally[a] the number of listed respondents whose answer to the
// column is a, for every a below tally.size(). Elements of type T.
template <typename T>
void TallyColumn(const uint8_t* column, int32_t respondentCount, const std::vector<int32_t>& respondents,
                 std::vector<int64_t>& tally) {
  const uint32_t limit = static_cast<uint32_t>(tally.size());
  int64_t* counts = tally.data();
  for (const int32_t r : respondents) {
    if (static_cast<uint32_t>(r) >= static_cast<uint32_t>(respondentCount)) continue;
    T element;
    std::memcpy(&element, column + static_cast<size_t>(r) * sizeof(T), sizeof(T));
    const int32_t answer = static_cast<int32_t>(element);
    if (static_cast<uint32_t>(answer) < limit) ++counts[answer];
  }
}

void Tally(const SurveyDocument& document, int32_t q, const std::vector<int32_t>& respondents,
           std::vector<int64_t>& tally) {
  const AnswerMatrix& matrix = document.answers;
  const uint8_t* column = matrix.Column(q);
  switch (matrix.Width()) {
    case 1:
      TallyColumn<uint8_t>(column, matrix.RespondentCount(), respondents, tally);
      break;
    case 2:
      TallyColumn<int16_t>(column, matrix.RespondentCount(), respondents, tally);
      break;
    case 3:
      TallyColumn<int32_t>(column, matrix.RespondentCount(), respondents, tally);
      break;
    default:
      break;
  }
}

bool QuestionInMatrix(const SurveyDocument& document, int32_t q) {
  return q >= 0 && q < document.answers.QuestionCount() && document.QuestionAt(q) != nullptr &&
         document.answers.Present();
}

// Visits every counted answer as (weight, number of answers with it).
template <typename Visit>
void VisitCounted(const SurveyDocument& document, const std::vector<int32_t>& questions,
                  const std::vector<int32_t>& respondents, Visit&& visit) {
  // A question listed several times counts that many times: it is tallied
  // once and its answers weighed by how often it is listed.
  std::vector<int32_t> distinct = questions;
  std::sort(distinct.begin(), distinct.end());
  std::vector<int32_t> weights;
  std::vector<int64_t> tally;
  for (size_t i = 0; i < distinct.size();) {
    const int32_t q = distinct[i];
    size_t next = i + 1;
    while (next < distinct.size() && distinct[next] == q) ++next;
    const auto times = static_cast<int64_t>(next - i);
    i = next;
    if (!QuestionInMatrix(document, q)) continue;
    AnswerWeights(document, q, weights);
    if (weights.empty()) continue;
    tally.assign(weights.size(), 0);
    Tally(document, q, respondents, tally);
    for (size_t a = 0; a < weights.size(); ++a)
      if (tally[a] > 0 && weights[a] != -1) visit(weights[a], tally[a] * times);
  }
}

}  // namespace

std::optional<int32_t> CountedWeight(const SurveyDocument& document, int32_t question, int32_t answer) {
  const Alternative* alternative = document.AnswerAlternative(question, answer);
  if (alternative == nullptr || alternative->value == -1) return std::nullopt;
  return alternative->value;
}

double IndexSum::Index(const SurveyDocument& document) const {
  if (count <= 0) return kNoIndex;
  return (static_cast<double>(sum) / static_cast<double>(count)) / static_cast<double>(document.info.indexDivisor);
}

IndexSum SumCountedAnswers(const SurveyDocument& document, const std::vector<int32_t>& questions,
                           const std::vector<int32_t>& respondents) {
  IndexSum sum;
  VisitCounted(document, questions, respondents, [&](int32_t weight, int64_t answers) { sum.Add(weight, answers); });
  return sum;
}

double CalculateColumnsIndex(const SurveyDocument& document, const std::vector<int32_t>& questions,
                             const std::vector<int32_t>& respondents) {
  return SumCountedAnswers(document, questions, respondents).Index(document);
}

QString IndexValueTable(const SurveyDocument& document, const std::vector<int32_t>& questions,
                        const std::vector<int32_t>& respondents) {
  // Weights 0 .. MaxAlternativeValue go to a dense table as long as it is
  // small; anything else to an ordered map, so a huge or wrong maximum
  // never allocates or indexes out of range.
  constexpr int32_t kDenseLimit = 1 << 16;
  const int32_t maxValue = document.info.maxAlternativeValue;
  std::vector<int64_t> dense(static_cast<size_t>(std::clamp(maxValue + int64_t{1}, int64_t{0}, int64_t{kDenseLimit})), 0);
  std::map<int32_t, int64_t> sparse;
  int64_t count = 0;
  VisitCounted(document, questions, respondents, [&](int32_t weight, int64_t answers) {
    if (weight >= 0 && static_cast<size_t>(weight) < dense.size())
      dense[static_cast<size_t>(weight)] += answers;
    else
      sparse[weight] += answers;
    count += answers;
  });
  if (count <= 0) return {};
  for (size_t w = 0; w < dense.size(); ++w)
    if (dense[w] > 0) sparse[static_cast<int32_t>(w)] += dense[w];
  QString text = QStringLiteral("Value\tCount");
  for (const auto& [weight, answers] : sparse)
    text += QStringLiteral("\r\n%1\t%2").arg(weight).arg(answers);
  return text;
}

std::vector<int32_t> TotalIndexQuestions(const SurveyDocument& document) {
  std::vector<int32_t> list;
  for (const int32_t q : document.overviewQuestions)
    if (const Question* question = document.QuestionAt(q); question != nullptr && question->inTotalIndex)
      list.push_back(q);
  return list;
}

double CalculateTotalIndex(const SurveyDocument& document, const std::vector<int32_t>& respondents) {
  const std::vector<int32_t> questions = TotalIndexQuestions(document);
  if (questions.empty()) return kNoIndex;
  return CalculateColumnsIndex(document, questions, respondents);
}

QString TotalIndexValueTable(const SurveyDocument& document, const std::vector<int32_t>& respondents) {
  return IndexValueTable(document, TotalIndexQuestions(document), respondents);
}

std::vector<int32_t> BlockQuestions(const SurveyDocument& document, int32_t block) {
  return document.BlockMembers(block);
}

std::vector<IndexSum> QuestionIndexSums(const SurveyDocument& document, const std::vector<int32_t>& respondents) {
  std::vector<IndexSum> sums(document.questions.size());
  for (size_t q = 0; q < sums.size(); ++q)
    VisitCounted(document, {static_cast<int32_t>(q)}, respondents,
                 [&](int32_t weight, int64_t answers) { sums[q].Add(weight, answers); });
  return sums;
}

double BlockIndexFromSums(const SurveyDocument& document, int32_t block, const std::vector<IndexSum>& sums) {
  IndexSum total;
  bool any = false;
  for (const int32_t q : document.BlockMembers(block)) {
    any = true;
    if (q >= 0 && static_cast<size_t>(q) < sums.size()) total.Add(sums[static_cast<size_t>(q)]);
  }
  return any ? total.Index(document) : kNoIndex;
}

double CalculateBlockIndex(const SurveyDocument& document, int32_t block, const std::vector<int32_t>& respondents) {
  const std::vector<int32_t> questions = BlockQuestions(document, block);
  if (questions.empty()) return kNoIndex;
  return CalculateColumnsIndex(document, questions, respondents);
}

double CalculateBlockTotalIndex(const SurveyDocument& document, int32_t block) {
  if (document.RespondentCount() < 1) return kNoIndex;
  return CalculateBlockIndex(document, block, AllRespondents(document));
}

double CalculateBlockFlexTotalIndex(const SurveyDocument& document, int32_t block,
                                    const std::vector<int32_t>& flexTotalRespondents) {
  if (flexTotalRespondents.empty()) return kNoIndex;
  return CalculateBlockIndex(document, block, flexTotalRespondents);
}

void UpdateUserBlockIndexes(SurveyDocument& document, const std::vector<int32_t>& flexTotalRespondents) {
  if (!document.info.HasIndexes()) return;
  const std::vector<IndexSum> all = QuestionIndexSums(document, AllRespondents(document));
  const std::vector<IndexSum> flex = QuestionIndexSums(document, flexTotalRespondents);
  for (size_t b = 0; b < document.blocks.size(); ++b) {
    if (document.blocks[b].fromFile) continue;
    const int32_t block = static_cast<int32_t>(b);
    document.blocks[b].storedIndex =
        document.RespondentCount() < 1 ? kNoIndex : BlockIndexFromSums(document, block, all);
    document.blocks[b].flexIndex = flexTotalRespondents.empty() ? kNoIndex : BlockIndexFromSums(document, block, flex);
  }
}

std::vector<int32_t> AllRespondents(const SurveyDocument& document) {
  std::vector<int32_t> list(static_cast<size_t>(std::max(0, document.RespondentCount())));
  std::iota(list.begin(), list.end(), 0);
  return list;
}

QString FormatIndexText(double value, int32_t decimals, const QLocale& locale) {
  if (value == kNoIndex) return QStringLiteral("-");
  return locale.toString(value, 'f', std::clamp(decimals, 0, 5));
}

QString FormatIndexText(const SurveyDocument& document, double value, const QLocale& locale) {
  return FormatIndexText(value, document.info.indexDecimals, locale);
}

}  // namespace kvf
