#pragma once
// The commands that start a basic graph and what each of them says: the
// status texts before and after, the window caption's prefix, the block's
// questions by the rule of the menu the command came from, and the title of
// a split graph. The viewer's menus and `kvf graph` share these.
#include <QString>
#include <cstdint>
#include <vector>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SubSheet.h"
#include "core/text/BiText.h"

namespace kvf {

enum class BasicGraphRoute {
  ViewBlock,       // View > Block Histogram / Block Graph > block
  PopupBlock,      // the pop-up menu's Show Block Histogram / Graph
  QuestionTotal,   // Show Question Histogram / Graph > Total for Current Selection
  SplitBy,         // ... > Split by > dimension
  SplitByAnother,  // ... > Split by Another Question...
};

struct BasicGraphTexts {
  BiText before;
  BiText after;
  BiText captionPrefix;
};

// The status texts and caption prefix of a route and kind (1 or 2).
BasicGraphTexts BasicGraphRouteTexts(BasicGraphRoute route, int32_t kind);
// The failure text of the pop-up's block graphs ("Block histogram
// generation failed!" ...).
BiText BlockGraphFailedText(int32_t kind);
// "The block did not contain any questions!".
BiText EmptyBlockText();

// The questions of a block graph from the View menu: the block membership
// rule of the index calculation (BlockQuestions).
std::vector<int32_t> ViewMenuBlockQuestions(const SurveyDocument& document, int32_t block);
// The block of a pop-up block graph: the question's PrimaryBlock when the
// click was on the top header row or the question has no SecondaryBlock,
// else its SecondaryBlock.
int32_t PopupGraphBlock(const SurveyDocument& document, int32_t question, bool topHeaderRow);
// The questions of a pop-up block graph: the sheet's columns whose same
// block field (primary when usePrimary, else secondary) names the block,
// in sheet order.
std::vector<int32_t> PopupBlockQuestions(const SurveyDocument& document, const SubSheet& sheet, int32_t block,
                                         bool usePrimary);

// The title of a split graph: the question's Name, " split by " (" fördelad
// på " when the document's LanguageCode is "sv") and the split question's
// Name.
QString SplitGraphTitle(const SurveyDocument& document, int32_t question, int32_t splitQuestion);

// The questions a split by another question may use: every overview
// question except the question itself and the dimensions whose split is
// disabled for the current selection (their groups are too small to show).
std::vector<int32_t> SplitQuestionChoices(const SurveyDocument& document, int32_t question,
                                          const std::vector<bool>& splitDisabled);
// The position of a question among the dimensions (the Split by submenu's
// item); -1 when it is not a dimension.
int32_t DimensionPosition(const SurveyDocument& document, int32_t question);

}  // namespace kvf
