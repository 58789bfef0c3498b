// The pop-up's entries by the row a right click hits, the block behind a
// block row and the View block-graph lists.
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
    const std::tuple<const char*, std::vector<int32_t>, int32_t, int32_t, int32_t> questions[] = {
        {"A", {0, 1, 0}, 0, 1, kGraphHistogram | kGraphRanking},
        {"B", {1, 1, 0}, 0, -1, 0},
        {"C", {0, 0, 1}, -1, -1, kGraphFraction}};
    for (const auto& [name, answers, primary, secondary, flags] : questions) {
      TestQuestion q = ValuedQuestion(QString::fromLatin1(name), {1, 2}, answers);
      std::tie(q.primaryBlock, q.secondaryBlock, q.graphFlags) = std::tie(primary, secondary, flags);
      recipe.Add(q);
    }
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
  const bool on[] = {p.bar1,          p.blockIndexGraph,      p.blockHistogram,
                     p.blockGraph,    p.blockRankingGraph,    p.questionHistogram,
                     p.questionGraph, p.questionRankingGraph, p.bar2};
  const char* names[] = {"bar1",      "blockIndex", "blockHistogram", "blockGraph", "blockRanking",
                         "histogram", "graph",      "ranking",        "bar2"};
  for (size_t i = 0; i < std::size(on); ++i)
    if (on[i]) words << QString::fromLatin1(names[i]);
  return words.join(QLatin1Char(' '));
}

TEST_F(PopupRules, EntriesByHitRowAndBlockGraphLists) {
  const std::tuple<int32_t, int32_t, bool, const char*> rows[] = {
      // Respondent 2 commented question 1, a sheet column; nobody commented question 0.
      {2, 0, false, "rows+ columns copy+ bar1 histogram ranking bar2"},
      // Respondent 0 has no comment; question 1 has no graph and there is no total graph.
      {0, 1, false, "rows columns+ copy+ bar1"},
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
  // With two header rows, -2 is the topmost.
  EXPECT_EQ(std::make_tuple(BlockOfHeaderRow(document_, 0, -2, 2), BlockOfHeaderRow(document_, 0, -1, 2)),
            std::make_tuple(0, -1));
  // Random order per column hides the row entries.
  sheet_.columnOffsetsActive = true;
  EXPECT_EQ(Shown(At(2, 0)), QStringLiteral("columns bar1 histogram ranking bar2"));
  // The View block-graph lists follow the flags in block order.
  SurveyRecipe recipe = Recipe(true);
  recipe.Description().blocks[1].graphFlags = kGraphHistogram | kGraphFraction | kGraphRanking | kGraphIndex;
  const BlockGraphMenuMap map = BuildBlockGraphMenuMap(recipe.Load());
  using Blocks = std::vector<int32_t>;
  EXPECT_EQ(std::make_tuple(map.histogram, map.graph, map.ranking, map.index),
            std::make_tuple(Blocks{0, 1}, Blocks{1}, Blocks{1}, Blocks{0, 1}));
}

TEST_F(PopupRules, GeneralCommentsCountOnlyWithTheDocumentFlag) {
  SurveyRecipe recipe = Recipe(false);
  recipe.Description().respondentComments = {{recipe.Text(QStringLiteral("general"))}};
  document_ = recipe.Load();
  const bool without = At(0, 0).showRowsComments.visible;
  recipe.Info().hasRespondentComments = writer::kTrue;
  document_ = recipe.Load();
  // Respondent 1 lies outside the comment table.
  EXPECT_EQ(std::make_tuple(without, Shown(At(0, 0)), At(1, 0).showRowsComments.enabled),
            std::make_tuple(false, QStringLiteral("rows+ copy+ bar1 histogram ranking bar2"), false));
}

}  // namespace
}  // namespace kvf::app
