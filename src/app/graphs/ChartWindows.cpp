#include "app/graphs/ChartWindows.h"

#include "app/mainwindow/WaitCursor.h"
#include "core/graphs/BasicGraphRoute.h"
#include "core/graphs/RankingGraph.h"

namespace kvf::app {

ChartWindows* ChartWindows::Attach(MainWindow& main, const BasicGraphServices& services) {
  auto* charts = new ChartWindows(main, services);
  MainWindow* host = &main;
  main.ToolWindows().GraphPool().SetFactory(
      [host, services]() -> QWidget* { return new ChartWindow(*host, services, host); });
  charts->runDialog_ = [](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
  main.Session().AddObserver(charts);
  main.SetBlockGraphCommand(3, [charts](int item) { charts->ViewRankingGraph(item); });
  main.SetBlockGraphCommand(4, [charts, host](int item) {
    const std::vector<int32_t>& list = host->BlockGraphMenus().index;
    if (item >= 0 && static_cast<size_t>(item) < list.size()) charts->IndexGraph(list[static_cast<size_t>(item)]);
  });
  MainMenus& menus = main.Menus();
  menus.Connect(MenuEntry::DistributionGraph, [charts] { charts->DistributionGraph(); });
  menus.Connect(MenuEntry::TotalIndexGraph, [charts] { charts->IndexGraph(-1); });
  menus.Connect(MenuEntry::PopupTotalIndexGraph, [charts] { charts->IndexGraph(-1); });
  menus.Connect(MenuEntry::PopupBlockIndexGraph, [charts] {
    const int32_t block = charts->PopupBlock();
    if (block >= 0) charts->IndexGraph(block);
  });
  menus.Connect(MenuEntry::PopupBlockRankingByRanking, [charts] { charts->PopupRankingGraph(true, true); });
  menus.Connect(MenuEntry::PopupBlockRankingByOption, [charts] { charts->PopupRankingGraph(true, false); });
  menus.Connect(MenuEntry::PopupQuestionRankingByRanking, [charts] { charts->PopupRankingGraph(false, true); });
  menus.Connect(MenuEntry::PopupQuestionRankingByOption, [charts] { charts->PopupRankingGraph(false, false); });
  return charts;
}

ChartOptions ChartWindows::Options() const {
  ChartOptions options;
  options.shortCategoryNames = main_.Options().graphByCategoryUseShortCategoryNames;
  options.legendPlacement = main_.Options().graphLegends;
  return options;
}

int32_t ChartWindows::PopupBlock() const {
  const SurveyDocument& document = main_.Session().Document();
  if (document.QuestionAt(main_.PopupQuestion()) == nullptr) return -1;
  const bool topRow = main_.PopupRowItem() == -main_.ScreenSheet().headerRowCount;
  return PopupGraphBlock(document, main_.PopupQuestion(), topRow);
}

ChartWindow* ChartWindows::Show(const ChartDescription& chart, int32_t block) {
  auto* window = qobject_cast<ChartWindow*>(main_.ToolWindows().GraphPool().Get());
  if (window == nullptr) return nullptr;
  window->SetUpChart(chart, chart.title.value_or(QString()), block);
  window->BlockDefaultSize();
  if (!window->isVisible()) {
    const LastSettings& last = main_.Settings().Last();
    const int dpi = window->logicalDpiX() > 0 ? window->logicalDpiX() : 96;
    window->resize(
        std::max(window->minimumWidth(), static_cast<int>(last.graphWindowWidth * dpi / 1440)),
        std::clamp(static_cast<int>((static_cast<int64_t>(chart.points) + 2) * last.graphPointHeight * dpi / 1440),
                   window->minimumHeight(), 4000));
  }
  main_.ToolWindows().ShowLater(window);
  last_ = window;
  return window;
}

void ChartWindows::DistributionGraph() {
  const SurveyDocument& document = main_.Session().Document();
  const ChartStatusTexts texts = ChartKindTexts(ChartKind::Distribution);
  main_.Status().SetStatus(texts.before, false);
  DistributionGraphDialog dialog(document, main_.Settings().Last(), &main_);
  if (!runDialog_(dialog)) {
    main_.Status().ClearStatus();
    return;
  }
  dialog.Store(main_.EditSettings().MutableLast());
  WaitCursor wait;
  ChartDescription chart;
  const Status made =
      GenerateDistributionGraph(document, main_.Session().View().Sheet(), dialog.Request(), Options(), chart);
  if (!made) {
    main_.Status().SetStatus(made.Message(), true);
    return;
  }
  Show(chart, -1);
  main_.Status().SetStatus(texts.after, true);
}

void ChartWindows::IndexGraph(int32_t block) {
  const SurveyDocument& document = main_.Session().Document();
  const ViewState& view = main_.Session().View();
  const ChartStatusTexts texts = ChartKindTexts(block < 0 ? ChartKind::TotalIndex : ChartKind::BlockIndex);
  main_.Status().SetStatus(texts.before, false);
  IndexGraphDialog dialog(document, block, view.SplitDisabled(), view.FlexTotalDiffers(), main_.Settings().Last(),
                          &main_);
  if (!runDialog_(dialog)) {
    main_.Status().ClearStatus();
    return;
  }
  dialog.Store(main_.EditSettings().MutableLast());
  WaitCursor wait;
  ChartDescription chart;
  const Status made = GenerateIndexGraph(document, view.Sheet(), dialog.Request(), Options(), chart);
  if (!made) {
    main_.Status().SetStatus(made.Message(), true);
    return;
  }
  Show(chart, block);
  main_.Status().SetStatus(texts.after, true);
}

void ChartWindows::ViewRankingGraph(int item) {
  const std::vector<int32_t>& list = main_.BlockGraphMenus().ranking;
  if (item < 0 || static_cast<size_t>(item) >= list.size()) return;
  const int32_t block = list[static_cast<size_t>(item)];
  const SurveyDocument& document = main_.Session().Document();
  const ChartStatusTexts texts = ChartKindTexts(ChartKind::BlockRanking);
  main_.Status().SetStatus(texts.before, false);
  RankingGraphRequest request;
  request.questions = ViewMenuBlockQuestions(document, block);
  request.title = document.BlockName(block);
  request.selectionText = main_.Session().View().Sheet().description;
  if (request.questions.empty()) {
    main_.Status().SetStatus(EmptyBlockText(), true);
    return;
  }
  WaitCursor wait;
  ChartDescription chart;
  if (GenerateRankingGraph(document, main_.Session().View().Sheet().respondents, request, Options(), chart)) {
    Show(chart, block);
    main_.Status().SetStatus(texts.after, true);
  }
}

void ChartWindows::PopupRankingGraph(bool block, bool sortByPoints) {
  const SurveyDocument& document = main_.Session().Document();
  const int32_t question = main_.PopupQuestion();
  const Question* q = document.QuestionAt(question);
  if (q == nullptr) return;
  const ChartStatusTexts texts = ChartKindTexts(block ? ChartKind::BlockRanking : ChartKind::QuestionRanking);
  main_.Status().SetStatus(texts.before, false);
  RankingGraphRequest request;
  request.sortByPoints = sortByPoints;
  request.selectionText = main_.Session().View().Sheet().description;
  int32_t shownBlock = -1;
  if (block) {
    const bool topRow = main_.PopupRowItem() == -main_.ScreenSheet().headerRowCount;
    shownBlock = PopupGraphBlock(document, question, topRow);
    request.questions =
        PopupBlockQuestions(document, main_.Session().View().Sheet(), shownBlock, topRow || q->secondaryBlock == -1);
    request.title = document.BlockName(shownBlock);
  } else {
    request.questions = {question};
    request.title = document.GetText(q->name);
  }
  if (request.questions.empty()) {
    main_.Status().SetStatus(EmptyBlockText(), true);
    return;
  }
  WaitCursor wait;
  ChartDescription chart;
  if (GenerateRankingGraph(document, main_.Session().View().Sheet().respondents, request, Options(), chart)) {
    Show(chart, shownBlock);
    main_.Status().SetStatus(texts.after, true);
  }
}

void ChartWindows::BlocksChanged(const SurveyDocument& document) {
  QStringList names;
  for (size_t b = 0; b < document.blocks.size(); ++b) names << document.BlockName(static_cast<int32_t>(b));
  const auto gone = [&](const QString& shown) { return !shown.isEmpty() && !names.contains(shown); };
  for (ChartWindow* window : main_.findChildren<ChartWindow*>())
    if (gone(window->ShownBlock())) window->close();
  for (BasicGraphWindow* window : main_.findChildren<BasicGraphWindow*>())
    if (gone(window->ShownBlock())) window->close();
}

}  // namespace kvf::app
