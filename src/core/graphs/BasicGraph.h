#pragma once
// The data of a block or question histogram or fraction graph: what the
// basic graph window draws, copies and prints. GenerateBasicGraph is a pure
// function of the document, the respondents and the request, so the viewer,
// kvf and the tests share it.
//
// Layout of the records: one bar per question (or per split alternative),
// its segments stored together in BasicGraphData::segments, one segment per
// shown alternative of the bar's alternative set; the legend entries of each
// alternative set are stored together in BasicGraphData::legend. An
// alternative set is the group of questions sharing FirstAlternative and
// AlternativeCount, numbered in order of first appearance.
//
// Hostile input: answers outside a question's alternatives count in no
// alternative and in no total; alternatives beyond the alternative table
// are left out; each distinct question is counted once however often a
// block lists it; the number of bars and segments has a budget.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/text/BiText.h"
#include "core/text/Result.h"

namespace kvf {

// BasicGraphKind.
inline constexpr int32_t kHistogram = 1;
inline constexpr int32_t kFractionGraph = 2;
// BasicGraphScale: a bar's full length in per-mille units.
inline constexpr int32_t kBasicGraphScale = 1000;
// GraphOptions bit 0: the segment and its legend box are outlined.
inline constexpr int32_t kGraphOptionOutlined = 1;

struct BasicGraphBar {
  int32_t firstSegment = 0;
  int32_t segmentCount = 0;
  QString label;
  int32_t firstLegend = 0;        // the first legend entry of the bar's alternative set
  int32_t alternativesShown = 0;  // number of alternatives shown (= segmentCount)
  int32_t alternativeSet = 0;     // 0-based number of the bar's alternative set
};

struct BasicGraphSegment {
  int32_t count = 0;
  int32_t share = 0;  // per mille of the bar's total
  QString countText;
  QString percentText;
  Colour color = -1;
  int32_t options = 0;
};

struct BasicGraphLegendEntry {
  QString text;
  Colour color = -1;
  int32_t options = 0;
};

struct BasicGraphData {
  int32_t kind = kHistogram;
  int32_t scale = kBasicGraphScale;
  QString title;
  QString subtitle;
  QString selectionText;
  QString indexText;
  std::vector<BasicGraphBar> bars;
  std::vector<BasicGraphSegment> segments;
  std::vector<BasicGraphLegendEntry> legend;
  int32_t alternativeSetCount = 0;
  // The document's LanguageCode is "sv" (the axis caption follows it).
  bool swedishDocument = false;
};

// What one GenerateBasicGraph call graphs.
struct BasicGraphRequest {
  std::vector<int32_t> respondents;  // SheetRespondents
  std::vector<int32_t> questions;    // the bars (without a split), or the one question
  int32_t splitQuestion = -1;        // -1: no split
  QString title;
  int32_t block = -1;  // -1: not a block graph
  bool flex = false;   // FlexTotalDiffers
  int32_t kind = kHistogram;
};

// The selection the graph is made of, as the view state holds it.
struct BasicGraphSelection {
  QString description;    // SelectionDescription
  int64_t count = 0;      // respondents in the current selection
  QString flexCaption;    // FlexTotalCaption
  int64_t flexCount = 0;  // respondents of the flex total
};

// The options "Graph Value Order Reversed" and "Graph By Category Use Short
// Category Names".
struct BasicGraphOptions {
  bool valueOrderReversed = false;
  bool shortCategoryNames = true;
};

// Budgets no window or page could show beyond: bars of one graph, and its
// segments and legend entries together.
inline constexpr int64_t kMaxGraphBars = 10000;
inline constexpr int64_t kMaxGraphSegments = 1000000;
// "The graph has too many bars or alternatives to be shown!".
BiText GraphTooLargeText();

// Computes the basic graph data. Numbers are formatted with locale. Fails
// with GraphTooLargeText beyond the budgets. Question positions outside the
// document are skipped; without a question the data has no bars.
Result<BasicGraphData> GenerateBasicGraph(const SurveyDocument& document, const BasicGraphRequest& request,
                                          const BasicGraphSelection& selection, const BasicGraphOptions& options,
                                          const QLocale& locale = QLocale::system());

// The ordered alternative positions of a question's alternative set:
// from position (HideFirstAlternative ? 1 : 0), GraphValue >= 0 first in
// descending value (ascending when reversed), ties in alternative order,
// then negative GraphValues in alternative order.
std::vector<int32_t> OrderedAlternatives(const SurveyDocument& document, int32_t question, bool reversed);

// count * 1000 / total rounded half to even. REQUIRES: total > 0.
int32_t PerMilleShare(int64_t count, int64_t total);

// The text of Copy values: bar labels, then one line per segment position
// with each bar's count (or percent) texts; TAB between cells, CR LF between
// lines, nothing after the last.
QString BasicGraphValuesText(const BasicGraphData& data, bool percent);
// The text of Copy legends: the title, one line per legend position with
// each alternative set's entry, the selection text.
QString BasicGraphLegendsText(const BasicGraphData& data);

}  // namespace kvf
