// The index table of Copy Indexes: sub-selections, group rows, values and
// the text in both orientations.
#include <gtest/gtest.h>

#include "core/fixtures/SurveyRecipe.h"
#include "core/indexes/IndexExport.h"

namespace kvf::testing {
namespace {

const QString kDescription = QStringLiteral("Desc");

// Ten respondents. Region: North 6, South 3, East none, one answer (7)
// naming no alternative. A (10/20) and B (30/not counted) count in the
// total; C (5/15).
SurveyDocument TenRespondents() {
  SurveyRecipe recipe;
  recipe.Add(Dimension(QStringLiteral("Region"),
                       {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("East")},
                       {0, 0, 0, 0, 0, 0, 1, 1, 1, 7}));
  TestQuestion a = ValuedQuestion(QStringLiteral("A"), {10, 20}, Repeat({0, 1}, 10));
  TestQuestion b = ValuedQuestion(QStringLiteral("B"), {30, -1}, Repeat({0, 1}, 10));
  TestQuestion c = ValuedQuestion(QStringLiteral("C"), {5, 15}, Repeat({1, 0}, 10));
  a.inTotalIndex = b.inTotalIndex = true;
  a.storedIndex = c.storedIndex = 1.0;
  recipe.Add(a);
  recipe.Add(b);
  recipe.Add(c);
  SurveyDocument document = recipe.Load();
  document.info.indexDecimals = 1;
  document.info.minimumGraphSelection = 5;
  return document;
}

QString Export(const SurveyDocument& document, const IndexExportSettings& settings,
               const QLocale& locale = QLocale::c()) {
  Result<IndexExport> made = IndexExport::Create(document, AllRespondents(document), settings);
  EXPECT_TRUE(made.ok());
  EXPECT_TRUE(made->Calculate());
  return made->Text(kDescription, settings.showCounts, settings.subSelectionsInColumns, locale);
}

TEST(IndexExport, TotalOnlyIsTwoLinesInTheDocumentsLanguage) {
  SurveyDocument document = TenRespondents();
  IndexExportSettings settings;
  settings.totalSubSelection = true;
  settings.groups[0] = true;
  // (5 x 10 + 5 x 20 + 5 x 30) / 15 answers.
  EXPECT_EQ(Export(document, settings), QStringLiteral("Desc\tTotal\r\nTotal\t20.0"));
  document.info.languageCode = QStringLiteral("sv");
  EXPECT_EQ(Export(document, settings, QLocale(QLocale::Swedish, QLocale::Sweden)),
            QStringLiteral("Desc\tTotalt\r\nTotalt\t20,0"));
}

TEST(IndexExport, CategoriesWithCountsInBothOrientations) {
  SurveyDocument document = TenRespondents();
  IndexExportSettings settings;
  settings.totalSubSelection = true;
  settings.categories = {0, 0, 2};  // twice counts once; a non-dimension is no category
  settings.showCounts = true;
  settings.groups[0] = settings.groups[3] = true;
  // South (3 < 5) is "---", East (empty) has empty cells; B has no stored
  // index and so no row.
  EXPECT_EQ(Export(document, settings), QStringLiteral("Desc\tAnswers\tTotal\tA\tC\r\n"
                                                       "Total\t10\t20.0\t15.0\t10.0\r\n"
                                                       "Reg: North\t6\t20.0\t15.0\t10.0\r\n"
                                                       "Reg: South\t3\t---\t---\t---\r\n"
                                                       "Reg: East\t0\t\t\t"));
  settings.subSelectionsInColumns = true;
  document.info.languageCode = QStringLiteral("sv");
  EXPECT_EQ(Export(document, settings), QStringLiteral("Desc\tTotalt\tReg: North\tReg: South\tReg: East\r\n"
                                                       "Antal\t10\t6\t3\t0\r\n"
                                                       "Totalt\t20.0\t20.0\t---\t\r\n"
                                                       "A\t15.0\t15.0\t---\t\r\n"
                                                       "C\t10.0\t10.0\t---\t"));
  // Only sub-blocks on a document without a sub-block label: OK stays off.
  settings.groups = {false, false, true, false, false};
  EXPECT_FALSE(IndexExportAllowed(document, settings));
  settings.groups[1] = true;
  EXPECT_TRUE(IndexExportAllowed(document, settings));
  settings.totalSubSelection = false;
  settings.categories = {2};
  EXPECT_FALSE(IndexExportAllowed(document, settings));
}

TEST(IndexExport, BlockAndSubBlockRowsAtChangesThenUserBlocksWithValuesOfTheIndexOperations) {
  SurveyRecipe recipe;
  recipe.Add(Dimension(QStringLiteral("Sex"), {QStringLiteral("F"), QStringLiteral("M")}, Repeat({0, 1}, 12)));
  recipe.Add(Dimension(QStringLiteral("Age"), {QStringLiteral("Y"), QStringLiteral("O")}, Repeat({0, 0, 1}, 12)));
  const int32_t block0 = recipe.AddBlock(QStringLiteral("Blk0"), true);
  const int32_t noIndex = recipe.AddBlock(QStringLiteral("Blk1"), true);
  const int32_t sub = recipe.AddBlock(QStringLiteral("Sub2"), true);
  const int32_t hidden = recipe.AddBlock(QStringLiteral("Hidden"), true);
  // (name, primary, secondary, stored index)
  const std::vector<std::tuple<const char*, int32_t, int32_t, double>> questions = {{"A", block0, sub, 1.0},
                                                                                    {"B", block0, -1, kNoIndex},
                                                                                    {"C", noIndex, sub, 1.0},
                                                                                    {"D", hidden, -1, 1.0},
                                                                                    {"E", block0, -1, 1.0}};
  int32_t pattern = 0;
  for (const auto& [name, primary, secondary, stored] : questions) {
    TestQuestion q = ValuedQuestion(QString::fromUtf8(name), {1, 2, 3}, Repeat({pattern % 3, 2, 1, 0}, 12));
    std::tie(q.primaryBlock, q.secondaryBlock, q.storedIndex, q.inTotalIndex) =
        std::tuple(primary, secondary, stored, true);
    recipe.Add(q);
    ++pattern;
  }
  SurveyDocument document = recipe.Load();
  for (Block& block : document.blocks) std::tie(block.storedIndex, block.includeInCopy) = std::tuple(1.0, true);
  document.blocks[static_cast<size_t>(noIndex)].storedIndex = kNoIndex;
  document.blocks[static_cast<size_t>(hidden)].includeInCopy = false;
  Block mine;
  mine.userName = QStringLiteral("Mine");
  document.blocks.push_back(mine);
  Block notCopied = mine;
  notCopied.includeInCopy = false;
  document.blocks.push_back(notCopied);
  document.IndexBlockMembers();

  IndexExportSettings settings;
  settings.categories = {3, 1, 0};  // taken in dimension order
  settings.totalSubSelection = true;
  settings.groups = {true, true, true, true, true};
  settings.fullQuestionText = true;
  auto names = [&] {
    QStringList list;
    for (const IndexGroupRow& row : BuildIndexGroupRows(document, settings)) list << row.name;
    return list.join(u'|');
  };
  // Without a sub-block label group 2 is ignored.
  EXPECT_EQ(names(), QStringLiteral("Total|Blk0|A. A text|C. C text|D. D text|Blk0|E. E text|Mine"));
  document.info.indexLabels[2] = 0;
  EXPECT_EQ(names(), QStringLiteral("Total|Blk0|Sub2|A. A text|Sub2|C. C text|D. D text|Blk0|E. E text|Mine"));

  Result<IndexExport> made = IndexExport::Create(document, AllRespondents(document), settings);
  ASSERT_TRUE(made.ok());
  QStringList subNames;
  for (const IndexSubSelection& s : made->SubSelections()) subNames << s.name;
  EXPECT_EQ(subNames.join(u'|'), QStringLiteral("Total|Sex: F|Sex: M|Age: Y|Age: O"));
  // Stopping after two rows leaves the rest; going on finishes.
  EXPECT_FALSE(made->Calculate([](int done, int) { return done < 2; }));
  EXPECT_EQ(made->RowsDone(), 2);
  int calls = 0;
  EXPECT_TRUE(made->Calculate([&](int, int total) { return ++calls <= total; }));
  EXPECT_EQ(calls, made->RowCount() - 2);
  for (int r = 0; r < made->RowCount(); ++r) {
    const IndexGroupRow& row = made->Rows()[static_cast<size_t>(r)];
    for (int s = 0; s < static_cast<int>(made->SubSelections().size()); ++s) {
      const std::vector<int32_t>& who = made->SubSelections()[static_cast<size_t>(s)].respondents;
      const double expected = row.kind == IndexGroupRow::Kind::kTotal ? CalculateTotalIndex(document, who)
                              : row.kind == IndexGroupRow::Kind::kBlock
                                  ? CalculateBlockIndex(document, row.target, who)
                                  : CalculateColumnsIndex(document, {row.target}, who);
      EXPECT_EQ(made->Value(r, s), expected) << row.name.toStdString() << " " << s;
    }
  }
}

}  // namespace
}  // namespace kvf::testing
