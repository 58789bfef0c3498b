#include "core/selection/NavigatorModel.h"

#include <QLocale>
#include <algorithm>

#include "core/sheet/SelectionEngine.h"
#include "core/sheet/ViewState.h"

namespace kvf {

namespace {

// A whole decimal number of 0 or more that fits 32 bits.
std::optional<int32_t> ParseCount(QStringView text) {
  if (text.isEmpty() || text.size() > 10) return std::nullopt;
  int64_t value = 0;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    value = value * 10 + (c.unicode() - '0');
  }
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace

QString DimensionNodeKey(int32_t dimension) { return QStringLiteral("R%1").arg(dimension); }

QString AlternativeNodeKey(int32_t dimension, int32_t alternative) {
  return QStringLiteral("A%1-%2").arg(dimension).arg(alternative);
}

std::optional<NavigatorKey> ParseNavigatorKey(const QString& key) {
  if (key.startsWith(QLatin1Char('R'))) {
    const std::optional<int32_t> d = ParseCount(QStringView(key).mid(1));
    if (!d) return std::nullopt;
    return NavigatorKey{*d, -1};
  }
  if (key.startsWith(QLatin1Char('A'))) {
    const qsizetype dash = key.indexOf(QLatin1Char('-'));
    if (dash < 0) return std::nullopt;
    const std::optional<int32_t> d = ParseCount(QStringView(key).mid(1, dash - 1));
    const std::optional<int32_t> a = ParseCount(QStringView(key).mid(dash + 1));
    if (!d || !a) return std::nullopt;
    return NavigatorKey{*d, *a};
  }
  return std::nullopt;
}

BiText BuildingOverviewText() {
  return {QStringLiteral("Building new overview..."), QStringLiteral("Skapar ny översikt...")};
}

BiText OverviewBuiltText() { return {QStringLiteral("New overview built!"), QStringLiteral("Ny översikt byggd!")}; }

BiText ItemsInSelectionText() { return {QStringLiteral("Items in selection: "), QStringLiteral("Antal i urval: ")}; }

// ---------------------------------------------------------------- set-up

void NavigatorModel::Build(const SurveyDocument& document) {
  tree_.clear();
  flexItems_.clear();
  firstOffered_ = document.FirstOfferedAlternative();
  const auto alternativeName = [&](int32_t q, int32_t a) {
    const Alternative* alternative = document.AnswerAlternative(q, a);
    return alternative != nullptr ? document.GetText(alternative->name) : QString();
  };
  for (int32_t d = 0; d < document.DimensionCount(); ++d) {
    NavigatorDimensionNode node;
    node.question = document.dimensions[static_cast<size_t>(d)];
    node.key = DimensionNodeKey(d);
    if (const Question* question = document.QuestionAt(node.question)) {
      node.text = document.GetText(question->name);
      for (int32_t a = firstOffered_; a < document.AlternativeCount(node.question); ++a)
        node.alternatives.push_back({a, AlternativeNodeKey(d, a), alternativeName(node.question, a), true});
    }
    tree_.push_back(std::move(node));
  }
  const int32_t flex = document.flexTotalQuestion;
  for (int32_t a = firstOffered_; a < document.AlternativeCount(flex); ++a)
    flexItems_.push_back({a, alternativeName(flex, a)});
}

void NavigatorModel::SetUpDimensions(int32_t dimensions, int32_t maxAlternatives,
                                     const DimensionTable<bool>& countsForMinimum, int32_t respondentCount,
                                     int32_t flexAlternatives) {
  const int32_t rows = std::max(dimensions, 1);
  const int32_t columns = std::max(maxAlternatives, 1);
  selection_ = SelectionMatrix(rows, columns, true);
  applied_ = selection_;
  counts_ = AlternativeCounts(rows, columns, 0);
  countsForMinimum_ = DimensionTable<bool>(rows, columns, false);
  for (int32_t d = 0; d < rows; ++d)
    for (int32_t a = 0; a < columns; ++a) countsForMinimum_.Set(d, a, countsForMinimum.Get(d, a));
  greyed_.assign(static_cast<size_t>(rows), false);
  flexVisible_ = flexAlternatives > 0;
  flexChoice_.assign(flexVisible_ ? static_cast<size_t>(flexAlternatives) : 0, true);
  appliedFlexChoice_ = flexChoice_;
  flexBasedOnSelection_ = false;
  appliedFlexBasedOnSelection_ = false;
  total_ = respondentCount;
  unsafe_ = false;
  showEnabled_ = false;
}

void NavigatorModel::SetUp(const SurveyDocument& document) {
  Build(document);
  const int32_t dimensions = document.DimensionCount();
  const int32_t width = document.maxDimensionAlternatives;
  DimensionTable<bool> minimum(dimensions, width, false);
  for (int32_t d = 0; d < dimensions; ++d)
    for (int32_t a = 0; a < width; ++a) minimum.Set(d, a, document.ComplementProtected(d, a));
  SetUpDimensions(dimensions, width, minimum, document.RespondentCount(),
                  document.AlternativeCount(document.flexTotalQuestion));
}

void NavigatorModel::Clear() { *this = NavigatorModel(); }

// ---------------------------------------------------------------- checking

NavigatorDimensionNode* NavigatorModel::FindDimension(int32_t dimension) {
  if (dimension < 0 || static_cast<size_t>(dimension) >= tree_.size()) return nullptr;
  return &tree_[static_cast<size_t>(dimension)];
}

bool NavigatorModel::SetChecked(const SurveyDocument& document, const QString& key, bool checked) {
  const std::optional<NavigatorKey> parsed = ParseNavigatorKey(key);
  if (!parsed) return false;
  NavigatorDimensionNode* node = FindDimension(parsed->dimension);
  if (node == nullptr) return false;
  const int32_t d = parsed->dimension;
  if (parsed->alternative < 0) {
    node->checked = checked;
    for (NavigatorAlternativeNode& child : node->alternatives) child.checked = checked;
    for (int32_t a = firstOffered_; a < selection_.AlternativeCount(); ++a) selection_.Set(d, a, checked);
  } else {
    auto child = std::find_if(node->alternatives.begin(), node->alternatives.end(),
                              [&](const NavigatorAlternativeNode& n) { return n.alternative == parsed->alternative; });
    if (child == node->alternatives.end()) return false;
    child->checked = checked;
    selection_.Set(d, parsed->alternative, checked);
    if (!checked)
      node->checked = false;
    else if (std::all_of(node->alternatives.begin(), node->alternatives.end(),
                         [](const NavigatorAlternativeNode& n) { return n.checked; }))
      node->checked = true;
  }
  Recount(document, d);
  return true;
}

bool NavigatorModel::IsChecked(const QString& key) const {
  const std::optional<NavigatorKey> parsed = ParseNavigatorKey(key);
  if (!parsed || parsed->dimension < 0 || static_cast<size_t>(parsed->dimension) >= tree_.size()) return false;
  const NavigatorDimensionNode& node = tree_[static_cast<size_t>(parsed->dimension)];
  if (parsed->alternative < 0) return node.checked;
  for (const NavigatorAlternativeNode& child : node.alternatives)
    if (child.alternative == parsed->alternative) return child.checked;
  return false;
}

// ---------------------------------------------------------------- counting

void NavigatorModel::Recount(const SurveyDocument& document, int32_t) {
  counts_.Fill(0);
  const SelectionMatrix shape = SelectionMatrix::AllSelected(document);
  // The counting needs the document's own shape; a model that was sized for
  // another shape (or none) counts nothing.
  if (shape.DimensionCount() == selection_.DimensionCount() && shape.AlternativeCount() == selection_.AlternativeCount())
    total_ = CountOptions(document, selection_, &counts_);
  else
    total_ = 0;
  const int32_t minimum = document.info.minimumComplementSelection;
  unsafe_ = false;
  for (int32_t d = 0; d < static_cast<int32_t>(greyed_.size()); ++d) {
    bool small = false;
    for (int32_t a = 0; a < counts_.AlternativeCount() && !small; ++a) {
      const int32_t count = counts_.Get(d, a);
      small = countsForMinimum_.Get(d, a) && count > 0 && count < minimum;
    }
    greyed_[static_cast<size_t>(d)] = small;
    if (small && static_cast<size_t>(d) < tree_.size() && !tree_[static_cast<size_t>(d)].checked) unsafe_ = true;
  }
  showEnabled_ = !unsafe_ && total_ >= document.info.minimumGraphSelection;
}

bool NavigatorModel::IsGreyed(int32_t dimension) const {
  return dimension >= 0 && static_cast<size_t>(dimension) < greyed_.size() && greyed_[static_cast<size_t>(dimension)];
}

QString NavigatorModel::TotalText(bool swedish) const {
  return ItemsInSelectionText().Get(swedish) + QLocale::system().toString(static_cast<qlonglong>(total_));
}

// ---------------------------------------------------------------- flex total

void NavigatorModel::SetFlexChoice(int32_t alternative, bool selected) {
  if (alternative >= 0 && static_cast<size_t>(alternative) < flexChoice_.size())
    flexChoice_[static_cast<size_t>(alternative)] = selected;
}

bool NavigatorModel::FlexChoice(int32_t alternative) const {
  return alternative >= 0 && static_cast<size_t>(alternative) < flexChoice_.size() &&
         flexChoice_[static_cast<size_t>(alternative)];
}

bool NavigatorModel::FlexDiffers() const {
  return flexBasedOnSelection_ != appliedFlexBasedOnSelection_ || flexChoice_ != appliedFlexChoice_;
}

// ---------------------------------------------------------------- applying

bool NavigatorModel::HasUnappliedChanges() const {
  if (flexBasedOnSelection_ != appliedFlexBasedOnSelection_) return true;
  if (flexVisible_ && flexChoice_ != appliedFlexChoice_) return true;
  return !(selection_ == applied_);
}

ShowOutcome NavigatorModel::Show(SurveyDocument& document, ViewState& view) {
  ShowOutcome outcome;
  if (flexVisible_ && FlexDiffers()) {
    appliedFlexBasedOnSelection_ = flexBasedOnSelection_;
    appliedFlexChoice_ = flexChoice_;
    view.SetFlexTotal(document, flexChoice_, flexBasedOnSelection_);
    outcome.flexTotalSet = true;
  }
  applied_ = selection_;
  const SelectionMatrix shape = SelectionMatrix::AllSelected(document);
  const bool shaped = shape.DimensionCount() == selection_.DimensionCount() &&
                      shape.AlternativeCount() == selection_.AlternativeCount();
  // A model not set up for this document applies everything.
  outcome.sheet = view.CreateSubSheet(document, shaped ? selection_ : shape);
  return outcome;
}

// ---------------------------------------------------------------- reminder

bool NavigatorReminder::Deactivated(bool remindSetting, bool beepSetting, bool unappliedChanges, bool* beep) {
  if (beep != nullptr) *beep = false;
  if (!remindSetting || !unappliedChanges) return false;
  running_ = true;
  highlighted_ = true;
  if (beep != nullptr) *beep = beepSetting;
  return true;
}

void NavigatorReminder::Tick() {
  if (running_) highlighted_ = !highlighted_;
}

void NavigatorReminder::Activated() {
  running_ = false;
  highlighted_ = false;
}

}  // namespace kvf
