#include "app/mainwindow/MainWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/import/ImportCommand.h"
#include "app/mainwindow/WaitCursor.h"
#include "app/output/OutputCommands.h"
#include "core/text/Language.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

// The design size of the main window, twips.
constexpr int32_t kDesignWidthTwips = 12000;
constexpr int32_t kDesignHeightTwips = 9000;
constexpr int32_t kMinimumTwips = 3000;

const BiText kOpening{S("Opening data file..."), S("Öppnar datafil...")};

}  // namespace

MainWindow::MainWindow(ViewerEnvironment environment, QWidget* parent)
    : QMainWindow(parent), env_(std::move(environment)), userBlocks_(*env_.store), settings_(env_), commands_(*this) {
  setObjectName(S("MainWindow"));
  setWindowTitle(ApplicationTitle());
  session_.AddObserver(this);
  session_.SetUserBlockSource(&userBlocks_);
  session_.SetPrintingAvailable(env_.printerAvailable);
  session_.View().AddObserver(this);

  sheetArea_ = new SheetArea(this);
  // The sheet area designs its own view on a resize; the windows that
  // follow the view hear of it.
  connect(sheetArea_, &SheetArea::Resized, this, [this] {
    if (session_.IsOpen()) SheetViewDesigned();
  });
  sheetArea_->SetSheet(&sheetState_);
  sheetArea_->installEventFilter(this);
  sheetArea_->Vertical()->installEventFilter(this);
  sheetArea_->Horizontal()->installEventFilter(this);
  setCentralWidget(sheetArea_);

  status_ = new StatusLine(statusBar());
  connect(status_, &StatusLine::PanelDoubleClicked, this, [this] { commands_.CopyIndexTable(); });
  connect(status_, &StatusLine::PointerMoved, this, [this] { showValuesTimer_->stop(); });

  showValuesTimer_ = new QTimer(this);
  showValuesTimer_->setObjectName(S("showValuesTimer"));
  showValuesTimer_->setSingleShot(true);
  showValuesTimer_->setInterval(200);
  connect(showValuesTimer_, &QTimer::timeout, this, &MainWindow::ShowValues);
  autoOpenTimer_ = new QTimer(this);
  autoOpenTimer_->setObjectName(S("autoOpenTimer"));
  autoOpenTimer_->setSingleShot(true);
  autoOpenTimer_->setInterval(500);
  connect(autoOpenTimer_, &QTimer::timeout, this, &MainWindow::AutoOpen);

  popup_ = new QMenu(this);
  menus_.Build(menuBar(), popup_);
  // A wheel is always supported through the toolkit's wheel events.
  menus_.SetVisible(MenuEntry::PopupSeparator3, true);
  menus_.SetVisible(MenuEntry::PopupWheelVertical, true);
  menus_.SetVisible(MenuEntry::PopupWheelHorizontal, true);
  toolWindows_ = new ToolWindowHost(*this, menus_);
  commands_.Connect(menus_);
  OutputCommands::Attach(*this);
  ImportCommand::Install(*this, menus_);
  ApplyLanguage();
  ResetToNoDocument();

  const double twips = logicalDpiX() > 0 ? 1440.0 / logicalDpiX() : 15.0;
  const int minimum = static_cast<int>(std::ceil(kMinimumTwips / twips));
  setMinimumSize(minimum, minimum);
  resize(static_cast<int>(kDesignWidthTwips / twips), static_cast<int>(kDesignHeightTwips / twips));
}

MainWindow::~MainWindow() {
  session_.View().RemoveObserver(this);
  toolWindows_->UnloadPools();
}

platform::Clipboard& MainWindow::Clipboard() { return env_.clipboard != nullptr ? *env_.clipboard : desktopClipboard_; }

void MainWindow::AddSheetViewObserver(SheetViewObserver* observer) {
  if (observer != nullptr && std::find(viewObservers_.begin(), viewObservers_.end(), observer) == viewObservers_.end())
    viewObservers_.push_back(observer);
}

void MainWindow::RemoveSheetViewObserver(SheetViewObserver* observer) {
  viewObservers_.erase(std::remove(viewObservers_.begin(), viewObservers_.end(), observer), viewObservers_.end());
}

void MainWindow::ShowMessage(QMessageBox::Icon icon, const QString& caption, const QString& text) {
  if (message_) {
    message_(icon, caption, text);
    return;
  }
  QMessageBox box(icon, caption, text, QMessageBox::Ok, this);
  box.exec();
}

// ---------------------------------------------------------------- menus

void MainWindow::ApplyLanguage() {
  const bool swedish = Swedish();
  menus_.ApplyLanguage(swedish);
  status_->ApplyLanguage(swedish);
}

void MainWindow::ResetToNoDocument() {
  toolWindows_->ResetForNoDocument();
  menus_.SetVisible(MenuEntry::PopupHistogramSplitByMenu, false);
  menus_.SetVisible(MenuEntry::PopupGraphSplitByMenu, false);
  menus_.SetDynamicItems(MenuEntry::PopupHistogramSplitByMenu, {}, {});
  menus_.SetDynamicItems(MenuEntry::PopupGraphSplitByMenu, {}, {});
  splitItems_ = {};
  for (MenuEntry entry : {MenuEntry::SaveAs, MenuEntry::Copy, MenuEntry::CopyHeadersAndTotals,
                          MenuEntry::CopyToMiniOverview, MenuEntry::Properties, MenuEntry::Comments,
                          MenuEntry::EditBlocks, MenuEntry::DistributionGraph, MenuEntry::CloseAllGraphWindows})
    menus_.SetEnabled(entry, false);
  for (MenuEntry entry : {MenuEntry::CopyIndexes, MenuEntry::CopyData, MenuEntry::TotalIndexGraph})
    menus_.SetVisible(entry, false);
  menus_.SetEnabled(MenuEntry::PrintFormat, env_.printerAvailable);
  blockGraphMap_ = BlockGraphMenuMap();
  for (int kind = 1; kind <= 4; ++kind) {
    menus_.SetDynamicItems(BlockGraphSubmenu(kind), {}, {});
    menus_.SetVisible(BlockGraphSubmenu(kind), false);
  }
  splitDisabled_.clear();
  status_->SetSelectionPanelsVisible(false);
  status_->ApplyLanguage(Swedish());
}

void MainWindow::RebuildBlockGraphMenus() {
  const SurveyDocument& document = session_.Document();
  blockGraphMap_ = BuildBlockGraphMenuMap(document);
  const std::vector<int32_t>* lists[4] = {&blockGraphMap_.histogram, &blockGraphMap_.graph, &blockGraphMap_.ranking,
                                          &blockGraphMap_.index};
  for (int kind = 1; kind <= 4; ++kind) {
    const std::vector<int32_t>& list = *lists[kind - 1];
    // A menu holds what a person can read: the first blocks of a document
    // with thousands of them (which no real survey has) would otherwise cost
    // seconds of menu building at every load.
    constexpr qsizetype kMaxBlockMenuItems = 500;
    QStringList captions;
    for (int32_t block : list) {
      if (captions.size() == kMaxBlockMenuItems) break;
      captions << DoubleAmpersands(document.BlockName(block));
    }
    // The graph windows arrive with the graph commands; until then the items are greyed.
    menus_.SetDynamicItems(BlockGraphSubmenu(kind), captions, blockGraphCommands_[static_cast<size_t>(kind - 1)]);
    menus_.SetVisible(BlockGraphSubmenu(kind), !list.empty());
  }
}

void MainWindow::BlocksChanged(const SurveyDocument& document) { RebuildBlockGraphMenus(); }

void MainWindow::ShowRecentFiles() { settings_.ShowRecentFiles(menus_, menuBar()->font(), logicalDpiX()); }

// ---------------------------------------------------------------- loading

void MainWindow::Load(const QStringList& arguments) {
  setWindowTitle(ApplicationTitle());
  settings_.RestorePlacement(*this);
  settings_.Read();
  session_.SetDataOpenFolder(settings_.Last().dataOpenFolder);
  session_.View().SetUserRowOrder(settings_.Options().overviewRowOrder);
  session_.View().SetOverviewMaxRows(settings_.Options().overviewMaxRows);
  ShowRecentFiles();
  wheel_ = SystemWheelSettings();

  const QString title = ApplicationTitle();
  if (arguments.isEmpty()) {
    status_->SetStatus(BiText{S("Welcome to ") + title + S("!"), S("Välkommen till ") + title + S("!")}, true);
    return;
  }
  const QString& path = arguments.first();
  if (QFileInfo(path).isFile()) {
    status_->SetStatus(kOpening, false);
    pendingOpenPath_ = path;
    autoOpenTimer_->start();
  } else {
    const QString quoted = QLatin1Char('"') + path + QLatin1Char('"');
    status_->SetStatus(
        BiText{S("Could not find the file ") + quoted + S("!"), S("Kunde inte hitta filen ") + quoted + S("!")}, true);
  }
}

void MainWindow::AutoOpen() {
  autoOpenTimer_->stop();
  const QString path = std::exchange(pendingOpenPath_, QString());
  if (path.isEmpty()) return;
  commands_.OpenDocument(path, false, ApplicationTitle());
}

// ---------------------------------------------------------------- session

void MainWindow::DocumentClosing(const SurveyDocument&) {
  kvf::EraseSheet(&sheetState_);
  drawer_.reset();
  ResetToNoDocument();
  sheetArea_->DesignSheetView();
}

void MainWindow::DocumentClosed(const QString& path) {
  setWindowTitle(ApplicationTitle());
  if (settings_.AddRecentFile(path)) ShowRecentFiles();
}

void MainWindow::DocumentLoaded(const SurveyDocument& document) {
  // The first sheet was built before the document reached this window; keep
  // what it decided across the reset.
  const std::vector<bool> splitDisabled = session_.View().SplitDisabled();
  const bool dataRows = session_.View().Sheet().dataRowsAllowed;
  ResetToNoDocument();
  const DocumentInfo& info = document.info;
  setWindowTitle(ApplicationTitle() + S(" - ") + document.file.documentTitle);

  menus_.SetVisible(MenuEntry::TotalIndexGraph, (info.featureFlags & kFeatureTotalIndexGraph) != 0);
  if (info.allowCopy) {
    menus_.SetEnabled(MenuEntry::Copy, true);
    menus_.SetEnabled(MenuEntry::CopyHeadersAndTotals, true);
    menus_.SetVisible(MenuEntry::CopyIndexes, info.HasIndexes());
    menus_.SetVisible(MenuEntry::CopyData, info.allowCopyData);
  }
  if (info.allowSave) menus_.SetEnabled(MenuEntry::SaveAs, true);
  menus_.SetEnabled(MenuEntry::Properties, true);
  menus_.SetEnabled(MenuEntry::EditBlocks, true);
  menus_.SetEnabled(MenuEntry::Comments, !document.respondentComments.empty());

  QStringList splitCaptions;
  for (int32_t question : document.dimensions)
    if (const Question* q = document.QuestionAt(question))
      splitCaptions << DoubleAmpersands(document.GetText(q->name));
  if (!splitCaptions.isEmpty()) {
    menus_.SetVisible(MenuEntry::PopupHistogramSplitByMenu, true);
    menus_.SetVisible(MenuEntry::PopupGraphSplitByMenu, true);
    menus_.SetEnabled(MenuEntry::DistributionGraph, true);
  }
  splitItems_[0] = menus_.SetDynamicItems(MenuEntry::PopupHistogramSplitByMenu, splitCaptions, splitCommands_[0]);
  splitItems_[1] = menus_.SetDynamicItems(MenuEntry::PopupGraphSplitByMenu, splitCaptions, splitCommands_[1]);
  RebuildBlockGraphMenus();

  toolWindows_->DocumentLoaded(document);
  menus_.SetEnabled(MenuEntry::CloseAllGraphWindows, true);

  SplitAvailabilityChanged(splitDisabled);
  DataRowsAllowedChanged(dataRows);

  status_->SetSelectionTips(document.GetText(info.countTip), document.GetText(info.selectionTip));
  status_->SetSelectionPanelsVisible(true);
  DesignSheetView();
}

void MainWindow::UpgradeWarning(const QString& caption, const QString& text) {
  ShowMessage(QMessageBox::Warning, caption, text);
}

// ---------------------------------------------------------------- sheet

void MainWindow::EraseSheet() {
  kvf::EraseSheet(&sheetState_);
  sheetArea_->update();
}

void MainWindow::DrawSheet(const SurveyDocument& document, const SubSheet& sheet) {
  if (!drawer_) {
    Result<SheetDrawer> made = SheetDrawer::Create(document);
    // A drawer that cannot be made leaves the cells without colour.
    drawer_.emplace(made ? std::move(made).Value() : SheetDrawer());
  }
  SheetRequest request;
  request.mode = kSheetScreen;
  request.rowLimit = sheet.rowLimit;
  request.maxRows = settings_.Options().overviewMaxRows;
  request.groupLines = settings_.Options().overviewGroupLines;
  if (const kvf::Status drawn = kvf::DrawSheet(*drawer_, document, sheet, request, &sheetState_); !drawn)
    status_->SetStatus(drawn.Message(), true);
}

void MainWindow::DesignSheetView() {
  sheetArea_->DesignSheetView();
  if (!session_.IsOpen()) return;
  const SubSheet& sheet = session_.View().Sheet();
  status_->SetSelection(QLocale::system().toString(static_cast<qlonglong>(sheet.respondents.size())),
                        sheet.description);
  SheetViewDesigned();
}

void MainWindow::SheetViewDesigned() {
  const std::vector<SheetViewObserver*> observers = viewObservers_;
  for (SheetViewObserver* observer : observers) observer->SheetViewDesigned();
}

void MainWindow::SplitAvailabilityChanged(const std::vector<bool>& splitDisabled) {
  splitDisabled_ = splitDisabled;
  // Split-by item k follows dimension k; items without a command stay greyed.
  for (size_t kind = 0; kind < splitItems_.size(); ++kind) {
    if (!splitCommands_[kind]) continue;
    for (size_t k = 0; k < splitItems_[kind].size(); ++k)
      splitItems_[kind][k]->setEnabled(k >= splitDisabled.size() || !splitDisabled[k]);
  }
}

void MainWindow::SetBlockGraphCommand(int kind, std::function<void(int)> command) {
  if (kind >= 1 && kind <= 4) blockGraphCommands_[static_cast<size_t>(kind - 1)] = std::move(command);
}

void MainWindow::SetSplitCommand(int kind, std::function<void(int)> command) {
  if (kind >= 1 && kind <= 2) splitCommands_[static_cast<size_t>(kind - 1)] = std::move(command);
}

void MainWindow::DataRowsAllowedChanged(bool allowed) {
  menus_.SetEnabled(MenuEntry::CopyToMiniOverview, allowed);
  menus_.SetEnabled(MenuEntry::CopyData, allowed);
}

CellHit MainWindow::HitTest(QPointF point) const {
  if (!session_.IsOpen() || !sheetState_.present) return CellHit();
  return HitTestCell(session_.View().Sheet(), sheetArea_->Grid(), sheetArea_->Scroll(), point);
}

// ---------------------------------------------------------------- pop-up

void MainWindow::PreparePopup(const CellHit& hit) {
  const SurveyDocument& document = session_.Document();
  const PopupState state =
      ComputePopupState(document, session_.View().Sheet(), hit.rowItem, hit.question, sheetState_.headerRowCount,
                        menus_.LogicalVisible(MenuEntry::PopupTotalIndexGraph));
  auto set = [this](MenuEntry entry, const EntryState& entryState) {
    menus_.SetVisible(entry, entryState.visible);
    menus_.SetEnabled(entry, entryState.enabled);
  };
  set(MenuEntry::PopupRowsComments, state.showRowsComments);
  set(MenuEntry::PopupColumnsComments, state.showColumnsComments);
  set(MenuEntry::PopupCopyRowsAnswers, state.copyThisRowsAnswers);
  menus_.SetVisible(MenuEntry::PopupSeparator1, state.bar1);
  menus_.SetVisible(MenuEntry::PopupBlockIndexGraph, state.blockIndexGraph);
  menus_.SetVisible(MenuEntry::PopupBlockHistogram, state.blockHistogram);
  menus_.SetVisible(MenuEntry::PopupBlockGraph, state.blockGraph);
  menus_.SetVisible(MenuEntry::PopupBlockRankingGraphMenu, state.blockRankingGraph);
  menus_.SetVisible(MenuEntry::PopupQuestionHistogramMenu, state.questionHistogram);
  menus_.SetVisible(MenuEntry::PopupQuestionGraphMenu, state.questionGraph);
  menus_.SetVisible(MenuEntry::PopupQuestionRankingGraphMenu, state.questionRankingGraph);
  menus_.SetVisible(MenuEntry::PopupSeparator2, state.bar2);
  popupRowItem_ = hit.rowItem;
  popupQuestion_ = hit.question;
}

void MainWindow::SheetMouseRelease(QMouseEvent* event) {
  if (event->button() != Qt::RightButton || event->buttons() != Qt::NoButton) return;
  if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0) return;
  if (!sheetState_.present) return;
  const CellHit hit = HitTest(event->position());
  if (!hit.inside) return;
  PreparePopup(hit);
  popup_->popup(event->globalPosition().toPoint());
}

// ---------------------------------------------------------------- hover

void MainWindow::SheetMouseMove(QMouseEvent* event) {
  if (!session_.IsOpen() || !session_.Document().info.HasIndexes()) return;
  const QPointF point = event->position();
  if (point == lastPointer_) return;
  showValuesTimer_->stop();
  const bool modifiers = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
  if (event->buttons() == Qt::NoButton && !modifiers) showValuesTimer_->start();
  lastPointer_ = point;
}

void MainWindow::ShowValues() {
  showValuesTimer_->stop();
  const CellHit hit = HitTest(lastPointer_);
  if (!hit.inside) return;
  const std::vector<SheetViewObserver*> observers = viewObservers_;
  for (SheetViewObserver* observer : observers) observer->CellHovered(hit);
}

// ---------------------------------------------------------------- wheel

void MainWindow::WheelMoved(int32_t delta, int32_t scrollLines) {
  QScrollBar* bar = wheelHorizontal_ ? sheetArea_->Horizontal() : sheetArea_->Vertical();
  const WheelBar state{!bar->isHidden(), bar->value(), bar->minimum(), bar->maximum(), bar->pageStep()};
  bar->setValue(WheelTurn(wheelAccumulators_[0], delta, scrollLines, state));
}

void MainWindow::WheelTilted(int32_t delta, int32_t scrollChars) {
  QScrollBar* bar = sheetArea_->Horizontal();
  const WheelBar state{!bar->isHidden(), bar->value(), bar->minimum(), bar->maximum(), bar->pageStep()};
  bar->setValue(WheelTurn(wheelAccumulators_[1], delta, scrollChars, state));
}

bool MainWindow::SheetWheel(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  // The toolkit reports tilting left as a positive horizontal delta, so the
  // formula moves the bar toward its minimum: tilting right scrolls right.
  if (angle.y() != 0) WheelMoved(angle.y(), wheel_.scrollLines);
  if (angle.x() != 0 && wheel_.scrollChars != 0) WheelTilted(angle.x(), wheel_.scrollChars);
  return true;
}

// ---------------------------------------------------------------- events

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) return SheetWheel(static_cast<QWheelEvent*>(event));
  if (watched == sheetArea_) {
    if (event->type() == QEvent::MouseMove) SheetMouseMove(static_cast<QMouseEvent*>(event));
    if (event->type() == QEvent::MouseButtonRelease) SheetMouseRelease(static_cast<QMouseEvent*>(event));
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) toolWindows_->MainWindowStateChanged(isMinimized());
}

void MainWindow::Exit() {
  WaitCursor wait;
  closing_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  std::unique_ptr<WaitCursor> wait;
  if (!closing_) wait = std::make_unique<WaitCursor>();
  status_->SetStatus(
      BiText{S("Terminating application, please wait..."), S("Avslutar programmet, var vänlig vänta...")}, false);
  session_.CloseDocument();
  toolWindows_->CloseAll();
  settings_.Write(session_.DataOpenFolder());
  settings_.SavePlacement(*this);
  if (env_.store != nullptr) env_.store->Flush();
  closing_ = false;
  event->accept();
}

}  // namespace kvf::app
