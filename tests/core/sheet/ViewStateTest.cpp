// CreateSubSheet and the flex total: descriptions, refusals, row orders,
// split flags and flex indexes.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

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
  double NextUniform() override {
    ++calls;
    const double value = values_[next_ % values_.size()];
    ++next_;
    return value;
  }
  int calls = 0;

 private:
  std::vector<double> values_;
  size_t next_ = 0;
};

class RecordingObserver : public SheetObserver {
 public:
  void EraseSheet() override { events.push_back("erase"); }
  void DrawSheet(const SurveyDocument&, const SubSheet& sheet) override {
    events.push_back("draw");
    drawnRows = sheet.respondents.size();
  }
  void DesignSheetView() override { events.push_back("design"); }
  std::vector<std::string> events;
  size_t drawnRows = 0;
};

std::vector<int32_t> Repeat(const std::vector<int32_t>& pattern, size_t count) {
  std::vector<int32_t> values(count);
  for (size_t i = 0; i < count; ++i) values[i] = pattern[i % pattern.size()];
  return values;
}

// n respondents; dimension 0 "Region" (North, South, West) cycles 0,1,2;
// dimension 1 "Sex" (Female, Male) alternates and is the flex question;
// question 2 is an overview question with weights 10 and 20 that counts in
// the total index.
SurveyRecipe Recipe(size_t n) {
  SurveyRecipe builder;
  builder.Add(Dimension(QStringLiteral("Region"),
                        {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("West")}, Repeat({0, 1, 2}, n)));
  TestQuestion sex = Dimension(QStringLiteral("Sex"), {QStringLiteral("Female"), QStringLiteral("Male")}, Repeat({0, 1}, n));
  sex.flexTotal = true;
  builder.Add(sex);
  TestQuestion rating = ValuedQuestion(QStringLiteral("Rating"), {10, 20}, Repeat({0, 1, 1}, n));
  rating.inTotalIndex = true;
  builder.Add(rating);
  return builder;
}

SurveyDocument Survey(size_t n) { return Recipe(n).Load(); }

class ViewStateTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSwedish(false); }
  void TearDown() override { SetSwedish(false); }
  void Start(SurveyDocument& document) {
    view.StartDocument(document);
    view.AddObserver(&observer);
  }
  ViewState view;
  RecordingObserver observer;
};

TEST_F(ViewStateTest, EverythingSelectedIsDescribedByTheAllRespondentsCaption) {
  SurveyDocument document = Survey(12);
  Start(document);
  EXPECT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  const SubSheet& sheet = view.Sheet();
  EXPECT_TRUE(sheet.present);
  EXPECT_EQ(sheet.description, QStringLiteral("All respondents"));
  EXPECT_EQ(sheet.respondents.size(), 12u);
  EXPECT_EQ(sheet.columns, document.overviewQuestions);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"draw", "design"}));
  // Total index over the rating: answers 10, 20, 20 repeated.
  EXPECT_DOUBLE_EQ(sheet.totalIndex, 50.0 / 3.0);
}

TEST_F(ViewStateTest, DescriptionNamesTheChosenAlternativesPerRestrictedDimension) {
  SurveyDocument document = Survey(12);
  Start(document);
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 1, false);
  selection.Set(1, 0, false);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_EQ(view.Sheet().description, QStringLiteral("Region North, West; Sex Male"));
  // Respondents with region 0 or 2 and sex 1: 3, 5, 9, 11.
  EXPECT_EQ(view.Sheet().respondents, (std::vector<int32_t>{3, 5, 9, 11}));
  EXPECT_EQ(observer.events, (std::vector<std::string>{"draw", "design"}));
}

TEST_F(ViewStateTest, EmptySelectionNameLeavesOnlyTheAlternativeNames) {
  SurveyRecipe recipe = Recipe(6);
  recipe.QuestionAt(0).selectionName = QString();
  SurveyDocument document = recipe.Load();
  Start(document);
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 0, false);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_EQ(view.Sheet().description, QStringLiteral("South, West"));
}

TEST_F(ViewStateTest, NothingChosenIsDescribedWithDashesAndRefused) {
  SurveyDocument document = Survey(6);
  Start(document);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  observer.events.clear();
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  for (int32_t a = 0; a < 3; ++a) selection.Set(0, a, false);
  EXPECT_EQ(view.CreateSubSheet(document, selection).Text(),
            QStringLiteral("There are no answers matching the selection criterias!"));
  SetSwedish(true);
  EXPECT_EQ(view.CreateSubSheet(document, selection).Text(),
            QStringLiteral("Det finns inga svar som stämmer överens med det urval du gjort!"));
  // The previous sheet stays and nothing was drawn or erased.
  EXPECT_TRUE(observer.events.empty());
  EXPECT_EQ(view.Sheet().description, QStringLiteral("All respondents"));
  EXPECT_EQ(view.Sheet().respondents.size(), 6u);
  EXPECT_EQ(view.SelectionCount(), 0);
}

TEST_F(ViewStateTest, HiddenFirstAlternativeIsLeftOutOfTheDescriptionOnly) {
  SurveyDocument document = Survey(6);
  document.info.hideFirstAlternative = true;
  Start(document);
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 1, false);
  selection.Set(0, 2, false);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_EQ(view.Sheet().description, QStringLiteral("Region --"));
  EXPECT_EQ(view.Sheet().respondents, (std::vector<int32_t>{0, 3}));
  selection.Set(0, 2, true);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_EQ(view.Sheet().description, QStringLiteral("Region West"));
}

TEST_F(ViewStateTest, TooSmallSelectionsAreRefusedWithTheDocumentsText) {
  SurveyRecipe recipe = Recipe(12);
  recipe.Info().minimumGraphSelection = 5;
  recipe.Info().tooFewCaption = recipe.Text(QStringLiteral("För få svar"));
  SurveyDocument document = recipe.Load();
  Start(document);
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 1, false);
  selection.Set(0, 2, false);  // North: 4 respondents
  EXPECT_EQ(view.CreateSubSheet(document, selection).Text(), QStringLiteral("För få svar"));
  EXPECT_EQ(view.SelectionCount(), 4);
  EXPECT_FALSE(view.Sheet().present);
  // Without a text of its own the refusal still says something.
  document.info.tooFewCaption = -1;
  EXPECT_FALSE(view.CreateSubSheet(document, selection).ok());
}

TEST_F(ViewStateTest, DataRowsNeedTheMinimumSelection) {
  SurveyDocument document = Survey(12);
  document.info.minimumGraphSelection = 2;
  document.info.minimumSelection = 5;
  Start(document);
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 1, false);
  selection.Set(0, 2, false);  // 4 respondents
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_FALSE(view.Sheet().dataRowsAllowed);
  EXPECT_EQ(view.Sheet().rowLimit, 0);
  EXPECT_EQ(SheetShownRowCount(view.Sheet(), 300), 0);
  EXPECT_EQ(view.Sheet().respondents.size(), 4u);
  selection.Set(0, 2, true);  // 8 respondents
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_TRUE(view.Sheet().dataRowsAllowed);
  EXPECT_EQ(view.Sheet().rowLimit, -1);
  EXPECT_EQ(SheetShownRowCount(view.Sheet(), 300), 8);
  EXPECT_EQ(SheetShownRowCount(view.Sheet(), 3), 3);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"draw", "design", "erase", "draw", "design"}));
}

TEST_F(ViewStateTest, ProtectedAlternativesWithSmallCountsDisableSplitting) {
  SurveyRecipe recipe = Recipe(12);
  recipe.Info().minimumGraphSelection = 5;
  recipe.QuestionAt(0).alternatives[1].isProtected = true;
  SurveyDocument document = recipe.Load();
  Start(document);
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  // South has 4 respondents: 0 < 4 < 5.
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_EQ(view.SplitDisabled(), (std::vector<bool>{true, false}));
  // With every respondent dropped by the other dimension South's count is
  // 0, which never disables.
  selection.Set(1, 0, false);
  selection.Set(1, 1, false);
  view.CreateSubSheet(document, selection);
  EXPECT_EQ(view.SplitDisabled(), (std::vector<bool>{false, false}));
}

TEST_F(ViewStateTest, RowOrderFromTheDocumentBelowItsThresholdElseTheUserSetting) {
  auto rotatedBelowFifty = [](size_t n) {
    SurveyRecipe recipe = Recipe(n);
    recipe.Info().rowOrder = 2;
    recipe.Info().rowOrderThreshold = 50;
    return recipe.Load();
  };
  SurveyDocument document = rotatedBelowFifty(60);
  Start(document);
  view.SetRandomSource(std::make_unique<ScriptedRandom>(std::vector<double>{0.5}));
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_EQ(view.Sheet().rowOrder, 0);  // 60 >= 50: user setting 0
  EXPECT_FALSE(view.Sheet().columnOffsetsActive);

  // Region North or South of 60 is 40, of 75 it is 50.
  SurveyDocument smaller = rotatedBelowFifty(73);
  Start(smaller);
  selection = SelectionMatrix::AllSelected(smaller);
  selection.Set(0, 2, false);  // 49 respondents (25 + 24)
  ASSERT_TRUE(view.CreateSubSheet(smaller, selection).ok());
  ASSERT_EQ(view.Sheet().respondents.size(), 49u);
  EXPECT_EQ(view.Sheet().rowOrder, 2);
  EXPECT_TRUE(view.Sheet().columnOffsetsActive);
  ASSERT_EQ(view.Sheet().columnOffsets.size(), 3u);
  EXPECT_EQ(view.Sheet().columnOffsets[0], 24);  // 0.5 × 48
  EXPECT_TRUE(std::is_sorted(view.Sheet().respondents.begin(), view.Sheet().respondents.end()));
  EXPECT_EQ(view.Sheet().RespondentAt(0, 0), view.Sheet().respondents[24]);
  EXPECT_EQ(view.Sheet().RespondentAt(30, 0), view.Sheet().respondents[5]);

  SurveyDocument fifty = rotatedBelowFifty(75);
  Start(fifty);
  view.SetUserRowOrder(1);
  selection = SelectionMatrix::AllSelected(fifty);
  selection.Set(0, 2, false);  // 50 respondents
  ASSERT_TRUE(view.CreateSubSheet(fifty, selection).ok());
  ASSERT_EQ(view.Sheet().respondents.size(), 50u);
  EXPECT_EQ(view.Sheet().rowOrder, 1);
  EXPECT_FALSE(view.Sheet().columnOffsetsActive);
  // A successful run in another order switches the rotation off.
  view.SetUserRowOrder(0);
  ASSERT_TRUE(view.CreateSubSheet(fifty, selection).ok());
  EXPECT_EQ(view.Sheet().rowOrder, 0);
}

TEST_F(ViewStateTest, RandomOrderIsAPermutationReproducibleBySeed) {
  SurveyDocument document = Survey(40);
  Start(document);
  view.SetUserRowOrder(1);
  view.Reseed(7);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  const std::vector<int32_t> first = view.Sheet().respondents;
  std::vector<int32_t> sorted = first;
  std::sort(sorted.begin(), sorted.end());
  std::vector<int32_t> all(40);
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(sorted, all);
  EXPECT_NE(first, all);
  view.Reseed(7);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  EXPECT_EQ(view.Sheet().respondents, first);
}

TEST_F(ViewStateTest, OneRespondentStaysInPlaceInEveryRandomOrder) {
  SurveyDocument document = Survey(4);
  Start(document);
  view.SetRandomSource(std::make_unique<ScriptedRandom>(std::vector<double>{0.999}));
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 0, false);
  selection.Set(0, 2, false);  // South: respondent 1 only
  for (const int32_t order : {1, 2}) {
    view.SetUserRowOrder(order);
    ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
    EXPECT_EQ(view.Sheet().respondents, (std::vector<int32_t>{1}));
    for (const int32_t offset : view.Sheet().columnOffsets) EXPECT_EQ(offset, 0);
  }
}

TEST(RandomPosition, RoundsHalfToEven) {
  EXPECT_EQ(RandomPosition(0.0, 1), 0);
  EXPECT_EQ(RandomPosition(0.5, 2), 0);   // 0.5 -> 0
  EXPECT_EQ(RandomPosition(0.75, 3), 2);  // 1.5 -> 2
  EXPECT_EQ(RandomPosition(0.25, 11), 2);  // 2.5 -> 2
  EXPECT_EQ(RandomPosition(0.35, 11), 4);  // 3.5 -> 4
  EXPECT_EQ(RandomPosition(0.9999999, 5), 4);
}

TEST_F(ViewStateTest, FlexCaptionJoinsNamesWithCommasAndAmpersand) {
  SurveyRecipe builder;
  TestQuestion flex = Dimension(QStringLiteral("Group"),
                                {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")},
                                {0, 1, 2, 3});
  flex.flexTotal = true;
  builder.Add(flex);
  SurveyDocument document = builder.Load();
  EXPECT_EQ(FlexTotalCaption(document, {true, true, true, false}, false), QStringLiteral("Group A, B & C"));
  EXPECT_EQ(FlexTotalCaption(document, {false, true, false, false}, false), QStringLiteral("Group B"));
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
  ASSERT_EQ(view.Flex().caption, QStringLiteral("All respondents"));
  ASSERT_EQ(view.Flex().respondents.size(), 12u);

  view.SetFlexTotal(document, {false, true}, false);
  EXPECT_EQ(view.Flex().caption, QStringLiteral("Sex Male"));
  EXPECT_EQ(view.Flex().respondents, (std::vector<int32_t>{1, 3, 5, 7, 9, 11}));
  // Rating answers of odd respondents: 20, 10, 20, 20, 10, 20.
  EXPECT_DOUBLE_EQ(document.info.currentTotalIndex, 100.0 / 6.0);
  EXPECT_DOUBLE_EQ(document.questions[2].flexIndex, 100.0 / 6.0);
  EXPECT_EQ(document.questions[0].flexIndex, kNoIndex);  // no weights

  // Everything chosen again: the stored values come back unchanged.
  view.SetFlexTotal(document, {true, true}, false);
  EXPECT_EQ(view.Flex().caption, QStringLiteral("All respondents"));
  EXPECT_EQ(view.Flex().respondents.size(), 12u);
  EXPECT_EQ(document.info.currentTotalIndex, 99.0);
  EXPECT_EQ(document.questions[2].flexIndex, 98.0);
}

TEST_F(ViewStateTest, FlexTotalBelowTheMinimumHasNoIndexes) {
  SurveyRecipe recipe = Recipe(12);
  recipe.AddBlock(QStringLiteral("Block"), true);
  recipe.Description().blocks[0].storedIndex = 5.0;
  recipe.Info().minimumGraphSelection = 7;
  SurveyDocument document = recipe.Load();
  Start(document);
  view.SetFlexTotal(document, {false, true}, false);  // 6 respondents < 7
  EXPECT_EQ(view.Flex().respondents.size(), 6u);
  EXPECT_EQ(document.info.currentTotalIndex, kNoIndex);
  EXPECT_EQ(document.questions[2].flexIndex, kNoIndex);
  EXPECT_EQ(document.blocks[0].flexIndex, kNoIndex);
  view.SetFlexTotal(document, {false, false}, false);  // nobody
  EXPECT_TRUE(view.Flex().respondents.empty());
  EXPECT_EQ(document.info.currentTotalIndex, kNoIndex);
}

TEST_F(ViewStateTest, FlexOnCurrentSelectionIsRebuiltByTheNextSheet) {
  SurveyDocument document = Survey(12);
  Start(document);
  view.SetFlexTotal(document, {true, false}, true);
  EXPECT_EQ(view.Flex().caption, QStringLiteral("Current selection but Sex Female"));
  EXPECT_EQ(view.Flex().respondents.size(), 12u);  // left for CreateSubSheet
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 1, false);
  selection.Set(0, 2, false);  // North: 0, 3, 6, 9
  selection.Set(1, 0, false);  // Male: of those 3, 9
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_EQ(view.Sheet().respondents, (std::vector<int32_t>{3, 9}));
  // The flex total: North with the flex filter (Female) instead: 0, 6.
  EXPECT_EQ(view.Flex().respondents, (std::vector<int32_t>{0, 6}));
  EXPECT_DOUBLE_EQ(document.info.currentTotalIndex, 10.0);
  // The flex total is rebuilt even when the selection is refused.
  selection.Set(0, 0, false);
  selection.Set(0, 1, true);
  selection.Set(1, 0, true);
  selection.Set(1, 1, false);  // South females: 4, 10
  document.info.minimumGraphSelection = 3;
  EXPECT_FALSE(view.CreateSubSheet(document, selection).ok());
  EXPECT_EQ(view.Flex().respondents, (std::vector<int32_t>{4, 10}));
  EXPECT_EQ(document.info.currentTotalIndex, kNoIndex);  // 2 < 3
}

TEST_F(ViewStateTest, FlexTotalDiffersWhenTheSelectionOnTheFlexQuestionIsAnother) {
  SurveyDocument document = Survey(12);
  Start(document);
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_FALSE(view.FlexTotalDiffers());
  view.SetFlexTotal(document, {false, true}, false);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_TRUE(view.FlexTotalDiffers());  // all chosen, flex total is not
  selection.Set(1, 0, false);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_FALSE(view.FlexTotalDiffers());  // the same choice
  EXPECT_FALSE(view.Sheet().flexTotalDiffers);
  selection.Set(1, 0, true);
  selection.Set(1, 1, false);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_TRUE(view.Sheet().flexTotalDiffers);
  // An empty flex total never differs.
  view.SetFlexTotal(document, {false, false}, false);
  ASSERT_TRUE(view.CreateSubSheet(document, selection).ok());
  EXPECT_FALSE(view.FlexTotalDiffers());
}

TEST_F(ViewStateTest, HeaderRowsFollowTheColumnsBlocks) {
  SurveyRecipe builder;
  TestQuestion a = ValuedQuestion(QStringLiteral("A"), {1}, {0, 0});
  TestQuestion b = a;
  builder.Add(a);
  b.secondaryBlock = 0;
  builder.Add(b);
  SurveyDocument document = builder.Load();
  Start(document);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  EXPECT_EQ(SheetHeaderRowCount(document, view.Sheet()), 2);
  document.questions[0].primaryBlock = 3;
  EXPECT_EQ(SheetHeaderRowCount(document, view.Sheet()), 3);
  view.Clear();
  EXPECT_EQ(SheetHeaderRowCount(document, view.Sheet()), 0);
  EXPECT_EQ(observer.events.back(), "erase");
}

}  // namespace
}  // namespace kvf::testing
