#include "core/indexes/IndexExport.h"

#include <algorithm>

namespace kvf {

namespace {
// The tallies kept for reuse: questions x sub-selections entries.
constexpr int64_t kMaxCachedSums = 4'000'000;

QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

Result<IndexExport> IndexExport::Create(const SurveyDocument& document, const std::vector<int32_t>& selection,
                                        const IndexExportSettings& settings) {
  std::vector<IndexSubSelection> subSelections = BuildIndexSubSelections(document, selection, settings);
  std::vector<IndexGroupRow> rows = BuildIndexGroupRows(document, settings);
  const auto cells = static_cast<int64_t>(subSelections.size()) * static_cast<int64_t>(rows.size());
  if (cells > kMaxCells) {
    const QString count = QString::number(cells);
    return Status::Failure({S("The index table would have %1 cells, more than can be copied!").arg(count),
                            S("Indextabellen skulle få %1 celler, fler än som kan kopieras!").arg(count)});
  }
  return IndexExport(document, std::move(subSelections), std::move(rows));
}

IndexExport::IndexExport(const SurveyDocument& document, std::vector<IndexSubSelection> subSelections,
                         std::vector<IndexGroupRow> rows)
    : document_(&document), subSelections_(std::move(subSelections)), rows_(std::move(rows)) {
  values_.assign(rows_.size() * subSelections_.size(), kNoIndex);
  const auto minimum = static_cast<size_t>(std::max(0, document.info.minimumGraphSelection));
  computable_.reserve(subSelections_.size());
  for (const IndexSubSelection& s : subSelections_)
    computable_.push_back(!s.respondents.empty() && s.respondents.size() >= minimum);
  cached_ =
      static_cast<int64_t>(document.questions.size()) * static_cast<int64_t>(subSelections_.size()) <= kMaxCachedSums;
  if (cached_) slot_.assign(document.questions.size(), -1);
  blockRow_.assign(document.blocks.size(), -1);
}

const IndexSum& IndexExport::QuestionSum(int32_t question, size_t s) {
  int32_t& slot = slot_[static_cast<size_t>(question)];
  if (slot < 0) {
    slot = static_cast<int32_t>(sums_.size() / std::max<size_t>(1, subSelections_.size()));
    sums_.resize(sums_.size() + subSelections_.size());
    IndexSum* sums = &sums_[static_cast<size_t>(slot) * subSelections_.size()];
    for (size_t i = 0; i < subSelections_.size(); ++i)
      if (computable_[i]) sums[i] = SumCountedAnswers(*document_, {question}, subSelections_[i].respondents);
  }
  return sums_[static_cast<size_t>(slot) * subSelections_.size() + s];
}

double IndexExport::ListIndex(const std::vector<int32_t>& questions, size_t s) {
  if (questions.empty()) return kNoIndex;
  if (!cached_) return CalculateColumnsIndex(*document_, questions, subSelections_[s].respondents);
  IndexSum total;
  for (const int32_t q : questions)
    if (q >= 0 && static_cast<size_t>(q) < slot_.size()) total.Add(QuestionSum(q, s));
  return total.Index(*document_);
}

void IndexExport::CalculateNextRow() {
  const auto row = static_cast<size_t>(done_);
  const IndexGroupRow& group = rows_[row];
  const size_t width = subSelections_.size();
  double* values = values_.data() + row * width;
  ++done_;
  if (group.kind == IndexGroupRow::Kind::kBlock) {
    int32_t& first = blockRow_[static_cast<size_t>(group.target)];
    if (first >= 0) {
      std::copy_n(values_.data() + static_cast<size_t>(first) * width, width, values);
      return;
    }
    first = static_cast<int32_t>(row);
  }
  std::vector<int32_t> questions;
  switch (group.kind) {
    case IndexGroupRow::Kind::kTotal:
      questions = TotalIndexQuestions(*document_);
      break;
    case IndexGroupRow::Kind::kBlock:
      questions = BlockQuestions(*document_, group.target);
      break;
    case IndexGroupRow::Kind::kQuestion:
      questions = {group.target};
      break;
  }
  for (size_t s = 0; s < width; ++s) {
    if (subSelections_[s].respondents.empty())
      values[s] = kNoIndex;
    else if (!computable_[s])
      values[s] = kTooFewIndex;
    else
      values[s] = ListIndex(questions, s);
  }
}

bool IndexExport::Calculate(const std::function<bool(int, int)>& progress) {
  while (!Finished()) {
    CalculateNextRow();
    if (progress && !progress(done_, RowCount())) return Finished();
  }
  return true;
}

QString IndexExport::Text(const QString& description, bool showCounts, bool subSelectionsInColumns,
                          const QLocale& locale) const {
  QLocale plain = locale;
  plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
  const int decimals = std::clamp(document_->info.indexDecimals, 0, 5);
  auto value = [&](size_t row, size_t s) -> QString {
    const double v = Value(static_cast<int>(row), static_cast<int>(s));
    if (v == kNoIndex) return {};
    if (v == kTooFewIndex) return QStringLiteral("---");
    return plain.toString(v, 'f', decimals);
  };
  auto count = [&](size_t s) { return plain.toString(static_cast<qlonglong>(subSelections_[s].respondents.size())); };
  const QChar tab(u'\t');
  const QString newLine = QStringLiteral("\r\n");
  QString text = description;
  if (subSelectionsInColumns) {
    for (const IndexSubSelection& s : subSelections_) text += tab + s.name;
    if (showCounts) {
      text += newLine + AnswersWord(*document_);
      for (size_t s = 0; s < subSelections_.size(); ++s) text += tab + count(s);
    }
    for (size_t r = 0; r < rows_.size(); ++r) {
      text += newLine + rows_[r].name;
      for (size_t s = 0; s < subSelections_.size(); ++s) text += tab + value(r, s);
    }
    return text;
  }
  if (showCounts) text += tab + AnswersWord(*document_);
  for (const IndexGroupRow& row : rows_) text += tab + row.name;
  for (size_t s = 0; s < subSelections_.size(); ++s) {
    text += newLine + subSelections_[s].name;
    if (showCounts) text += tab + count(s);
    for (size_t r = 0; r < rows_.size(); ++r) text += tab + value(r, s);
  }
  return text;
}

}  // namespace kvf
