#include "core/graphs/BasicGraph.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "core/indexes/IndexCalculation.h"

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QString NoDecimals(int64_t number, const QLocale& locale) {
  return locale.toString(static_cast<double>(number), 'f', 0);
}

// Reads the answers of one question for a list of respondents straight from
// its column (the width is decided once per column, not per answer) and
// calls visit(listPosition, answer). A question outside the matrix answers
// -1, a document without a matrix 0, as GetData does.
template <typename Visit>
void ForEachAnswer(const SurveyDocument& document, int32_t question, const std::vector<int32_t>& respondents,
                   Visit visit) {
  const AnswerMatrix& matrix = document.answers;
  const int32_t n = matrix.RespondentCount();
  const size_t count = respondents.size();
  if (!matrix.Present() || question < 0 || question >= matrix.QuestionCount()) {
    const int32_t none = matrix.Present() ? -1 : 0;
    for (size_t i = 0; i < count; ++i) visit(i, none);
    return;
  }
  const uint8_t* column = matrix.Column(question);
  auto run = [&](auto read) {
    for (size_t i = 0; i < count; ++i) {
      const int32_t r = respondents[i];
      visit(i, (r >= 0 && r < n) ? read(static_cast<size_t>(r)) : -1);
    }
  };
  switch (matrix.Width()) {
    case 1:
      run([column](size_t r) { return static_cast<int32_t>(column[r]); });
      break;
    case 2:
      run([column](size_t r) {
        int16_t value;
        std::memcpy(&value, column + r * 2, 2);
        return static_cast<int32_t>(value);
      });
      break;
    default:
      run([column](size_t r) {
        int32_t value;
        std::memcpy(&value, column + r * 4, 4);
        return value;
      });
      break;
  }
}

// Random access to one question's answers, as GetData reads them: -1
// outside the matrix and for respondents outside it, 0 without a matrix.
class ColumnReader {
 public:
  ColumnReader(const SurveyDocument& document, int32_t question) {
    const AnswerMatrix& matrix = document.answers;
    respondents_ = matrix.RespondentCount();
    if (!matrix.Present()) {
      none_ = 0;
    } else if (question >= 0 && question < matrix.QuestionCount()) {
      column_ = matrix.Column(question);
      width_ = matrix.Width();
    }
  }
  int32_t At(int32_t respondent) const {
    if (column_ == nullptr || static_cast<uint32_t>(respondent) >= static_cast<uint32_t>(respondents_)) return none_;
    const size_t r = static_cast<size_t>(respondent);
    if (width_ == 1) return column_[r];
    if (width_ == 2) {
      int16_t value;
      std::memcpy(&value, column_ + r * 2, 2);
      return value;
    }
    int32_t value;
    std::memcpy(&value, column_ + r * 4, 4);
    return value;
  }

 private:
  const uint8_t* column_ = nullptr;
  int32_t width_ = 0;
  int32_t respondents_ = 0;
  int32_t none_ = -1;
};

// One bar's tallies: count per answer position and the total.
struct BarTally {
  std::vector<int64_t> counts;
  int64_t total = 0;
  IndexSum index;
};

// The index of a bar over its counted answers, and the sums kept for the
// total of all bars.
void AddIndex(const SurveyDocument& document, int32_t question, BarTally& bar) {
  for (size_t a = 0; a < bar.counts.size(); ++a) {
    if (bar.counts[a] == 0) continue;
    if (const std::optional<int32_t> weight = CountedWeight(document, question, static_cast<int32_t>(a)))
      bar.index.Add(*weight, bar.counts[a]);
  }
}

}  // namespace

BiText GraphTooLargeText() {
  return {S("The graph has too many bars or alternatives to be shown!"),
          S("Grafen har för många staplar eller alternativ för att kunna visas!")};
}

int32_t PerMilleShare(int64_t count, int64_t total) {
  // count * 1000 / total in whole numbers: quotient and remainder decide
  // the rounding exactly, halves to the even neighbour.
  const int64_t scaled = count * kBasicGraphScale;
  int64_t quotient = scaled / total;
  const int64_t twice = 2 * (scaled % total);
  if (twice > total || (twice == total && quotient % 2 != 0)) ++quotient;
  return static_cast<int32_t>(quotient);
}

std::vector<int32_t> OrderedAlternatives(const SurveyDocument& document, int32_t question, bool reversed) {
  std::vector<int32_t> positive;
  std::vector<int32_t> negative;
  const int32_t count = document.AnswerPositionCount(question);
  for (int32_t a = document.FirstOfferedAlternative(); a < count; ++a) {
    const Alternative* alternative = document.AnswerAlternative(question, a);
    if (alternative == nullptr) continue;
    (alternative->graphValue >= 0 ? positive : negative).push_back(a);
  }
  auto value = [&](int32_t a) { return document.AnswerAlternative(question, a)->graphValue; };
  std::stable_sort(positive.begin(), positive.end(),
                   [&](int32_t x, int32_t y) { return reversed ? value(x) < value(y) : value(x) > value(y); });
  positive.insert(positive.end(), negative.begin(), negative.end());
  return positive;
}

Result<BasicGraphData> GenerateBasicGraph(const SurveyDocument& document, const BasicGraphRequest& request,
                                          const BasicGraphSelection& selection, const BasicGraphOptions& options,
                                          const QLocale& locale) {
  BasicGraphData data;
  data.kind = request.kind;
  data.title = request.title;
  data.swedishDocument = document.info.languageCode == QLatin1String("sv");
  const bool indexes = document.info.HasIndexes();
  const int32_t decimals = document.info.indexDecimals;
  const bool split = request.splitQuestion >= 0;

  std::vector<int32_t> questions;
  for (const int32_t q : request.questions)
    if (document.QuestionAt(q) != nullptr) questions.push_back(q);
  if (split && questions.size() > 1) questions.resize(1);
  if (questions.empty()) return data;

  // The budget: bars, and segments plus legend entries, counted before
  // anything is built (a block may list one question a million times).
  const int64_t barCount =
      split ? document.AnswerPositionCount(request.splitQuestion) : static_cast<int64_t>(questions.size());
  if (barCount > kMaxGraphBars) return Status::Failure(GraphTooLargeText());
  int64_t records = 0;
  for (const int32_t q : questions) records += document.AnswerPositionCount(q);
  if (split) records *= 1 + barCount;
  if (records > kMaxGraphSegments) return Status::Failure(GraphTooLargeText());

  // 1-2. Alternative sets in order of first appearance, each with its
  // ordered alternatives and its legend.
  struct AlternativeSet {
    int32_t firstAlternative;
    int32_t count;
    int32_t question;
    int32_t firstLegend;
    std::vector<int32_t> order;
  };
  std::vector<AlternativeSet> sets;
  std::vector<int32_t> setOfQuestion;
  std::unordered_map<int64_t, int32_t> setIndex;  // (FirstAlternative, AlternativeCount) -> set
  for (const int32_t q : questions) {
    const Question& question = *document.QuestionAt(q);
    const int32_t count = document.AlternativeCount(q);
    const int64_t key = (static_cast<int64_t>(question.firstAlternative) << 32) | static_cast<uint32_t>(count);
    auto [found, added] = setIndex.emplace(key, static_cast<int32_t>(sets.size()));
    if (added) {
      AlternativeSet set{question.firstAlternative, count, q, static_cast<int32_t>(data.legend.size()),
                         OrderedAlternatives(document, q, options.valueOrderReversed)};
      for (const int32_t a : set.order) {
        const Alternative& alternative = *document.AnswerAlternative(q, a);
        data.legend.push_back({document.GetText(alternative.name), alternative.graphColor, alternative.graphOptions});
      }
      sets.push_back(std::move(set));
    }
    setOfQuestion.push_back(found->second);
  }
  data.alternativeSetCount = static_cast<int32_t>(sets.size());

  // 3. Counting. Answers that name none of the question's alternatives
  // count nowhere (neither in a segment nor in the total).
  std::vector<BarTally> bars;
  std::vector<int32_t> barQuestion;
  std::vector<int32_t> splitAlternative;
  if (!split) {
    // Each distinct question is counted once, however often it is listed.
    std::unordered_map<int32_t, size_t> counted;
    for (const int32_t q : questions) {
      if (const auto seen = counted.find(q); seen != counted.end()) {
        bars.push_back(bars[seen->second]);
        barQuestion.push_back(q);
        continue;
      }
      BarTally bar;
      const int32_t positions = document.AnswerPositionCount(q);
      bar.counts.assign(static_cast<size_t>(positions), 0);
      ForEachAnswer(document, q, request.respondents, [&](size_t, int32_t a) {
        if (a >= 0 && a < positions) ++bar.counts[static_cast<size_t>(a)];
      });
      for (const int64_t c : bar.counts) bar.total += c;
      counted.emplace(q, bars.size());
      bars.push_back(std::move(bar));
      barQuestion.push_back(q);
    }
  } else {
    const int32_t q = questions.front();
    const int32_t s = request.splitQuestion;
    const int32_t positions = document.AnswerPositionCount(q);
    const int32_t splitPositions = document.AnswerPositionCount(s);
    // One pass over both columns into a flat table [group][answer].
    const size_t width = static_cast<size_t>(positions);
    std::vector<int64_t> table(static_cast<size_t>(std::max(splitPositions, 0)) * width, 0);
    const ColumnReader byColumn(document, s);
    const ColumnReader column(document, q);
    for (const int32_t r : request.respondents) {
      const int32_t group = byColumn.At(r);
      const int32_t a = column.At(r);
      if (static_cast<uint32_t>(group) < static_cast<uint32_t>(splitPositions) &&
          static_cast<uint32_t>(a) < static_cast<uint32_t>(positions))
        ++table[static_cast<size_t>(group) * width + static_cast<size_t>(a)];
    }
    for (int32_t g = document.FirstOfferedAlternative(); g < splitPositions; ++g) {
      if (document.AnswerAlternative(s, g) == nullptr) continue;
      BarTally bar;
      const auto first = table.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(g) * width);
      bar.counts.assign(first, first + static_cast<std::ptrdiff_t>(width));
      for (const int64_t c : bar.counts) bar.total += c;
      bars.push_back(std::move(bar));
      barQuestion.push_back(q);
      splitAlternative.push_back(g);
    }
    const Question& question = *document.QuestionAt(q);
    const Question& by = *document.QuestionAt(s);
    const QString byText = document.GetText(by.text).isEmpty() ? document.GetText(by.name) : document.GetText(by.text);
    data.subtitle = document.GetText(question.text) + QStringLiteral(" / ") + byText;
  }

  // 4-7. Indexes, bars, segments and labels.
  IndexSum summed;
  for (size_t b = 0; b < bars.size(); ++b) {
    BarTally& tally = bars[b];
    const int32_t q = barQuestion[b];
    double index = kNoIndex;
    if (indexes) {
      AddIndex(document, q, tally);
      summed.Add(tally.index);
      index = tally.index.Index(document);
    }
    const AlternativeSet& set = sets[static_cast<size_t>(split ? 0 : setOfQuestion[b])];
    BasicGraphBar bar;
    bar.firstSegment = static_cast<int32_t>(data.segments.size());
    bar.segmentCount = static_cast<int32_t>(set.order.size());
    bar.firstLegend = set.firstLegend;
    bar.alternativesShown = bar.segmentCount;
    bar.alternativeSet = split ? 0 : setOfQuestion[b];
    for (const int32_t a : set.order) {
      const Alternative& alternative = *document.AnswerAlternative(q, a);
      BasicGraphSegment segment;
      segment.color = alternative.graphColor;
      segment.options = alternative.graphOptions;
      if (tally.total > 0) {
        const int64_t count = static_cast<size_t>(a) < tally.counts.size() ? tally.counts[static_cast<size_t>(a)] : 0;
        segment.count = static_cast<int32_t>(count);
        segment.share = PerMilleShare(count, tally.total);
        segment.countText = NoDecimals(count, locale);
        segment.percentText =
            locale.toString(static_cast<double>(count) * 100.0 / static_cast<double>(tally.total), 'f', 0);
      }
      data.segments.push_back(std::move(segment));
    }
    const Question& question = *document.QuestionAt(q);
    if (!split) {
      QString label = document.GetText(question.sheetLabel) + QLatin1Char(' ');
      if (indexes && index >= 0) {
        label += QLatin1Char('(') + FormatIndexText(index, decimals, locale);
        if (request.flex) label += QStringLiteral(" / ") + FormatIndexText(question.flexIndex, decimals, locale);
        label += QStringLiteral(") ");
      }
      bar.label = label + document.GetText(question.text);
    } else {
      const Alternative& group = *document.AnswerAlternative(request.splitQuestion, splitAlternative[b]);
      QString label = document.GetText(options.shortCategoryNames ? group.selectionName : group.name);
      if (indexes && index != kNoIndex) label += QStringLiteral(" (") + FormatIndexText(index, decimals, locale) + ')';
      bar.label = label + QStringLiteral(" [") + NoDecimals(tally.total, locale) + QLatin1Char(']');
    }
    data.bars.push_back(std::move(bar));
  }

  // 8. The selection text.
  data.selectionText = selection.description + QStringLiteral(" [") + NoDecimals(selection.count, locale) + ']';
  if (indexes && request.flex)
    data.selectionText += QStringLiteral(" / ") + selection.flexCaption + QStringLiteral(" [") +
                          NoDecimals(selection.flexCount, locale) + ']';

  // 9. The summed index of all bars.
  if (data.bars.size() >= 2 && indexes && summed.count > 0) {
    data.indexText = (data.swedishDocument ? S("Totalt: ") : S("Total: ")) +
                     FormatIndexText(summed.Index(document), decimals, locale);
    if (request.block >= 0 && request.flex && static_cast<size_t>(request.block) < document.blocks.size())
      data.indexText +=
          QStringLiteral(" / ") +
          FormatIndexText(document.blocks[static_cast<size_t>(request.block)].flexIndex, decimals, locale);
  }
  return data;
}

QString BasicGraphValuesText(const BasicGraphData& data, bool percent) {
  QStringList lines;
  QStringList labels;
  int32_t longest = 0;
  for (const BasicGraphBar& bar : data.bars) {
    labels << bar.label;
    longest = std::max(longest, bar.segmentCount);
  }
  lines << labels.join(QLatin1Char('\t'));
  for (int32_t k = 0; k < longest; ++k) {
    QStringList cells;
    for (const BasicGraphBar& bar : data.bars) {
      const size_t at = static_cast<size_t>(bar.firstSegment) + static_cast<size_t>(k);
      if (k < bar.segmentCount && at < data.segments.size())
        cells << (percent ? data.segments[at].percentText : data.segments[at].countText);
      else
        cells << QString();
    }
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.join(QStringLiteral("\r\n"));
}

QString BasicGraphLegendsText(const BasicGraphData& data) {
  // Every distinct alternative set among the bars, in order of first
  // appearance: its first legend entry and its size.
  std::vector<std::pair<int32_t, int32_t>> sets;
  for (const BasicGraphBar& bar : data.bars) {
    const bool seen =
        std::any_of(sets.begin(), sets.end(), [&](const auto& set) { return set.first == bar.firstLegend; });
    if (!seen) sets.emplace_back(bar.firstLegend, bar.alternativesShown);
  }
  int32_t longest = 0;
  for (const auto& set : sets) longest = std::max(longest, set.second);
  QStringList lines{data.title};
  for (int32_t k = 0; k < longest; ++k) {
    QStringList cells;
    for (const auto& [first, size] : sets) {
      const size_t at = static_cast<size_t>(first) + static_cast<size_t>(k);
      cells << ((k < size && at < data.legend.size()) ? data.legend[at].text : QString());
    }
    lines << cells.join(QLatin1Char('\t'));
  }
  lines << data.selectionText;
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace kvf
