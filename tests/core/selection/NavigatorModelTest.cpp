// The navigator's model: tree keys and check rules, live counts, greyed
// dimensions, Show's rules and the reminder.
#include <gtest/gtest.h>

#include "core/fixtures/SurveyRecipe.h"
#include "core/selection/NavigatorModel.h"
#include "core/sheet/ViewState.h"

namespace kvf::testing {
namespace {

std::vector<int32_t> Repeat(const std::vector<int32_t>& pattern, size_t count) {
  std::vector<int32_t> values(count);
  for (size_t i = 0; i < count; ++i) values[i] = pattern[i % pattern.size()];
  return values;
}

// 12 respondents: Region (North, South, West) cycles, Sex (Female, Male)
// alternates and is the flex question unless noFlex; one overview question.
SurveyRecipe Recipe(bool noFlex = false) {
  SurveyRecipe builder;
  builder.Add(Dimension(QStringLiteral("Region"), {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("West")},
                        Repeat({0, 1, 2}, 12)));
  TestQuestion sex = Dimension(QStringLiteral("Sex"), {QStringLiteral("Female"), QStringLiteral("Male")}, Repeat({0, 1}, 12));
  sex.flexTotal = !noFlex;
  builder.Add(sex);
  builder.Add(ValuedQuestion(QStringLiteral("Rating"), {1, 2}, Repeat({0, 1, 1}, 12)));
  return builder;
}

SurveyDocument Survey(bool noFlex = false) { return Recipe(noFlex).Load(); }

TEST(NavigatorKeys, FormatAndParse) {
  EXPECT_EQ(DimensionNodeKey(3), QStringLiteral("R3"));
  EXPECT_EQ(AlternativeNodeKey(2, 5), QStringLiteral("A2-5"));
  const auto alternative = ParseNavigatorKey(QStringLiteral("A12-0"));
  ASSERT_TRUE(alternative);
  EXPECT_EQ(alternative->dimension, 12);
  EXPECT_EQ(alternative->alternative, 0);
  EXPECT_EQ(ParseNavigatorKey(QStringLiteral("R7"))->alternative, -1);
  for (const char* bad : {"", "R", "R-1", "A1", "A1-", "A-1-2", "X1", "R1x", "A1-2-3", "R99999999999"})
    EXPECT_FALSE(ParseNavigatorKey(QString::fromLatin1(bad))) << bad;
}

TEST(NavigatorModel, TreeFollowsDimensionsAndHideFirstAlternative) {
  SurveyDocument document = Survey();
  NavigatorModel model;
  model.SetUp(document);
  ASSERT_EQ(model.Dimensions().size(), 2u);
  EXPECT_EQ(model.Dimensions()[0].key, QStringLiteral("R0"));
  EXPECT_EQ(model.Dimensions()[0].text, QStringLiteral("Reg"));
  ASSERT_EQ(model.Dimensions()[0].alternatives.size(), 3u);
  EXPECT_EQ(model.Dimensions()[0].alternatives[2].key, QStringLiteral("A0-2"));
  EXPECT_EQ(model.Dimensions()[0].alternatives[2].text, QStringLiteral("West"));
  ASSERT_EQ(model.FlexItems().size(), 2u);
  EXPECT_TRUE(model.FlexControlsVisible());
  EXPECT_EQ(model.Total(), 12);

  document.info.hideFirstAlternative = true;
  model.SetUp(document);
  ASSERT_EQ(model.Dimensions()[1].alternatives.size(), 1u);
  EXPECT_EQ(model.Dimensions()[1].alternatives[0].key, QStringLiteral("A1-1"));
  ASSERT_EQ(model.FlexItems().size(), 1u);
  EXPECT_EQ(model.FlexItems()[0].alternative, 1);
  // Unchecking a dimension leaves its hidden first alternative selected.
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("R0"), false));
  EXPECT_TRUE(model.Selection().Get(0, 0));
  EXPECT_FALSE(model.Selection().Get(0, 1));
  EXPECT_FALSE(model.Selection().Get(0, 2));
}

TEST(NavigatorModel, ChildAndParentCheckRules) {
  const SurveyDocument document = Survey();
  NavigatorModel model;
  model.SetUp(document);
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-1"), false));
  EXPECT_FALSE(model.IsChecked(QStringLiteral("R0")));
  EXPECT_FALSE(model.Selection().Get(0, 1));
  EXPECT_EQ(model.Total(), 8);
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-2"), false));
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-1"), true));
  EXPECT_FALSE(model.IsChecked(QStringLiteral("R0"))) << "a sibling is still unchecked";
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-2"), true));
  EXPECT_TRUE(model.IsChecked(QStringLiteral("R0"))) << "the last child checks the dimension again";
  EXPECT_EQ(model.Total(), 12);

  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("R1"), false));
  EXPECT_FALSE(model.IsChecked(QStringLiteral("A1-0")));
  EXPECT_FALSE(model.IsChecked(QStringLiteral("A1-1")));
  EXPECT_EQ(model.Total(), 0);
  // Counts: every region among nobody, sexes among all regions.
  EXPECT_EQ(model.Count(0, 0), 0);
  EXPECT_EQ(model.Count(1, 0), 6);
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("R1"), true));
  EXPECT_TRUE(model.IsChecked(QStringLiteral("A1-1")));
  EXPECT_EQ(model.Total(), 12);

  EXPECT_FALSE(model.SetChecked(document, QStringLiteral("A1-2"), false)) << "Sex has no third alternative";
  EXPECT_FALSE(model.SetChecked(document, QStringLiteral("R5"), false));
  EXPECT_FALSE(model.SetChecked(document, QStringLiteral("nonsense"), false));
  EXPECT_EQ(model.Total(), 12);
}

TEST(NavigatorModel, GreyedDimensionsAndShowRules) {
  SurveyRecipe recipe = Recipe();
  recipe.Info().minimumComplementSelection = 3;
  recipe.Info().minimumGraphSelection = 4;
  recipe.QuestionAt(0).alternatives[0].complementProtected = true;  // North counts for the minimum
  SurveyDocument document = recipe.Load();
  NavigatorModel model;
  model.SetUp(document);
  model.Recount(document, -1);
  EXPECT_FALSE(model.IsGreyed(0));
  EXPECT_TRUE(model.ShowEnabled());

  // Only women: North has 2 (below 3) -> Region greyed, still safe.
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A1-1"), false));
  EXPECT_EQ(model.Count(0, 0), 2);
  EXPECT_TRUE(model.IsGreyed(0));
  EXPECT_FALSE(model.Unsafe());
  EXPECT_TRUE(model.ShowEnabled());
  // Restricting the greyed dimension makes the choice unsafe.
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-1"), false));
  EXPECT_TRUE(model.Unsafe());
  EXPECT_FALSE(model.ShowEnabled());
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-1"), true));
  EXPECT_TRUE(model.ShowEnabled());

  // Another dimension's protected alternative with a small count greys it.
  recipe.QuestionAt(1).alternatives[0].complementProtected = true;  // Female counts for the minimum
  document = recipe.Load();
  model.SetUp(document);
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-0"), false));
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-2"), false));
  // Only South: 2 women, 2 men. Female is protected with 2 -> Sex greyed.
  EXPECT_TRUE(model.IsGreyed(1));
  EXPECT_EQ(model.Total(), 4);
  EXPECT_TRUE(model.ShowEnabled());
  document.info.minimumComplementSelection = 2;
  model.Recount(document, 0);
  EXPECT_FALSE(model.IsGreyed(1)) << "2 is not below a minimum of 2";

  // Too small a selection keeps Show disabled.
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A1-1"), false));
  EXPECT_EQ(model.Total(), 2);
  EXPECT_FALSE(model.ShowEnabled());
}

TEST(NavigatorModel, AnAlternativeWithCountZeroNeverGreys) {
  SurveyRecipe recipe;
  recipe.Info().minimumComplementSelection = 7;
  TestQuestion age = Dimension(QStringLiteral("Age"), {QStringLiteral("Young"), QStringLiteral("Old"), QStringLiteral("Unused")},
                               Repeat({0, 1}, 12));
  age.alternatives[2].complementProtected = true;
  recipe.Add(age);
  SurveyDocument document = recipe.Load();
  NavigatorModel model;
  model.SetUp(document);
  model.Recount(document, 0);
  EXPECT_EQ(model.Count(0, 2), 0);
  EXPECT_FALSE(model.IsGreyed(0));
  recipe.QuestionAt(0).alternatives[0].complementProtected = true;
  document = recipe.Load();
  model.SetUp(document);
  model.Recount(document, 0);
  EXPECT_TRUE(model.IsGreyed(0)) << "Young: 6 is below 7";
}

TEST(NavigatorModel, ShowAppliesFlexAndSelectionOnlyWhenChanged) {
  SurveyDocument document = Survey();
  ViewState view;
  view.StartDocument(document);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  NavigatorModel model;
  model.SetUp(document);
  EXPECT_FALSE(model.HasUnappliedChanges());

  ShowOutcome outcome = model.Show(document, view);
  EXPECT_FALSE(outcome.flexTotalSet);
  EXPECT_TRUE(outcome.sheet.ok());

  model.SetFlexChoice(0, false);
  EXPECT_TRUE(model.HasUnappliedChanges());
  outcome = model.Show(document, view);
  EXPECT_TRUE(outcome.flexTotalSet);
  EXPECT_EQ(view.Flex().respondents.size(), 6u);
  EXPECT_FALSE(model.HasUnappliedChanges());

  model.SetFlexBasedOnSelection(true);
  EXPECT_TRUE(model.HasUnappliedChanges());
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-0"), false));
  outcome = model.Show(document, view);
  EXPECT_TRUE(outcome.flexTotalSet);
  EXPECT_TRUE(view.Flex().onCurrentSelection);
  EXPECT_EQ(view.Sheet().respondents.size(), 8u);
  EXPECT_FALSE(model.HasUnappliedChanges());

  // A refused selection reports its text; the applied copy is the pending one.
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("R1"), false));
  outcome = model.Show(document, view);
  EXPECT_EQ(outcome.sheet.Text(), NoMatchingAnswersText().Get());
  EXPECT_FALSE(model.HasUnappliedChanges());
  EXPECT_EQ(view.Sheet().respondents.size(), 8u);
}

TEST(NavigatorModel, WithoutFlexQuestionShowNeverSetsTheFlexTotal) {
  SurveyDocument document = Survey(true);
  ViewState view;
  view.StartDocument(document);
  NavigatorModel model;
  model.SetUp(document);
  EXPECT_FALSE(model.FlexControlsVisible());
  EXPECT_TRUE(model.FlexItems().empty());
  model.SetFlexChoice(0, false);  // no list: ignored
  EXPECT_FALSE(model.HasUnappliedChanges());
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-0"), false));
  const ShowOutcome outcome = model.Show(document, view);
  EXPECT_FALSE(outcome.flexTotalSet);
  EXPECT_EQ(view.Flex().respondents.size(), 12u);
  EXPECT_EQ(view.Sheet().respondents.size(), 8u);
}

TEST(NavigatorReminder, StartsOnlyWithChangesAndTheSetting) {
  NavigatorReminder reminder;
  bool beep = true;
  EXPECT_FALSE(reminder.Deactivated(true, true, false, &beep));
  EXPECT_FALSE(beep);
  EXPECT_FALSE(reminder.Running());
  EXPECT_FALSE(reminder.Deactivated(false, true, true, &beep));
  EXPECT_FALSE(reminder.Running());

  EXPECT_TRUE(reminder.Deactivated(true, false, true, &beep));
  EXPECT_FALSE(beep);
  EXPECT_TRUE(reminder.Highlighted());
  reminder.Tick();
  EXPECT_FALSE(reminder.Highlighted());
  reminder.Tick();
  EXPECT_TRUE(reminder.Highlighted());
  reminder.Activated();
  EXPECT_FALSE(reminder.Running());
  EXPECT_FALSE(reminder.Highlighted());
  reminder.Tick();
  EXPECT_FALSE(reminder.Highlighted()) << "a stopped reminder does not blink";

  EXPECT_TRUE(reminder.Deactivated(true, true, true, &beep));
  EXPECT_TRUE(beep);
}

}  // namespace
}  // namespace kvf::testing
