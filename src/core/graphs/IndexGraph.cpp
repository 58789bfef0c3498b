#include "core/graphs/IndexGraph.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/graphs/BasicGraph.h"
#include "core/graphs/ChartDescription.h"
#include "core/indexes/IndexCalculation.h"

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

enum class ItemKind { Total, Block, Question };

struct Item {
  ItemKind kind;
  int32_t position;
  QString label;
};

struct Group {
  QString label;
  std::vector<int32_t> respondents;
};

std::vector<Item> Items(const SurveyDocument& document, const IndexGraphRequest& request) {
  std::vector<Item> items;
  const auto label = [&](int32_t i) { return document.GetText(document.info.indexLabels[static_cast<size_t>(i)]); };
  if (request.block < 0) {
    if (request.showMain) items.push_back({ItemKind::Total, -1, label(4)});
    if (request.showQuestions) {
      for (int32_t q : document.overviewQuestions) {
        const Question* question = document.QuestionAt(q);
        if (question != nullptr && question->storedIndex != kNoIndex)
          items.push_back({ItemKind::Question, q, document.GetText(question->name)});
      }
    } else if (request.showBlocksOrQuestions) {
      for (size_t b = 0; b < document.blocks.size(); ++b)
        if (document.blocks[b].storedIndex != kNoIndex)
          items.push_back({ItemKind::Block, static_cast<int32_t>(b), document.BlockName(static_cast<int32_t>(b))});
    }
    return items;
  }
  if (static_cast<size_t>(request.block) >= document.blocks.size()) return items;
  if (request.showMain) items.push_back({ItemKind::Block, request.block, label(3)});
  if (request.showBlocksOrQuestions) {
    const bool byField = document.blocks[static_cast<size_t>(request.block)].membersByQuestionField;
    for (int32_t q : BlockQuestions(document, request.block)) {
      const Question* question = document.QuestionAt(q);
      if (question == nullptr || (byField && question->storedIndex == kNoIndex)) continue;
      items.push_back({ItemKind::Question, q, document.GetText(question->name)});
    }
  }
  return items;
}

std::vector<Group> Groups(const SurveyDocument& document, const SubSheet& sheet, const IndexGraphRequest& request,
                          const ChartOptions& options) {
  if (document.QuestionAt(request.splitQuestion) == nullptr) return {Group{sheet.description, sheet.respondents}};
  const int32_t first = document.FirstOfferedAlternative();
  const int32_t count = document.AnswerPositionCount(request.splitQuestion);
  std::vector<Group> groups(static_cast<size_t>(std::max(0, count - first)));
  for (int32_t r : sheet.respondents) {
    const int32_t a = document.GetData(r, request.splitQuestion);
    if (a >= first && a < count) groups[static_cast<size_t>(a - first)].respondents.push_back(r);
  }
  std::vector<Group> kept;
  for (size_t g = 0; g < groups.size(); ++g) {
    if (groups[g].respondents.empty() && !request.includeEmptySplits) continue;
    const int32_t answer = static_cast<int32_t>(g) + first;
    groups[g].label =
        GroupLabel(document, request.splitQuestion, answer, options.shortCategoryNames) + QStringLiteral(" [") +
        options.locale.toString(static_cast<double>(groups[g].respondents.size()), 'f', 0) + QLatin1Char(']');
    kept.push_back(std::move(groups[g]));
  }
  return kept;
}

// The index of every item over one group's respondents; -1.0 for all of
// them when the group is empty or the document has no indexes.
std::vector<double> ItemValues(const SurveyDocument& document, const std::vector<Item>& items,
                               const std::vector<int32_t>& respondents) {
  std::vector<double> values(items.size(), kNoIndex);
  if (respondents.empty() || !document.info.HasIndexes()) return values;
  const bool needsSums =
      std::any_of(items.begin(), items.end(), [](const Item& i) { return i.kind != ItemKind::Total; });
  const std::vector<IndexSum> sums = needsSums ? QuestionIndexSums(document, respondents) : std::vector<IndexSum>{};
  for (size_t i = 0; i < items.size(); ++i) {
    switch (items[i].kind) {
      case ItemKind::Total:
        values[i] = CalculateTotalIndex(document, respondents);
        break;
      case ItemKind::Block:
        values[i] = BlockIndexFromSums(document, items[i].position, sums);
        break;
      case ItemKind::Question:
        values[i] = static_cast<size_t>(items[i].position) < sums.size()
                        ? sums[static_cast<size_t>(items[i].position)].Index(document)
                        : kNoIndex;
        break;
    }
  }
  return values;
}

void AddLines(const SurveyDocument& document, const SubSheet& sheet, const IndexGraphRequest& request,
              const ChartOptions& options, ChartInterface& chart) {
  if (!document.info.HasIndexes()) return;
  const auto label = [&](int32_t i) { return document.GetText(document.info.indexLabels[static_cast<size_t>(i)]); };
  const bool blockGraph = request.block >= 0 && static_cast<size_t>(request.block) < document.blocks.size();
  std::vector<ChartLine> lines;
  const auto consider = [&](int32_t bit, const std::function<double()>& value, const QString& text,
                            const char* between) {
    if (lines.size() >= 2 || (request.lineMask & bit) == 0) return;
    const double v = value();
    if (v == kNoIndex) return;
    lines.push_back(
        {v, text + QString::fromUtf8(between) + FormatIndexText(document, v, options.locale) + QLatin1Char(')')});
  };
  consider(
      kLineTotalOfTotal, [&] { return document.info.currentTotalIndex; }, label(4), ", total (");
  consider(
      kLineTotalOfCurrent, [&] { return CalculateTotalIndex(document, sheet.respondents); }, label(4), " (");
  if (blockGraph) {
    consider(
        kLineBlockOfTotal, [&] { return document.blocks[static_cast<size_t>(request.block)].flexIndex; }, label(3),
        ", total (");
    consider(
        kLineBlockOfCurrent, [&] { return CalculateBlockIndex(document, request.block, sheet.respondents); }, label(3),
        " (");
  }
  if (lines.empty()) return;
  if (lines.size() == 2 && lines[1].value > lines[0].value) std::swap(lines[0], lines[1]);
  chart.SetLineCount(static_cast<int32_t>(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i)
    chart.SetLine(static_cast<int32_t>(i), lines[i].value, request.explainLines ? lines[i].explanation : QString());
}

}  // namespace

std::optional<std::pair<double, std::optional<int32_t>>> IndexGraphAxis(int32_t maxAlternativeValue,
                                                                        int32_t indexDivisor) {
  if (indexDivisor < 1 || maxAlternativeValue < 10) return std::nullopt;
  const QString digits = QString::number(maxAlternativeValue);
  int32_t d = digits.at(0).digitValue();
  const bool restZero = std::all_of(digits.begin() + 1, digits.end(), [](QChar c) { return c == QLatin1Char('0'); });
  if (!restZero) ++d;
  const double max = d * std::pow(10.0, static_cast<double>(digits.size() - 1)) / indexDivisor;
  std::optional<int32_t> steps;
  switch (d) {
    case 1:
    case 2:
    case 5:
      steps = 5;
      break;
    case 3:
    case 6:
    case 9:
      steps = 6;
      break;
    case 4:
    case 8:
      steps = 4;
      break;
    case 7:
      steps = 7;
      break;
    default:
      break;
  }
  return std::make_pair(max, steps);
}

Status GenerateIndexGraph(const SurveyDocument& document, const SubSheet& sheet, const IndexGraphRequest& request,
                          const ChartOptions& options, ChartInterface& chart) {
  const std::vector<Item> items = Items(document, request);
  const std::vector<Group> groups = Groups(document, sheet, request, options);
  if (static_cast<int64_t>(items.size()) * static_cast<int64_t>(groups.size()) > kMaxChartCells)
    return Status::Failure(GraphTooLargeText());
  std::vector<std::vector<double>> values;
  values.reserve(groups.size());
  for (const Group& group : groups) values.push_back(ItemValues(document, items, group.respondents));

  const QString category =
      CountedCaption(sheet.description, static_cast<int64_t>(sheet.respondents.size()), options.locale);
  const QString indexCaption = document.GetText(document.info.indexCaption);
  chart.HoldDrawing();
  chart.SetChartType(ChartType::Bars);
  chart.SetHorizontal(request.horizontal);
  if (request.horizontal) {
    chart.SetLeftTitle(category);
    chart.SetBottomTitle(indexCaption);
    chart.SetVerticalLabels(false);
  } else {
    chart.SetBottomTitle(category);
    chart.SetLeftTitle(indexCaption);
    chart.SetVerticalLabels(request.verticalLabels);
  }
  chart.SetFixedBarStyles();
  chart.SetDataLabels(request.dataLabels);
  chart.SetMainTitle(CutChartText(request.title));

  const bool turned = items.size() == 1 && groups.size() > 1;
  const size_t points = turned ? groups.size() : items.size();
  const size_t sets = turned ? 1 : groups.size();
  if (sets > 1) chart.SetLegendPlacement(options.legendPlacement);
  if (const auto axis = IndexGraphAxis(document.info.maxAlternativeValue, document.info.indexDivisor))
    chart.SetFixedAxis(axis->first, axis->second);
  chart.SetPointCount(static_cast<int32_t>(points));
  chart.SetSetCount(static_cast<int32_t>(sets));
  for (size_t s = 0; s < sets; ++s) {
    chart.SetCurrentSet(static_cast<int32_t>(s));
    for (size_t p = 0; p < points; ++p) {
      const double value = turned ? values[p][0] : values[s][p];
      const int32_t point = static_cast<int32_t>(p);
      if (value == kNoIndex) {
        chart.SetValue(point, 0.0);
        chart.SetValueLabel(point, QString());
      } else {
        chart.SetValue(point, value);
        if (request.dataLabels) chart.SetValueLabel(point, FormatIndexText(document, value, options.locale));
      }
    }
  }
  for (size_t p = 0; p < points; ++p)
    chart.SetPointLabel(static_cast<int32_t>(p), turned ? groups[p].label : items[p].label);
  if (sets == 1) {
    chart.SetColorCode9();
  } else {
    for (size_t s = 0; s < sets; ++s) chart.SetSetLegend(static_cast<int32_t>(s), groups[s].label);
  }
  AddLines(document, sheet, request, options, chart);
  chart.Draw();
  return Status::Ok();
}

QString TotalIndexGraphTitle(const SurveyDocument& document, bool showTotal, bool showBlocks, bool showQuestions,
                             int32_t splitQuestion) {
  const bool sv = SwedishDocument(document);
  QString title;
  if (showTotal) {
    title = sv ? S("Totalindex") : S("Total index");
    if (showBlocks)
      title += sv ? S(" och alla blockindex") : S(" and all block indexes");
    else if (showQuestions)
      title += sv ? S(" och alla frågeindex") : S(" and all question indexes");
  } else if (showBlocks && showQuestions) {
    title = sv ? S("Alla block- och frågeindex") : S("All block and question indexes");
  } else if (showBlocks) {
    title = sv ? S("Alla blockindex") : S("All block indexes");
  } else if (showQuestions) {
    title = sv ? S("Alla frågeindex") : S("All question indexes");
  }
  if (const Question* split = document.QuestionAt(splitQuestion))
    title += (sv ? S(" fördelat på ") : S(" split by ")) + document.GetText(split->name);
  return title;
}

QString BlockIndexGraphTitle(const SurveyDocument& document, int32_t block, bool showBlock, bool showQuestions,
                             int32_t splitQuestion) {
  const bool sv = SwedishDocument(document);
  QString title;
  if (showBlock) {
    title = document.BlockName(block);
    if (showQuestions) title += sv ? S(" och underliggande frågeindex") : S(" and it's question indexes");
  } else if (showQuestions) {
    title = (sv ? S("Underliggande frågeindex för ") : S("Question indexes for ")) + document.BlockName(block);
  }
  if (const Question* split = document.QuestionAt(splitQuestion))
    title += (sv ? S(" fördelat på ") : S(" split by ")) + document.GetText(split->name);
  return title;
}

}  // namespace kvf
