// The pop-up's entries by the row a right click hits, the block behind a
// block row, the View block-graph lists and DoubleAmpersands.
#include <gtest/gtest.h>

#include "app/mainwindow/PopupMenuRules.h"
#include "core/fixtures/SurveyRecipe.h"

namespace kvf::app {
namespace {

using kvf::testing::SurveyRecipe;
using kvf::testing::TestQuestion;
using kvf::testing::ValuedQuestion;

// Three respondents, questions 0 (blocks 0 and 1), 1 (block 0 only), 2 (no
// block); an answer comment of respondent 2 on question 1.
class PopupRules : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet_.present = true;
    sheet_.respondents = {0, 1, 2};
    sheet_.columns = {0, 1, 2};
    document_ = Recipe(true).Load();
  }
  static SurveyRecipe Recipe(bool answerComments) {
    SurveyRecipe recipe;
    auto q0 = ValuedQuestion(QStringLiteral("A"), {1, 2}, {0, 1, 0});
    q0.primaryBlock = 0;
    q0.secondaryBlock = 1;
    q0.graphFlags = kGraphHistogram | kGraphRanking;
    auto q1 = ValuedQuestion(QStringLiteral("B"), {1, 2}, {1, 1, 0});
    q1.primaryBlock = 0;
    q1.graphFlags = 0;
    auto q2 = ValuedQuestion(QStringLiteral("C"), {1, 2}, {0, 0, 1});
    q2.graphFlags = kGraphFraction;
    for (const auto& q : {q0, q1, q2}) recipe.Add(q);
    recipe.AddBlock(QStringLiteral("Block & more"), true);
    recipe.AddBlock(QStringLiteral("Sub"), true);
    recipe.Description().blocks[0].graphFlags = kGraphIndex | kGraphHistogram;
    recipe.Description().blocks[1].graphFlags = kGraphFraction | kGraphRanking;
    if (answerComments) recipe.SetAnswerComments({{}, {QString(), QString(), QStringLiteral("note")}});
    return recipe;
  }
  PopupState At(int32_t rowItem, int32_t question, bool totalGraph = false) {
    return ComputePopupState(document_, sheet_, rowItem, question, 3, totalGraph);
  }

  SurveyDocument document_;
  SubSheet sheet_;
};

TEST_F(PopupRules, RespondentRowOffersRowEntriesAndTheQuestionsGraphs) {
  const PopupState withComment = At(2, 0);
  EXPECT_TRUE(withComment.showRowsComments.visible);
  EXPECT_TRUE(withComment.showRowsComments.enabled);  // comment on question 1, a sheet column
  EXPECT_TRUE(withComment.showColumnsComments.visible);
  EXPECT_FALSE(withComment.showColumnsComments.enabled);  // nobody commented question 0
  EXPECT_TRUE(withComment.copyThisRowsAnswers.visible);
  EXPECT_TRUE(withComment.bar1);
  EXPECT_TRUE(withComment.questionHistogram);
  EXPECT_FALSE(withComment.questionGraph);
  EXPECT_TRUE(withComment.questionRankingGraph);
  EXPECT_TRUE(withComment.bar2);
  EXPECT_FALSE(withComment.blockIndexGraph || withComment.blockHistogram || withComment.blockGraph ||
               withComment.blockRankingGraph);

  const PopupState without = At(0, 1);
  EXPECT_FALSE(without.showRowsComments.enabled);
  EXPECT_TRUE(without.showColumnsComments.enabled);  // respondent 2 commented question 1
  EXPECT_FALSE(without.bar2);                        // no graph of question 1, no total graph
  EXPECT_TRUE(At(0, 1, true).bar2);
}

TEST_F(PopupRules, RandomPerColumnHidesTheRowEntries) {
  sheet_.columnOffsetsActive = true;
  const PopupState state = At(2, 0);
  EXPECT_FALSE(state.showRowsComments.visible);
  EXPECT_FALSE(state.copyThisRowsAnswers.visible);
  EXPECT_TRUE(state.showColumnsComments.visible);
  EXPECT_TRUE(state.bar1);
}

TEST_F(PopupRules, GeneralCommentsCountOnlyWithTheDocumentFlag) {
  SurveyRecipe recipe = Recipe(false);
  recipe.Description().respondentComments = {{recipe.Text(QStringLiteral("general"))}};
  document_ = recipe.Load();
  EXPECT_FALSE(At(0, 0).showRowsComments.visible);
  recipe.Info().hasRespondentComments = writer::kTrue;
  document_ = recipe.Load();
  EXPECT_TRUE(At(0, 0).showRowsComments.visible);
  EXPECT_TRUE(At(0, 0).showRowsComments.enabled);
  EXPECT_FALSE(At(1, 0).showRowsComments.enabled);  // outside the comment table
  EXPECT_FALSE(At(0, 0).showColumnsComments.visible);
}

TEST_F(PopupRules, QuestionRowOffersColumnCommentsAndGraphsOnly) {
  const PopupState state = At(-1, 2);
  EXPECT_FALSE(state.showRowsComments.visible);
  EXPECT_FALSE(state.copyThisRowsAnswers.visible);
  EXPECT_TRUE(state.showColumnsComments.visible);
  EXPECT_TRUE(state.bar1);
  EXPECT_TRUE(state.questionGraph);
  EXPECT_FALSE(state.questionHistogram);
  EXPECT_TRUE(state.bar2);
}

TEST_F(PopupRules, BlockRowsPickPrimaryOnTopAndSecondaryBelow) {
  const PopupState top = At(-3, 0);
  EXPECT_EQ(top.block, 0);
  EXPECT_TRUE(top.blockIndexGraph);
  EXPECT_TRUE(top.blockHistogram);
  EXPECT_FALSE(top.blockGraph);
  EXPECT_FALSE(top.questionHistogram);
  EXPECT_FALSE(top.showColumnsComments.visible);
  EXPECT_FALSE(top.bar1);
  EXPECT_TRUE(top.bar2);

  const PopupState sub = At(-2, 0);
  EXPECT_EQ(sub.block, 1);
  EXPECT_TRUE(sub.blockGraph);
  EXPECT_TRUE(sub.blockRankingGraph);
  EXPECT_FALSE(sub.blockIndexGraph);

  EXPECT_EQ(At(-2, 1).block, 0);  // no secondary block: the primary one
}

TEST_F(PopupRules, HeaderRowOfAQuestionWithoutBlockShowsNoBlockEntries) {
  const PopupState state = At(-3, 2);
  EXPECT_EQ(state.block, -1);
  EXPECT_FALSE(state.blockIndexGraph || state.blockHistogram || state.blockGraph || state.blockRankingGraph);
  EXPECT_FALSE(state.bar2);
  EXPECT_TRUE(At(-3, 2, true).bar2);
}

TEST_F(PopupRules, TwoHeaderRowsMakeMinusTwoTheTopmost) {
  EXPECT_EQ(BlockOfHeaderRow(document_, 0, -2, 2), 0);
  EXPECT_EQ(BlockOfHeaderRow(document_, 0, -1, 2), -1);
  EXPECT_EQ(BlockOfHeaderRow(document_, 0, 5, 2), -1);
}

TEST_F(PopupRules, BlockGraphListsFollowTheFlagsInBlockOrder) {
  SurveyRecipe recipe = Recipe(true);
  recipe.Description().blocks[1].graphFlags = kGraphHistogram | kGraphFraction | kGraphRanking | kGraphIndex;
  document_ = recipe.Load();
  const BlockGraphMenuMap map = BuildBlockGraphMenuMap(document_);
  EXPECT_EQ(map.histogram, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(map.graph, (std::vector<int32_t>{1}));
  EXPECT_EQ(map.ranking, (std::vector<int32_t>{1}));
  EXPECT_EQ(map.index, (std::vector<int32_t>{0, 1}));
}

TEST(DoubleAmpersands, DoublesEveryAmpersand) {
  EXPECT_EQ(DoubleAmpersands(QStringLiteral("R&D && more&")), QStringLiteral("R&&D &&&& more&&"));
  EXPECT_EQ(DoubleAmpersands(QString()), QString());
}

}  // namespace
}  // namespace kvf::app
