// The navigator's model: tree keys and check rules, live counts, greyed
// dimensions, Show's rules and the reminder.
#include <gtest/gtest.h>

#include "core/fixtures/SurveyRecipe.h"
#include "core/selection/NavigatorModel.h"
#include "core/sheet/ViewState.h"

namespace kvf::testing {
namespace {

// 12 respondents (see RegionSexRecipe); Sex is the flex question unless noFlex.
SurveyDocument Survey(bool noFlex = false) {
  SurveyRecipe recipe = RegionSexRecipe(12);
  recipe.QuestionAt(1).flexTotal = !noFlex;
  return recipe.Load();
}

// The selection of dimension d's first n alternatives.
std::vector<bool> Chosen(const NavigatorModel& model, int32_t d, int32_t n) {
  std::vector<bool> chosen;
  for (int32_t a = 0; a < n; ++a) chosen.push_back(model.Selection().Get(d, a));
  return chosen;
}

TEST(NavigatorModel, TreeFollowsDimensionsAndHideFirstAlternative) {
  SurveyDocument document = Survey();
  NavigatorModel model;
  model.SetUp(document);
  ASSERT_EQ(model.Dimensions().size(), 2u);
  const auto& region = model.Dimensions()[0];
  EXPECT_EQ(std::make_tuple(region.key, region.text), std::make_tuple(QStringLiteral("R0"), QStringLiteral("Reg")));
  ASSERT_EQ(region.alternatives.size(), 3u);
  EXPECT_EQ(std::make_tuple(region.alternatives[2].key, region.alternatives[2].text),
            std::make_tuple(QStringLiteral("A0-2"), QStringLiteral("West")));
  EXPECT_EQ(std::make_tuple(model.FlexItems().size(), model.FlexControlsVisible(), model.Total()),
            std::make_tuple(size_t{2}, true, 12));

  document.info.hideFirstAlternative = true;
  model.SetUp(document);
  ASSERT_EQ(model.Dimensions()[1].alternatives.size(), 1u);
  EXPECT_EQ(model.Dimensions()[1].alternatives[0].key, QStringLiteral("A1-1"));
  ASSERT_EQ(model.FlexItems().size(), 1u);
  EXPECT_EQ(model.FlexItems()[0].alternative, 1);
  // Unchecking a dimension leaves its hidden first alternative selected.
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("R0"), false));
  EXPECT_EQ(Chosen(model, 0, 3), (std::vector<bool>{true, false, false}));
}

TEST(NavigatorModel, ChildAndParentCheckRules) {
  const SurveyDocument document = Survey();
  NavigatorModel model;
  model.SetUp(document);
  auto set = [&](const char* key, bool on) { return model.SetChecked(document, QString::fromLatin1(key), on); };
  auto checked = [&](const char* key) { return model.IsChecked(QString::fromLatin1(key)); };
  ASSERT_TRUE(set("A0-1", false));
  EXPECT_EQ(std::make_tuple(checked("R0"), model.Selection().Get(0, 1), model.Total()), std::make_tuple(false, false, 8));
  ASSERT_TRUE(set("A0-2", false) && set("A0-1", true));
  EXPECT_FALSE(checked("R0")) << "a sibling is still unchecked";
  ASSERT_TRUE(set("A0-2", true));
  EXPECT_TRUE(checked("R0")) << "the last child checks the dimension again";
  EXPECT_EQ(model.Total(), 12);

  ASSERT_TRUE(set("R1", false));
  EXPECT_EQ(std::make_tuple(checked("A1-0"), checked("A1-1"), model.Total()), std::make_tuple(false, false, 0));
  // Counts: every region among nobody, sexes among all regions.
  EXPECT_EQ(std::make_tuple(model.Count(0, 0), model.Count(1, 0)), std::make_tuple(0, 6));
  ASSERT_TRUE(set("R1", true));
  EXPECT_TRUE(checked("A1-1"));
  EXPECT_FALSE(set("A1-2", false) || set("R5", false) || set("nonsense", false));  // Sex has no third alternative
  EXPECT_EQ(model.Total(), 12);
}

TEST(NavigatorModel, GreyedDimensionsAndShowRules) {
  SurveyRecipe recipe = RegionSexRecipe(12);
  recipe.Info().minimumComplementSelection = 3;
  recipe.Info().minimumGraphSelection = 4;
  recipe.QuestionAt(0).alternatives[0].complementProtected = true;  // North counts for the minimum
  SurveyDocument document = recipe.Load();
  NavigatorModel model;
  model.SetUp(document);
  auto set = [&](const char* key, bool on) { return model.SetChecked(document, QString::fromLatin1(key), on); };
  model.Recount(document, -1);
  EXPECT_EQ(std::make_tuple(model.IsGreyed(0), model.ShowEnabled()), std::make_tuple(false, true));
  // Only women: North has 2 (below 3) -> Region greyed, still safe.
  ASSERT_TRUE(set("A1-1", false));
  EXPECT_EQ(std::make_tuple(model.Count(0, 0), model.IsGreyed(0), model.Unsafe(), model.ShowEnabled()),
            std::make_tuple(2, true, false, true));
  // Restricting the greyed dimension makes the choice unsafe.
  ASSERT_TRUE(set("A0-1", false));
  EXPECT_EQ(std::make_tuple(model.Unsafe(), model.ShowEnabled()), std::make_tuple(true, false));

  // Another dimension's protected alternative with a small count greys it.
  recipe.QuestionAt(1).alternatives[0].complementProtected = true;  // Female counts for the minimum
  document = recipe.Load();
  model.SetUp(document);
  ASSERT_TRUE(set("A0-0", false) && set("A0-2", false));
  // Only South: 2 women, 2 men. Female is protected with 2 -> Sex greyed.
  EXPECT_EQ(std::make_tuple(model.IsGreyed(1), model.Total(), model.ShowEnabled()), std::make_tuple(true, 4, true));
  document.info.minimumComplementSelection = 2;
  model.Recount(document, 0);
  EXPECT_FALSE(model.IsGreyed(1)) << "2 is not below a minimum of 2";
  // Too small a selection keeps Show disabled.
  ASSERT_TRUE(set("A1-1", false));
  EXPECT_EQ(std::make_tuple(model.Total(), model.ShowEnabled()), std::make_tuple(2, false));
}

TEST(NavigatorModel, ShowAppliesFlexAndSelectionOnlyWhenChanged) {
  SurveyDocument document = Survey();
  ViewState view;
  view.StartDocument(document);
  ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
  NavigatorModel model;
  model.SetUp(document);
  EXPECT_FALSE(model.HasUnappliedChanges());
  const ShowOutcome outcome = model.Show(document, view);
  EXPECT_TRUE(!outcome.flexTotalSet && outcome.sheet.ok());

  model.SetFlexChoice(0, false);
  EXPECT_TRUE(model.HasUnappliedChanges());
  EXPECT_TRUE(model.Show(document, view).flexTotalSet);
  EXPECT_EQ(std::make_tuple(view.Flex().respondents.size(), model.HasUnappliedChanges()), std::make_tuple(size_t{6}, false));

  model.SetFlexBasedOnSelection(true);
  EXPECT_TRUE(model.HasUnappliedChanges());
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("A0-0"), false));
  EXPECT_TRUE(model.Show(document, view).flexTotalSet);
  EXPECT_EQ(std::make_tuple(view.Flex().onCurrentSelection, view.Sheet().respondents.size(), model.HasUnappliedChanges()),
            std::make_tuple(true, size_t{8}, false));

  // A refused selection reports its text; the applied copy is the pending one.
  ASSERT_TRUE(model.SetChecked(document, QStringLiteral("R1"), false));
  EXPECT_EQ(model.Show(document, view).sheet.Text(), NoMatchingAnswersText().Get());
  EXPECT_FALSE(model.HasUnappliedChanges());
  EXPECT_EQ(view.Sheet().respondents.size(), 8u);
}

TEST(NavigatorReminder, StartsOnlyWithChangesAndTheSetting) {
  NavigatorReminder reminder;
  bool beep = true;
  EXPECT_FALSE(reminder.Deactivated(true, true, false, &beep) || beep || reminder.Running());
  EXPECT_FALSE(reminder.Deactivated(false, true, true, &beep) || reminder.Running());
  // Running: blinks on each tick until activated; beeps only when asked.
  EXPECT_TRUE(reminder.Deactivated(true, false, true, &beep));
  EXPECT_FALSE(beep);
  std::vector<bool> blinks{reminder.Highlighted()};
  for (int k = 0; k < 2; ++k) {
    reminder.Tick();
    blinks.push_back(reminder.Highlighted());
  }
  EXPECT_EQ(blinks, (std::vector<bool>{true, false, true}));
  reminder.Activated();
  EXPECT_FALSE(reminder.Running() || reminder.Highlighted());
  reminder.Tick();
  EXPECT_FALSE(reminder.Highlighted()) << "a stopped reminder does not blink";
  EXPECT_TRUE(reminder.Deactivated(true, true, true, &beep));
  EXPECT_TRUE(beep);
}

}  // namespace
}  // namespace kvf::testing
