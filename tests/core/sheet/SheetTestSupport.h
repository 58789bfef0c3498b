#pragma once
// Documents and sheets for the sheet drawing tests: coloured questions in
// chosen blocks, every respondent shown.
#include <QRgb>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/fixtures/SurveyRecipe.h"
#include "core/sheet/ViewState.h"

namespace kvf::testing {

// Fonts and images need a GUI application (offscreen).
void EnsureGuiApplication();

inline constexpr Colour kCaptionColour = 0x00F0F0F0;
inline constexpr Colour kGroupLineColour = 0x00000080;  // dark red
inline constexpr Colour kLevelColours[4] = {0x00FF0000, 0x0000FF00, 0x00FFFF00, 0x0000FFFF};
inline constexpr Colour kQuestionColour = 0x00C0C0C0;
// Alternative a of every question: kAlternativeColours[a].
inline constexpr Colour kAlternativeColours[3] = {0x000000FF, 0x00008000, 0x00FF00FF};

struct SheetColumns {
  std::vector<int32_t> primary{};    // one per column: its question's PrimaryBlock
  std::vector<int32_t> secondary{};  // empty: all -1
  // answers[column][respondent]; alternatives 0, 1, 2 with values 1, 2, 3
  // and labels "1", "2", "3".
  std::vector<std::vector<int32_t>> answers{};
  int32_t blockCount = 0;  // blocks named "Block 0", "Block 1", ...
};

// Every question is an overview question in total index; index divisor 1,
// caption texts "Total", "Count", "Selection". SheetRecipe leaves the recipe
// open for a test's own changes; SheetSurvey loads it as it is.
SurveyRecipe SheetRecipe(const SheetColumns& columns);
SurveyDocument SheetSurvey(const SheetColumns& columns);

// Every respondent in order, every overview question, no row limit.
SubSheet WholeSheet(const SurveyDocument& document);

// The QRgb of a COLORREF.
QRgb Rgb(Colour colour);

}  // namespace kvf::testing
