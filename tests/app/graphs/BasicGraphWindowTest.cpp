// The basic graph windows plugged into a main window on the sample survey:
// the graph commands and their status texts, the window's pop-up commands
// (Use percentage, the copies, Save As, Print on a PDF printer, Set as
// Default Size), the question-selection dialog and Close All Graph Windows.
#include <QFile>
#include <QTest>

#include "ViewerFixture.h"
#include "app/graphs/GraphWindows.h"
#include "app/graphs/QuestionSelectDialog.h"

namespace kvf::testing {
namespace {

class BasicGraphWindowTest : public ViewerTest {
 protected:
  // Starts on the sample with printing available, graph windows whose
  // printer writes folder/page.pdf and whose Save As answers savePath_.
  app::GraphWindows& Start() {
    printerAvailable_ = true;
    app::MainWindow& window = MakeWindow();
    app::BasicGraphServices services;
    services.makePrinter = [this] {
      auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
      printer->setOutputFormat(QPrinter::PdfFormat);
      printer->setOutputFileName(folder_.filePath(QStringLiteral("page.pdf")));
      return printer;
    };
    services.askSavePath = [this](const QString&, const QString&, const QStringList& filters, QString* selected) {
      filtersSeen_ = filters;
      if (!filter_.isEmpty()) *selected = filter_;
      return savePath_;
    };
    graphs_ = app::GraphWindows::Attach(window, services);
    window.Load({EnglishSample()});
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.AutoOpenTimer()->isActive(); }, 5000));
    QTest::qWait(1);
    return *graphs_;
  }
  QString Status() { return window_->Status().Text(); }

  app::GraphWindows* graphs_ = nullptr;
  QString savePath_;
  QString filter_;
  QStringList filtersSeen_;
};

TEST_F(BasicGraphWindowTest, BlockGraphWindowCommands) {
  Start();
  // View > Block Graph, first block with the fraction-graph bit.
  graphs_->ViewBlockGraph(2, 0);
  EXPECT_EQ(Status(), QStringLiteral("Block fraction bar graph generated!"));
  ASSERT_EQ(window_->ToolWindows().BasicGraphPool().InUseCount(), 1);
  auto* graph = window_->findChild<app::BasicGraphWindow*>();
  ASSERT_NE(graph, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return graph->isVisible(); }, 2000));
  EXPECT_TRUE(graph->windowTitle().startsWith(QStringLiteral("Block Graph: ")));
  EXPECT_TRUE(graph->GraphFits());

  // Use percentage twice: the values copy follows the flag.
  const QString counts = BasicGraphValuesText(graph->Data(), false);
  graph->UsePercentage();
  graph->CopyValues();
  EXPECT_EQ(clipboard_.Text(), BasicGraphValuesText(graph->Data(), true));
  EXPECT_EQ(Status(), QStringLiteral("The graph values has been copied to the clipboard!"));
  graph->UsePercentage();
  EXPECT_FALSE(graph->PopupMenu()->findChild<QAction*>(QStringLiteral("mnuPUsePercentage"))->isChecked());
  graph->CopyValues();
  EXPECT_EQ(clipboard_.Text(), counts);
  graph->CopyLegends();
  EXPECT_TRUE(clipboard_.Text().startsWith(graph->Data().title + QStringLiteral("\r\n")));

  // Copy: the EMF under every name, a PNG and an SVG of the same picture.
  graph->DoCopy();
  EXPECT_EQ(Status(), QStringLiteral("The graph has been copied to the clipboard!"));
  const platform::ClipboardEntry& entry = clipboard_.Entry();
  EXPECT_TRUE(entry.Format(QStringLiteral("image/emf")).startsWith(QByteArray("\x01\x00\x00\x00", 4)));
  EXPECT_TRUE(entry.Format(QStringLiteral("image/png")).startsWith("\x89PNG"));
  EXPECT_TRUE(entry.Format(QStringLiteral("image/svg+xml")).contains("<svg"));

  // Save As: a name without an offered extension takes the chosen filter's.
  savePath_ = folder_.filePath(QStringLiteral("graph"));
  graph->SaveAs();
  ASSERT_EQ(filtersSeen_.size(), 2);
  EXPECT_TRUE(QFile::exists(folder_.filePath(QStringLiteral("graph.emf"))));
  filter_ = QStringLiteral("no such filter");
  savePath_ = folder_.filePath(QStringLiteral("graph.txt"));
  graph->SaveAs();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_.back().icon, QMessageBox::Warning);

  // Print on the PDF printer.
  graph->Print();
  EXPECT_EQ(Status(), QStringLiteral("Graph printed!"));
  EXPECT_GT(QFileInfo(folder_.filePath(QStringLiteral("page.pdf"))).size(), 1000);

  // Set as Default Size: the bar thickness that gives this window's height.
  graph->resize(graph->width(), graph->height() + 3 * static_cast<int>(graph->Data().bars.size()));
  const int before = window_->Settings().Last().questionGraphBarWidth;
  graph->SetAsDefaultSize();
  EXPECT_EQ(window_->Settings().Last().questionGraphBarWidth, before + 3);

  window_->Commands().CloseAllGraphWindows();
  EXPECT_EQ(window_->ToolWindows().BasicGraphPool().InUseCount(), 0);
}

TEST_F(BasicGraphWindowTest, SplitByAnotherQuestionAndItsDialog) {
  Start();
  const SurveyDocument& document = window_->Session().Document();
  app::CellHit hit;
  hit.inside = true;
  hit.rowItem = 0;
  hit.question = 5;
  window_->PreparePopup(hit);
  std::vector<int32_t> offered;
  graphs_->SetSplitChooser([&](const SurveyDocument&, int32_t, const std::vector<int32_t>& choices) {
    offered = choices;
    return -1;
  });
  graphs_->PopupSplitByAnother(2);
  EXPECT_EQ(Status(), QString());
  EXPECT_EQ(std::count(offered.begin(), offered.end(), 5), 0);
  graphs_->SetSplitChooser([](const SurveyDocument&, int32_t, const std::vector<int32_t>&) { return 6; });
  graphs_->PopupSplitByAnother(1);
  auto* graph = window_->findChild<app::BasicGraphWindow*>();
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->windowTitle(),
            QStringLiteral("Question Histogram: Reasonable workload split by Finish tasks in time"));

  app::QuestionSelectDialog dialog(document, 5, offered);
  EXPECT_FALSE(dialog.OkButton()->isEnabled());
  dialog.List()->setCurrentRow(0);
  EXPECT_TRUE(dialog.OkButton()->isEnabled());
  EXPECT_EQ(dialog.SelectedQuestion(), offered.front());
  EXPECT_EQ(dialog.TextLabel()->text(),
            document.GetText(document.questions[static_cast<size_t>(offered.front())].text));
}

}  // namespace
}  // namespace kvf::testing
