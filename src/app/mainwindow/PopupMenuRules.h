#pragma once
// Which entries of the sheet's pop-up menu a right click offers, by the row
// it hit (respondent, question row or block row), and the lists behind the
// View menu's four block-graph submenus. Pure functions of the document and
// the sheet, so the rules are checked without a window.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SubSheet.h"

namespace kvf::app {

// GraphFlags bits.
inline constexpr int32_t kGraphHistogram = 1;
inline constexpr int32_t kGraphFraction = 2;
inline constexpr int32_t kGraphRanking = 4;
inline constexpr int32_t kGraphIndex = 256;
// FeatureFlags bit: the total index graph is offered.
inline constexpr int32_t kFeatureTotalIndexGraph = 256;

struct EntryState {
  bool visible = false;
  bool enabled = false;
};

// The entries whose state depends on the hit; the copy, save, total-graph
// and wheel entries keep theirs.
struct PopupState {
  EntryState showRowsComments;
  EntryState showColumnsComments;
  EntryState copyThisRowsAnswers;
  bool bar1 = false;
  bool blockIndexGraph = false;   // Show Block Index Graph
  bool blockHistogram = false;    // Show Block Histogram
  bool blockGraph = false;        // Show Block Graph
  bool blockRankingGraph = false; // Show Block Ranking Graph
  bool questionHistogram = false;
  bool questionGraph = false;
  bool questionRankingGraph = false;
  bool bar2 = false;
  int32_t block = -1;  // the block of a block row (-1: none)
};

// The block a block row stands for: on the topmost header row the
// question's PrimaryBlock; on the other block row its SecondaryBlock when
// set, else its PrimaryBlock. -1 for the question row, respondents and
// questions without that block.
int32_t BlockOfHeaderRow(const SurveyDocument& document, int32_t question, int32_t rowItem, int32_t headerRowCount);

// The pop-up for a hit on (rowItem, question). totalGraphVisible: Show Total
// Index Graph is offered (set when the document loaded).
// REQUIRES: question is a question of the document.
PopupState ComputePopupState(const SurveyDocument& document, const SubSheet& sheet, int32_t rowItem,
                             int32_t question, int32_t headerRowCount, bool totalGraphVisible);

// BlockGraphMenuMap: the blocks (in block-table order) offered by each View
// block-graph submenu.
struct BlockGraphMenuMap {
  std::vector<int32_t> histogram;  // bit 0: Block Histogram
  std::vector<int32_t> graph;      // bit 1: Block Graph
  std::vector<int32_t> ranking;    // bit 2: Block Ranking Graph
  std::vector<int32_t> index;      // bit 8: Block Index Graph
};
BlockGraphMenuMap BuildBlockGraphMenuMap(const SurveyDocument& document);

// Doubles every "&" so that a document text shows literally in a menu
// caption or label.
QString DoubleAmpersands(const QString& text);

}  // namespace kvf::app
