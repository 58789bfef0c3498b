// Counting: which respondents pass, and the per-alternative counts that
// ignore a dimension's own choice.
#include <gtest/gtest.h>

#include "core/fixtures/SurveyRecipe.h"
#include "core/sheet/SelectionEngine.h"

namespace kvf::testing {
namespace {

// Two dimensions over eight respondents:
//   region: 0 0 0 1 1 2 2 2      (North, South, West)
//   sex:    0 1 0 1 0 1 0 1      (Female, Male)
SurveyDocument TwoDimensions() {
  SurveyRecipe builder;
  builder.Add(Dimension(QStringLiteral("Region"), {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("West")},
                        {0, 0, 0, 1, 1, 2, 2, 2}));
  builder.Add(Dimension(QStringLiteral("Sex"), {QStringLiteral("Female"), QStringLiteral("Male")},
                        {0, 1, 0, 1, 0, 1, 0, 1}));
  return builder.Load();
}

// The counts per dimension and alternative.
std::vector<std::vector<int32_t>> Counts(const AlternativeCounts& counts) {
  std::vector<std::vector<int32_t>> rows(static_cast<size_t>(counts.DimensionCount()));
  for (int32_t k = 0; k < counts.DimensionCount(); ++k)
    for (int32_t a = 0; a < counts.AlternativeCount(); ++a) rows[static_cast<size_t>(k)].push_back(counts.Get(k, a));
  return rows;
}

TEST(CountOptions, ADimensionsCountsIgnoreItsOwnChoice) {
  const SurveyDocument document = TwoDimensions();
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 1, false);  // drop South
  selection.Set(1, 0, false);  // drop Female
  AlternativeCounts counts;
  std::vector<int32_t> passing;
  // Passing: male and not South: respondents 1, 5, 7.
  EXPECT_EQ(CountOptions(document, selection, &counts, &passing), 3);
  EXPECT_EQ(passing, (std::vector<int32_t>{1, 5, 7}));
  // Region counts among men, South included (what South would add);
  // Sex counts among North and West, Female included.
  EXPECT_EQ(Counts(counts), (std::vector<std::vector<int32_t>>{{1, 1, 2}, {3, 3, 0}}));
}

TEST(CountOptions, FailingTwoDimensionsAddsToNoCount) {
  const SurveyDocument document = TwoDimensions();
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 0, false);
  selection.Set(1, 0, false);
  AlternativeCounts counts;
  EXPECT_EQ(CountOptions(document, selection, &counts), 3);  // 3, 5, 7
  // Respondents 0 and 2 (North, Female) fail both and count nowhere.
  EXPECT_EQ(std::make_tuple(counts.Get(0, 0), counts.Get(1, 0)), std::make_tuple(1, 2));  // 1; 4 and 6
}

TEST(CountOptions, AnswersOutsideTheAlternativesPassOnlyUnrestrictedDimensions) {
  SurveyRecipe builder;
  builder.Add(Dimension(QStringLiteral("A"), {QStringLiteral("x"), QStringLiteral("y")}, {0, 1, 5, -3}));
  builder.Add(Dimension(QStringLiteral("B"), {QStringLiteral("p"), QStringLiteral("q"), QStringLiteral("r")},
                        {0, 0, 1, 2}));
  const SurveyDocument document = builder.Load();
  // Everything selected: everyone passes, but answers 5 and -3 add to no
  // alternative of their own dimension (and the entry [0, 2], which exists
  // in the matrix because B has three alternatives, stays 0).
  AlternativeCounts counts;
  EXPECT_EQ(CountOptions(document, SelectionMatrix::AllSelected(document), &counts), 4);
  EXPECT_EQ(std::make_tuple(counts.Get(0, 0) + counts.Get(0, 1) + counts.Get(0, 2), counts.Get(1, 1) + counts.Get(1, 2)),
            std::make_tuple(2, 2));
  // Dropping one of A's alternatives drops the out-of-range answers too.
  SelectionMatrix selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 1, false);
  EXPECT_EQ(CountOptions(document, selection, &counts), 1);
  EXPECT_EQ(counts.Get(1, 1) + counts.Get(1, 2), 0);
  // An unused entry beyond A's alternatives does not restrict A.
  selection = SelectionMatrix::AllSelected(document);
  selection.Set(0, 2, false);
  EXPECT_EQ(CountOptions(document, selection, nullptr), 4);
}

TEST(AnswerFilter, MissingFlagsReadAsFalse) {
  const SurveyDocument document = TwoDimensions();
  const AnswerFilter filter = AnswerFilter::FromFlags(document, 0, {true, true});
  EXPECT_EQ(std::make_tuple(filter.keepsEverything, filter.Passes(1), filter.Passes(2), filter.Passes(9)),
            std::make_tuple(false, true, false, false));
  const AnswerFilter all = AnswerFilter::FromFlags(document, 0, {true, true, true, false});
  EXPECT_TRUE(all.keepsEverything && all.Passes(9) && all.Passes(-1));
}

}  // namespace
}  // namespace kvf::testing
