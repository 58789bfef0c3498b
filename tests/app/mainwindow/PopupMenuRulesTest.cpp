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

// The entries shown, as words: "rows" (visible), "rows+" (visible and
// enabled), likewise "columns" and "copy"; then each graph entry and bar shown.
QString Shown(const PopupState& p) {
  QStringList words;
  auto entry = [&](const char* name, const EntryState& e) {
    if (e.visible) words << QString::fromLatin1(name) + (e.enabled ? QStringLiteral("+") : QString());
  };
  entry("rows", p.showRowsComments);
  entry("columns", p.showColumnsComments);
  entry("copy", p.copyThisRowsAnswers);
  const std::pair<bool, const char*> flags[] = {{p.bar1, "bar1"},
                                                {p.blockIndexGraph, "blockIndex"},
                                                {p.blockHistogram, "blockHistogram"},
                                                {p.blockGraph, "blockGraph"},
                                                {p.blockRankingGraph, "blockRanking"},
                                                {p.questionHistogram, "histogram"},
                                                {p.questionGraph, "graph"},
                                                {p.questionRankingGraph, "ranking"},
                                                {p.bar2, "bar2"}};
  for (const auto& [on, name] : flags)
    if (on) words << QString::fromLatin1(name);
  return words.join(QLatin1Char(' '));
}

TEST_F(PopupRules, EntriesByHitRow) {
  const std::tuple<int32_t, int32_t, bool, const char*> rows[] = {
      // Respondent 2 commented question 1, a sheet column; nobody commented question 0.
      {2, 0, false, "rows+ columns copy+ bar1 histogram ranking bar2"},
      // Respondent 0 has no comment; question 1 has no graph and there is no total graph.
      {0, 1, false, "rows columns+ copy+ bar1"},
      {0, 1, true, "rows columns+ copy+ bar1 bar2"},
      // The question row: column comments and the question's graphs only.
      {-1, 2, false, "columns bar1 graph bar2"},
      // Block rows: primary block on top, secondary below; a question without a block has none.
      {-3, 0, false, "blockIndex blockHistogram bar2"},
      {-2, 0, false, "blockGraph blockRanking bar2"},
      {-3, 2, false, ""},
      {-3, 2, true, "bar2"}};
  for (const auto& [row, question, totalGraph, shown] : rows)
    EXPECT_EQ(Shown(At(row, question, totalGraph)), QString::fromLatin1(shown)) << row << "," << question;
  EXPECT_EQ(std::make_tuple(At(-3, 0).block, At(-2, 0).block, At(-2, 1).block, At(-3, 2).block),
            std::make_tuple(0, 1, 0, -1));  // no secondary block: the primary one
  // Random order per column hides the row entries.
  sheet_.columnOffsetsActive = true;
  EXPECT_EQ(Shown(At(2, 0)), QStringLiteral("columns bar1 histogram ranking bar2"));
}

TEST_F(PopupRules, GeneralCommentsCountOnlyWithTheDocumentFlag) {
  SurveyRecipe recipe = Recipe(false);
  recipe.Description().respondentComments = {{recipe.Text(QStringLiteral("general"))}};
  document_ = recipe.Load();
  EXPECT_FALSE(At(0, 0).showRowsComments.visible);
  recipe.Info().hasRespondentComments = writer::kTrue;
  document_ = recipe.Load();
  // Respondent 1 lies outside the comment table.
  EXPECT_EQ(std::make_tuple(Shown(At(0, 0)), At(1, 0).showRowsComments.enabled),
            std::make_tuple(QStringLiteral("rows+ copy+ bar1 histogram ranking bar2"), false));
}

TEST_F(PopupRules, TwoHeaderRowsMakeMinusTwoTheTopmost) {
  EXPECT_EQ(std::make_tuple(BlockOfHeaderRow(document_, 0, -2, 2), BlockOfHeaderRow(document_, 0, -1, 2),
                            BlockOfHeaderRow(document_, 0, 5, 2)),
            std::make_tuple(0, -1, -1));
}

TEST_F(PopupRules, BlockGraphListsFollowTheFlagsInBlockOrder) {
  SurveyRecipe recipe = Recipe(true);
  recipe.Description().blocks[1].graphFlags = kGraphHistogram | kGraphFraction | kGraphRanking | kGraphIndex;
  document_ = recipe.Load();
  const BlockGraphMenuMap map = BuildBlockGraphMenuMap(document_);
  using Blocks = std::vector<int32_t>;
  EXPECT_EQ(std::make_tuple(map.histogram, map.graph, map.ranking, map.index),
            std::make_tuple(Blocks{0, 1}, Blocks{1}, Blocks{1}, Blocks{0, 1}));
}

TEST(DoubleAmpersands, DoublesEveryAmpersand) {
  EXPECT_EQ(DoubleAmpersands(QStringLiteral("R&D && more&")), QStringLiteral("R&&D &&&& more&&"));
  EXPECT_EQ(DoubleAmpersands(QString()), QString());
}

}  // namespace
}  // namespace kvf::app
