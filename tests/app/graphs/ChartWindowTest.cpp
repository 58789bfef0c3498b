// The chart windows plugged into a main window on the sample survey: the
// set-up dialogs' rules, a chart made through a dialog's OK, the window's
// minimum size, Save As by extension in any case, Copy, and the windows
// that close when the block editor removes their block.
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "ViewerFixture.h"
#include "app/graphs/ChartWindows.h"

namespace kvf::testing {
namespace {

class ChartWindowTest : public ViewerTest {
 protected:
  app::ChartWindows& Start() {
    app::MainWindow& window = MakeWindow();
    app::BasicGraphServices services;
    services.askSavePath = [this](const QString&, const QString&, const QStringList&, QString*) { return savePath_; };
    charts_ = app::ChartWindows::Attach(window, services);
    window.Load({EnglishSample()});
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.AutoOpenTimer()->isActive(); }, 5000));
    return *charts_;
  }

  app::ChartWindows* charts_ = nullptr;
  QString savePath_;
};

TEST(IndexLineChecksTest, AtMostTwoTheOlderCleared) {
  app::IndexLineChecks checks;
  EXPECT_EQ(checks.Check(0), -1);
  EXPECT_EQ(checks.Check(1), -1);
  EXPECT_EQ(checks.Check(2), 0);  // the third clears the first
  EXPECT_EQ(checks.Mask(), 0b110);
  checks.Uncheck(1);
  EXPECT_EQ(checks.Check(3), -1);
  EXPECT_EQ(checks.Mask(), 0b1100);
  EXPECT_EQ(app::IndexLineChecks(0b1011).Mask(), 0b11);  // a stored mask keeps two
}

TEST_F(ChartWindowTest, DialogRulesOkAndTheChartWindow) {
  Start();
  const SurveyDocument& document = window_->Session().Document();
  EXPECT_TRUE(Enabled(app::MenuEntry::DistributionGraph) && Enabled(app::MenuEntry::TotalIndexGraph));
  // Distribution dialog: OK needs a main category, and for type 2 a group.
  charts_->SetDialogRunner([&](QDialog& dialog) {
    auto& distribution = dynamic_cast<app::DistributionGraphDialog&>(dialog);
    EXPECT_FALSE(distribution.OkButton()->isEnabled());
    distribution.MainList()->setCurrentRow(0);
    EXPECT_TRUE(distribution.OkButton()->isEnabled());
    distribution.Type(2)->click();
    EXPECT_FALSE(distribution.OkButton()->isEnabled());
    EXPECT_EQ(distribution.GroupList()->count(), document.DimensionCount() - 1);
    distribution.GroupList()->setCurrentRow(0);
    EXPECT_TRUE(distribution.OkButton()->isEnabled());
    distribution.Type(0)->click();
    EXPECT_FALSE(distribution.Horizontal()->isEnabled());
    return true;
  });
  charts_->DistributionGraph();
  EXPECT_EQ(window_->Status().Text(), QStringLiteral("Distribution graph generated!"));
  EXPECT_EQ(charts_->LastChartWindow()->Chart().type, ChartType::Pie);
  // Total index dialog: blocks then questions leaves questions; three lines in turn leave the last two.
  bool shown = false;
  charts_->SetDialogRunner([&](QDialog& dialog) {
    auto& index = dynamic_cast<app::IndexGraphDialog&>(dialog);
    index.ShowBlocks()->setChecked(true);
    index.ShowQuestions()->setChecked(true);
    EXPECT_FALSE(index.ShowBlocks()->isChecked());
    EXPECT_FALSE(index.EmptySplits()->isEnabled());
    index.ShowMain()->setChecked(true);
    shown = true;
    return true;
  });
  charts_->IndexGraph(-1);
  ASSERT_TRUE(shown);
  EXPECT_EQ(window_->Status().Text(), QStringLiteral("Total index graph generated!"));
  app::ChartWindow* chart = charts_->LastChartWindow();
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->windowTitle(), QStringLiteral("Total index and all question indexes"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return chart->isVisible(); }, 2000));
  chart->resize(10, 10);
  EXPECT_GE(chart->width(), chart->MinimumChartSize().width());
  EXPECT_EQ(chart->MinimumChartSize(), QSize(200, 133));  // 3000 x 2000 twips at 96 dpi

  // Save As: a capital extension still decides the format.
  savePath_ = folder_.filePath(QStringLiteral("chart.PNG"));
  chart->SaveAs();
  EXPECT_FALSE(QImage(savePath_, "PNG").isNull());
  savePath_ = folder_.filePath(QStringLiteral("chart.txt"));
  chart->SaveAs();  // no such format: a message, no file
  EXPECT_FALSE(QFile::exists(savePath_));
  EXPECT_EQ(messages_.size(), 1u);

  // Block index dialog: OK only with something shown; lines.
  int32_t block = -1;
  for (size_t b = 0; b < document.blocks.size() && block < 0; ++b)
    if (document.blocks[b].storedIndex != kNoIndex) block = static_cast<int32_t>(b);
  ASSERT_GE(block, 0);
  charts_->SetDialogRunner([&](QDialog& dialog) {
    auto& index = dynamic_cast<app::IndexGraphDialog&>(dialog);
    index.ShowMain()->setChecked(false);
    EXPECT_FALSE(index.OkButton()->isEnabled());
    index.ShowQuestions()->setChecked(true);
    EXPECT_TRUE(index.OkButton()->isEnabled());
    index.Line(0)->setChecked(true);
    index.Line(2)->setChecked(true);
    index.Line(0)->setChecked(false);
    index.Line(0)->setChecked(true);
    EXPECT_TRUE(index.Line(0)->isChecked() && index.Line(2)->isChecked());
    return true;
  });
  charts_->IndexGraph(block);
  EXPECT_EQ(window_->Status().Text(), QStringLiteral("Block index graph generated!"));
  EXPECT_EQ(window_->Settings().Last().blockIndexGraphIndexLines, 0b101);

  // The block editor leaves no block of that name: its chart closes, the total index chart stays.
  QPointer<app::ChartWindow> blockChart = charts_->LastChartWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return blockChart->isVisible(); }, 2000));
  SurveyDocument changed = document;
  changed.blocks.erase(changed.blocks.begin() + block);
  charts_->BlocksChanged(changed);
  EXPECT_TRUE(blockChart.isNull() || !blockChart->isVisible());
  EXPECT_TRUE(chart->isVisible());
}

}  // namespace
}  // namespace kvf::testing
