// CreateSubSheet and the flex total: descriptions, refusals, row orders,
// split flags and flex indexes.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <tuple>

#include "core/fixtures/SurveyRecipe.h"
#include "core/sheet/SheetLayout.h"
#include "core/sheet/ViewState.h"
#include "core/text/Language.h"

namespace kvf::testing {
namespace {

// Replays a fixed list of numbers.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
  double NextUniform() override { return values_[next_++ % values_.size()]; }

 private:
  std::vector<double> values_;
  size_t next_ = 0;
};

class RecordingObserver : public SheetObserver {
 public:
  void EraseSheet() override { events.push_back("erase"); }
  void DrawSheet(const SurveyDocument&, const SubSheet&) override { events.push_back("draw"); }
  void DesignSheetView() override { events.push_back("design"); }
  std::vector<std::string> events;
};

using Events = std::vector<std::string>;
using Rows = std::vector<int32_t>;

SurveyRecipe Recipe(size_t n) { return RegionSexRecipe(n); }
SurveyDocument Survey(size_t n) { return Recipe(n).Load(); }

// Everything selected except the given (dimension, alternative) pairs.
SelectionMatrix Without(const SurveyDocument& document, std::initializer_list<std::pair<int32_t, int32_t>> off) {
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  for (const auto& [d, a] : off) selection.Set(d, a, false);
  return selection;
}

class ViewStateTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSwedish(false); }
  void TearDown() override { SetSwedish(false); }
  void Start(SurveyDocument& document) {
    view.StartDocument(document);
    view.AddObserver(&observer);
  }
  void Create(SurveyDocument& document, const SelectionMatrix& selection) {
    ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  }
  ViewState view;
  RecordingObserver observer;
};

TEST_F(ViewStateTest, DescriptionNamesTheChosenAlternativesPerRestrictedDimension) {
  SurveyDocument document = Survey(12);
  Start(document);
  Create(document, SelectionMatrix::AllSelected(document));
  EXPECT_EQ(std::make_tuple(view.Sheet().present, view.Sheet().description, view.Sheet().respondents.size(),
                            view.Sheet().columns),
            std::make_tuple(true, QStringLiteral("All respondents"), size_t{12}, document.overviewQuestions));
  EXPECT_DOUBLE_EQ(view.Sheet().totalIndex, 50.0 / 3.0);  // 10, 20, 20 repeated
  Create(document, Without(document, {{0, 1}, {1, 0}}));
  EXPECT_EQ(std::make_tuple(view.Sheet().description, view.Sheet().respondents),
            std::make_tuple(QStringLiteral("Region North, West; Sex Male"), Rows{3, 5, 9, 11}));
  EXPECT_EQ(observer.events, (Events{"draw", "design", "erase", "draw", "design"}));

  SurveyRecipe recipe = Recipe(6);
  recipe.QuestionAt(0).selectionName = QString();
  SurveyDocument unnamed = recipe.Load();
  Start(unnamed);
  Create(unnamed, Without(unnamed, {{0, 0}}));
  EXPECT_EQ(view.Sheet().description, QStringLiteral("South, West"));
}

TEST_F(ViewStateTest, NothingChosenIsRefusedAndKeepsThePreviousSheet) {
  SurveyDocument document = Survey(6);
  Start(document);
  Create(document, SelectionMatrix::AllSelected(document));
  observer.events.clear();
  const SelectionMatrix none = Without(document, {{0, 0}, {0, 1}, {0, 2}});
  EXPECT_EQ(view.CreateSubSheet(document, none).Text(), NoMatchingAnswersText().Get());
  EXPECT_TRUE(observer.events.empty());
  EXPECT_EQ(std::make_tuple(view.Sheet().description, view.Sheet().respondents.size(), view.SelectionCount()),
            std::make_tuple(QStringLiteral("All respondents"), size_t{6}, 0));
}

TEST_F(ViewStateTest, TooSmallSelectionsAreRefusedWithTheDocumentsText) {
  SurveyRecipe recipe = Recipe(12);
  recipe.Info().minimumGraphSelection = 5;
  recipe.Info().tooFewCaption = recipe.Text(QStringLiteral("För få svar"));
  SurveyDocument document = recipe.Load();
  Start(document);
  const SelectionMatrix north = Without(document, {{0, 1}, {0, 2}});  // 4 respondents
  EXPECT_EQ(view.CreateSubSheet(document, north).Text(), QStringLiteral("För få svar"));
  EXPECT_EQ(std::make_tuple(view.SelectionCount(), view.Sheet().present), std::make_tuple(4, false));
}

TEST_F(ViewStateTest, DataRowsNeedTheMinimumSelection) {
  SurveyDocument document = Survey(12);
  document.info.minimumGraphSelection = 2;
  document.info.minimumSelection = 5;
  Start(document);
  Create(document, Without(document, {{0, 1}, {0, 2}}));  // 4 respondents
  const SubSheet& sheet = view.Sheet();
  EXPECT_EQ(
      std::make_tuple(sheet.dataRowsAllowed, sheet.rowLimit, SheetShownRowCount(sheet, 300), sheet.respondents.size()),
      std::make_tuple(false, 0, 0, size_t{4}));
  Create(document, Without(document, {{0, 1}}));  // 8 respondents
  EXPECT_EQ(std::make_tuple(sheet.dataRowsAllowed, sheet.rowLimit, SheetShownRowCount(sheet, 300),
                            SheetShownRowCount(sheet, 3)),
            std::make_tuple(true, -1, 8, 3));
}

TEST_F(ViewStateTest, ProtectedAlternativesWithSmallCountsDisableSplitting) {
  SurveyRecipe recipe = Recipe(12);
  recipe.Info().minimumGraphSelection = 5;
  recipe.QuestionAt(0).alternatives[1].isProtected = true;
  SurveyDocument document = recipe.Load();
  Start(document);
  Create(document, SelectionMatrix::AllSelected(document));  // South: 0 < 4 < 5
  EXPECT_EQ(view.SplitDisabled(), (std::vector<bool>{true, false}));
  // A count of 0 (everyone dropped by the other dimension) never disables.
  view.CreateSubSheet(document, Without(document, {{1, 0}, {1, 1}}));
  EXPECT_EQ(view.SplitDisabled(), (std::vector<bool>{false, false}));
}

TEST_F(ViewStateTest, RowOrderFromTheDocumentBelowItsThresholdElseTheUserSetting) {
  auto rotatedBelowFifty = [](size_t n) {
    SurveyRecipe recipe = Recipe(n);
    recipe.Info().rowOrder = 2;
    recipe.Info().rowOrderThreshold = 50;
    return recipe.Load();
  };
  SurveyDocument smaller = rotatedBelowFifty(73);
  Start(smaller);
  view.SetRandomSource(std::make_unique<ScriptedRandom>(std::vector<double>{0.5}));
  Create(smaller, Without(smaller, {{0, 2}}));  // 49 respondents (25 + 24)
  const SubSheet& sheet = view.Sheet();
  ASSERT_EQ(
      std::make_tuple(sheet.respondents.size(), sheet.rowOrder, sheet.columnOffsetsActive, sheet.columnOffsets.size()),
      std::make_tuple(size_t{49}, 2, true, size_t{3}));
  EXPECT_EQ(sheet.columnOffsets[0], 24);  // 0.5 × 48
  EXPECT_TRUE(std::is_sorted(sheet.respondents.begin(), sheet.respondents.end()));
  EXPECT_EQ(std::make_tuple(sheet.RespondentAt(0, 0), sheet.RespondentAt(30, 0)),
            std::make_tuple(sheet.respondents[24], sheet.respondents[5]));

  SurveyDocument fifty = rotatedBelowFifty(75);
  Start(fifty);
  view.SetUserRowOrder(1);
  Create(fifty, Without(fifty, {{0, 2}}));  // 50 respondents
  EXPECT_EQ(std::make_tuple(view.Sheet().respondents.size(), view.Sheet().rowOrder, view.Sheet().columnOffsetsActive),
            std::make_tuple(size_t{50}, 1, false));
  // A successful run in another order switches the rotation off.
  view.SetUserRowOrder(0);
  Create(fifty, Without(fifty, {{0, 2}}));
  EXPECT_EQ(view.Sheet().rowOrder, 0);
}

TEST_F(ViewStateTest, RandomOrderIsAPermutationReproducibleBySeedAndKeepsALoneRespondent) {
  SurveyDocument document = Survey(40);
  Start(document);
  view.SetUserRowOrder(1);
  view.Reseed(7);
  Create(document, SelectionMatrix::AllSelected(document));
  const Rows first = view.Sheet().respondents;
  Rows sorted = first, all(40);
  std::sort(sorted.begin(), sorted.end());
  std::iota(all.begin(), all.end(), 0);
  EXPECT_TRUE(sorted == all && first != all);
  view.Reseed(7);
  Create(document, SelectionMatrix::AllSelected(document));
  EXPECT_EQ(view.Sheet().respondents, first);
}

TEST(RandomPosition, RoundsHalfToEven) {
  const std::tuple<double, int32_t, int32_t> rows[] = {{0.5, 2, 0}, {0.75, 3, 2}, {0.25, 11, 2}, {0.9999999, 5, 4}};
  for (const auto& [u, n, expected] : rows) EXPECT_EQ(RandomPosition(u, n), expected) << u << " × " << n;
}

TEST_F(ViewStateTest, FlexCaptionJoinsNamesWithCommasAndAmpersand) {
  SurveyRecipe builder;
  TestQuestion flex =
      Dimension(QStringLiteral("Group"),
                {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}, {0, 1, 2, 3});
  flex.flexTotal = true;
  builder.Add(flex);
  SurveyDocument document = builder.Load();
  EXPECT_EQ(FlexTotalCaption(document, {true, true, true, false}, false), QStringLiteral("Group A, B & C"));
  EXPECT_EQ(FlexTotalCaption(document, {false, true, false, true}, true),
            QStringLiteral("Current selection but Group B & D"));
  document.info.languageCode = QStringLiteral("sv");
  EXPECT_EQ(FlexTotalCaption(document, {true, false, false, true}, true), QStringLiteral("Aktuellt urval men Group A & D"));
  document.info.hideFirstAlternative = true;
  EXPECT_EQ(FlexTotalCaption(document, {true, false, true, true}, false), QStringLiteral("Group C & D"));
}

TEST_F(ViewStateTest, FlexTotalFiltersTheFlexQuestionAndComputesItsIndexes) {
  SurveyRecipe recipe = Recipe(12);
  recipe.Info().totalIndex = 99.0;
  recipe.QuestionAt(2).storedIndex = 98.0;
  SurveyDocument document = recipe.Load();
  Start(document);
  view.SetFlexTotal(document, {false, true}, false);
  EXPECT_EQ(std::make_tuple(view.Flex().caption, view.Flex().respondents),
            std::make_tuple(QStringLiteral("Sex Male"), Rows{1, 3, 5, 7, 9, 11}));
  // Rating answers of odd respondents: 20, 10, 20, 20, 10, 20.
  EXPECT_EQ(std::make_tuple(document.info.currentTotalIndex, document.questions[2].flexIndex,
                            document.questions[0].flexIndex), std::make_tuple(100.0 / 6.0, 100.0 / 6.0, kNoIndex));
  // Everything chosen again: the stored values come back unchanged.
  view.SetFlexTotal(document, {true, true}, false);
  EXPECT_EQ(std::make_tuple(view.Flex().caption, view.Flex().respondents.size(), document.info.currentTotalIndex,
                            document.questions[2].flexIndex),
            std::make_tuple(QStringLiteral("All respondents"), size_t{12}, 99.0, 98.0));
}

TEST_F(ViewStateTest, FlexOnCurrentSelectionIsRebuiltByTheNextSheet) {
  SurveyDocument document = Survey(12);
  Start(document);
  view.SetFlexTotal(document, {true, false}, true);
  EXPECT_EQ(view.Flex().respondents.size(), 12u);  // left for CreateSubSheet
  Create(document, Without(document, {{0, 1}, {0, 2}, {1, 0}}));  // North males: 3, 9
  EXPECT_EQ(view.Sheet().respondents, (Rows{3, 9}));
  // The flex total: North with the flex filter (Female) instead.
  EXPECT_EQ(view.Flex().respondents, (Rows{0, 6}));
  EXPECT_DOUBLE_EQ(document.info.currentTotalIndex, 10.0);
  // The flex total is rebuilt even when the selection is refused.
  document.info.minimumGraphSelection = 3;
  EXPECT_FALSE(view.CreateSubSheet(document, Without(document, {{0, 0}, {0, 2}, {1, 1}})).ok());  // 4, 10
  EXPECT_EQ(view.Flex().respondents, (Rows{4, 10}));
  EXPECT_EQ(document.info.currentTotalIndex, kNoIndex);  // 2 < 3
}

TEST_F(ViewStateTest, FlexTotalDiffersWhenTheSelectionOnTheFlexQuestionIsAnother) {
  SurveyDocument document = Survey(12);
  Start(document);
  Create(document, SelectionMatrix::AllSelected(document));
  EXPECT_FALSE(view.FlexTotalDiffers());
  view.SetFlexTotal(document, {false, true}, false);
  Create(document, SelectionMatrix::AllSelected(document));
  EXPECT_TRUE(view.FlexTotalDiffers());  // all chosen, flex total is not
  Create(document, Without(document, {{1, 0}}));
  EXPECT_FALSE(view.FlexTotalDiffers() || view.Sheet().flexTotalDiffers);  // the same choice
  Create(document, Without(document, {{1, 1}}));
  EXPECT_TRUE(view.Sheet().flexTotalDiffers);
  view.SetFlexTotal(document, {false, false}, false);  // an empty flex total never differs
  Create(document, Without(document, {{1, 1}}));
  EXPECT_FALSE(view.FlexTotalDiffers());
}

}  // namespace
}  // namespace kvf::testing
