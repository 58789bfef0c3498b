#include "app/graphs/GraphWindows.h"

#include <QFileDialog>

#include "app/graphs/QuestionSelectDialog.h"
#include "app/mainwindow/WaitCursor.h"
#include "core/text/Language.h"

namespace kvf::app {

BasicGraphServices DesktopGraphServices(QWidget* dialogParent) {
  BasicGraphServices services;
  services.printers = []() -> const graphics::PrinterList& {
    static const graphics::SystemPrinterList printers;
    return printers;
  };
  services.makePrinter = [] { return std::make_unique<QPrinter>(QPrinter::HighResolution); };
  services.askSavePath = [dialogParent](const QString& caption, const QString& folder, const QStringList& filters,
                                        QString* selected) {
    return QFileDialog::getSaveFileName(dialogParent, caption, folder, filters.join(QStringLiteral(";;")), selected);
  };
  return services;
}

GraphWindows* GraphWindows::Attach(MainWindow& main, const BasicGraphServices& services) {
  auto* graphs = new GraphWindows(main, services);
  MainWindow* host = &main;
  main.ToolWindows().BasicGraphPool().SetFactory(
      [host, services]() -> QWidget* { return new BasicGraphWindow(*host, services, host); });
  graphs->chooser_ = [host](const SurveyDocument& document, int32_t question, const std::vector<int32_t>& choices) {
    QuestionSelectDialog dialog(document, question, choices, host);
    return dialog.exec() == QDialog::Accepted ? dialog.SelectedQuestion() : -1;
  };
  for (int kind = 1; kind <= 2; ++kind) {
    main.SetBlockGraphCommand(kind, [graphs, kind](int item) { graphs->ViewBlockGraph(kind, item); });
    main.SetSplitCommand(kind, [graphs, kind](int dimension) { graphs->PopupSplitBy(kind, dimension); });
  }
  MainMenus& menus = main.Menus();
  menus.Connect(MenuEntry::PopupBlockHistogram, [graphs] { graphs->PopupBlockGraph(1); });
  menus.Connect(MenuEntry::PopupBlockGraph, [graphs] { graphs->PopupBlockGraph(2); });
  menus.Connect(MenuEntry::PopupHistogramTotal, [graphs] { graphs->PopupQuestionGraph(1); });
  menus.Connect(MenuEntry::PopupGraphTotal, [graphs] { graphs->PopupQuestionGraph(2); });
  menus.Connect(MenuEntry::PopupHistogramSplitByQuestion, [graphs] { graphs->PopupSplitByAnother(1); });
  menus.Connect(MenuEntry::PopupGraphSplitByQuestion, [graphs] { graphs->PopupSplitByAnother(2); });
  return graphs;
}

BasicGraphWindow* GraphWindows::Generate(BasicGraphRoute route, BasicGraphRequest request) {
  const BasicGraphTexts texts = BasicGraphRouteTexts(route, request.kind);
  const bool block = route == BasicGraphRoute::ViewBlock || route == BasicGraphRoute::PopupBlock;
  main_.Status().SetStatus(texts.before, false);
  if (request.questions.empty()) {
    main_.Status().SetStatus(EmptyBlockText(), true);
    return nullptr;
  }
  WaitCursor wait;
  const SurveyDocument& document = main_.Session().Document();
  const ViewState& view = main_.Session().View();
  const SubSheet& sheet = view.Sheet();
  request.respondents = sheet.respondents;
  BasicGraphSelection selection;
  selection.description = sheet.description;
  selection.count = static_cast<int64_t>(sheet.respondents.size());
  selection.flexCaption = view.Flex().caption;
  selection.flexCount = static_cast<int64_t>(view.Flex().respondents.size());
  BasicGraphOptions options;
  options.valueOrderReversed = main_.Options().graphValueOrderReversed;
  options.shortCategoryNames = main_.Options().graphByCategoryUseShortCategoryNames;
  const Result<BasicGraphData> data = GenerateBasicGraph(document, request, selection, options);
  if (!data) {
    main_.Status().SetStatus(block ? BlockGraphFailedText(request.kind) : data.Error().Message(), true);
    return nullptr;
  }
  auto* window = qobject_cast<BasicGraphWindow*>(main_.ToolWindows().BasicGraphPool().Get());
  if (window == nullptr) {
    if (block)
      main_.Status().SetStatus(BlockGraphFailedText(request.kind), true);
    else
      main_.Status().ClearStatus();
    return nullptr;
  }
  window->SetUpGraph(data.Value(), texts.captionPrefix.Get() + request.title);
  window->SetShownBlock(request.block >= 0 ? document.BlockName(request.block) : QString());
  main_.ToolWindows().ShowLater(window);
  main_.Status().SetStatus(texts.after, true);
  return window;
}

void GraphWindows::ViewBlockGraph(int kind, int item) {
  const std::vector<int32_t>& list = kind == 1 ? main_.BlockGraphMenus().histogram : main_.BlockGraphMenus().graph;
  if (item < 0 || static_cast<size_t>(item) >= list.size()) return;
  const int32_t block = list[static_cast<size_t>(item)];
  const SurveyDocument& document = main_.Session().Document();
  BasicGraphRequest request;
  request.kind = kind;
  request.block = block;
  request.title = document.BlockName(block);
  request.flex = main_.Session().View().FlexTotalDiffers();
  request.questions = ViewMenuBlockQuestions(document, block);
  if (request.questions.empty()) {
    main_.Status().SetStatus(EmptyBlockText(), true);
    return;
  }
  Generate(BasicGraphRoute::ViewBlock, std::move(request));
}

void GraphWindows::PopupBlockGraph(int kind) {
  const SurveyDocument& document = main_.Session().Document();
  const int32_t question = main_.PopupQuestion();
  const Question* q = document.QuestionAt(question);
  if (q == nullptr) return;
  const bool topRow = main_.PopupRowItem() == -main_.ScreenSheet().headerRowCount;
  const bool usePrimary = topRow || q->secondaryBlock == -1;
  BasicGraphRequest request;
  request.kind = kind;
  request.block = PopupGraphBlock(document, question, topRow);
  request.title = document.BlockName(request.block);
  request.flex = main_.Session().View().FlexTotalDiffers();
  request.questions = PopupBlockQuestions(document, main_.Session().View().Sheet(), request.block, usePrimary);
  Generate(BasicGraphRoute::PopupBlock, std::move(request));
}

void GraphWindows::PopupQuestionGraph(int kind) {
  const SurveyDocument& document = main_.Session().Document();
  const Question* q = document.QuestionAt(main_.PopupQuestion());
  if (q == nullptr) return;
  BasicGraphRequest request;
  request.kind = kind;
  request.questions = {main_.PopupQuestion()};
  request.title = document.GetText(q->name);
  request.flex = main_.Session().View().FlexTotalDiffers();
  Generate(BasicGraphRoute::QuestionTotal, std::move(request));
}

void GraphWindows::PopupSplitBy(int kind, int dimension) {
  const SurveyDocument& document = main_.Session().Document();
  const int32_t question = main_.PopupQuestion();
  if (document.QuestionAt(question) == nullptr || dimension < 0 || dimension >= document.DimensionCount()) return;
  const int32_t split = document.dimensions[static_cast<size_t>(dimension)];
  BasicGraphRequest request;
  request.kind = kind;
  request.questions = {question};
  request.splitQuestion = split;
  request.title = SplitGraphTitle(document, question, split);
  Generate(BasicGraphRoute::SplitBy, std::move(request));
}

void GraphWindows::PopupSplitByAnother(int kind) {
  const SurveyDocument& document = main_.Session().Document();
  const int32_t question = main_.PopupQuestion();
  if (document.QuestionAt(question) == nullptr || !chooser_) return;
  const std::vector<int32_t> choices = SplitQuestionChoices(document, question, main_.Session().View().SplitDisabled());
  const int32_t split = chooser_(document, question, choices);
  if (split < 0) {
    main_.Status().ClearStatus();
    return;
  }
  BasicGraphRequest request;
  request.kind = kind;
  request.questions = {question};
  request.splitQuestion = split;
  request.title = SplitGraphTitle(document, question, split);
  Generate(BasicGraphRoute::SplitByAnother, std::move(request));
}

}  // namespace kvf::app
