#include "app/mainwindow/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

#include "app/mainwindow/HelpFiles.h"
#include "app/mainwindow/OpenFileDialog.h"
#include "core/indexes/IndexCalculation.h"
#include "core/settings/WindowPlacement.h"
#include "core/text/Language.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

// The hourglass for the lifetime of the object.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The design size of the main window, twips.
constexpr int32_t kDesignWidthTwips = 12000;
constexpr int32_t kDesignHeightTwips = 9000;
constexpr int32_t kMinimumTwips = 3000;

}  // namespace

MainWindow::MainWindow(ViewerEnvironment environment, QWidget* parent)
    : QMainWindow(parent), env_(std::move(environment)), userBlocks_(*env_.store) {
  setObjectName(S("frmMain"));
  setWindowTitle(ApplicationTitle());
  session_.AddObserver(this);
  session_.SetUserBlockSource(&userBlocks_);
  session_.SetPrintingAvailable(env_.printerAvailable);
  session_.View().SetObserver(this);

  sheetArea_ = new SheetArea(this);
  // The sheet area designs its own view on a resize; the rest of the design
  // (the detail window's reset) follows it.
  connect(sheetArea_, &SheetArea::Resized, this, [this] {
    if (session_.IsOpen() && sheetDesigned_) sheetDesigned_();
  });
  sheetArea_->SetSheet(&sheetState_);
  sheetArea_->installEventFilter(this);
  sheetArea_->Vertical()->installEventFilter(this);
  sheetArea_->Horizontal()->installEventFilter(this);
  setCentralWidget(sheetArea_);

  status_ = new StatusLine(statusBar());
  connect(status_, &StatusLine::PanelDoubleClicked, this, &MainWindow::StatusDoubleClicked);
  connect(status_, &StatusLine::PointerMoved, this, [this] { showValuesTimer_->stop(); });

  showValuesTimer_ = new QTimer(this);
  showValuesTimer_->setObjectName(S("tmrShowValues"));
  showValuesTimer_->setSingleShot(true);
  showValuesTimer_->setInterval(200);
  connect(showValuesTimer_, &QTimer::timeout, this, &MainWindow::ShowValues);
  autoOpenTimer_ = new QTimer(this);
  autoOpenTimer_->setObjectName(S("tmrAutoOpenFile"));
  autoOpenTimer_->setSingleShot(true);
  autoOpenTimer_->setInterval(500);
  connect(autoOpenTimer_, &QTimer::timeout, this, &MainWindow::AutoOpenFile);
  autoShowTimer_ = new QTimer(this);
  autoShowTimer_->setObjectName(S("tmrAutoShowForm"));
  autoShowTimer_->setSingleShot(true);
  autoShowTimer_->setInterval(300);
  connect(autoShowTimer_, &QTimer::timeout, this, [this] {
    autoShowTimer_->stop();
    const QList<QPointer<QWidget>> forms = std::exchange(formsToShow_, {});
    for (const QPointer<QWidget>& form : forms)
      if (!form.isNull()) form->show();
  });

  BuildMenus();
  ConnectCommands();
  ApplyLanguage();
  ResetToNoDocument();

  const double twips = TwipsPerPixel();
  setMinimumSize(static_cast<int>(std::ceil(kMinimumTwips / twips)), static_cast<int>(std::ceil(kMinimumTwips / twips)));
  resize(static_cast<int>(kDesignWidthTwips / twips), static_cast<int>(kDesignHeightTwips / twips));
}

MainWindow::~MainWindow() {
  session_.View().SetObserver(nullptr);
  overviewPool_.UnloadAll();
  basicGraphPool_.UnloadAll();
  graphPool_.UnloadAll();
}

double MainWindow::TwipsPerPixel() const {
  const int dpi = logicalDpiX();
  return dpi > 0 ? 1440.0 / dpi : 15.0;
}

// ---------------------------------------------------------------- menus

void MainWindow::BuildMenus() {
  popup_ = new QMenu(this);
  menus_.Build(menuBar(), popup_);
  // A wheel is always supported through the toolkit's wheel events.
  menus_.SetVisible(S("mnuPBar3"), true);
  menus_.SetVisible(S("mnuPMouseWheelScrollDirection0"), true);
  menus_.SetVisible(S("mnuPMouseWheelScrollDirection1"), true);
}

void MainWindow::ConnectCommands() {
  menus_.Connect(S("mnuFOpen"), [this] { OpenWithDialog(); });
  for (int i = 0; i < RecentFileList::kMaxEntries; ++i)
    menus_.Connect(S("mnuFMRU") + QString::number(i), [this, i] { OpenRecentFile(i); });
  menus_.Connect(S("mnuFExit"), [this] {
    WaitCursor wait;
    closing_ = true;
    close();
  });
  menus_.Connect(S("mnuVCloseAllGraphWindows"), [this] { CloseAllGraphWindows(); });
  menus_.Connect(S("mnuHHelpTopics"), [this] { OpenHelp(); });
  menus_.Connect(S("mnuPMouseWheelScrollDirection0"), [this] { wheelHorizontal_ = false; });
  menus_.Connect(S("mnuPMouseWheelScrollDirection1"), [this] { wheelHorizontal_ = true; });
}

void MainWindow::ApplyLanguage() {
  const bool swedish = Swedish();
  menus_.ApplyLanguage(swedish);
  status_->ApplyLanguage(swedish);
}

void MainWindow::ResetToNoDocument() {
  for (auto it = toolWindows_.begin(); it != toolWindows_.end(); ++it) {
    if (it->reset) it->reset();
    if (!it->window.isNull()) it->window->hide();
    menus_.SetChecked(it.key(), false);
  }
  menus_.SetChecked(S("mnuVNavigator"), false);
  menus_.SetEnabled(S("mnuVNavigator"), false);
  menus_.SetChecked(S("mnuVDetailInfo"), false);
  menus_.SetEnabled(S("mnuVDetailInfo"), false);
  menus_.SetVisible(S("mnuPS1SplitBy"), false);
  menus_.SetVisible(S("mnuPS2SplitBy"), false);
  menus_.SetDynamicItems(S("mnuPS1SplitBy"), S("mnuPS1SplitByColumn"), {}, {});
  menus_.SetDynamicItems(S("mnuPS2SplitBy"), S("mnuPS2SplitByColumn"), {}, {});
  for (const char* name : {"mnuFSaveAs", "mnuECopy", "mnuECopyHeadersAndTotals", "mnuECopyToMiniOverview",
                           "mnuFProperties", "mnuVComments", "mnuTEditBlocks", "mnuVDistributionGraph",
                           "mnuVCloseAllGraphWindows"})
    menus_.SetEnabled(S(name), false);
  for (const char* name : {"mnuECopyIndexes", "mnuECopyData", "mnuVTotalGraph1"}) menus_.SetVisible(S(name), false);
  menus_.SetEnabled(S("mnuFPrintFormat"), env_.printerAvailable);
  blockGraphMap_ = BlockGraphMenuMap();
  for (int kind = 1; kind <= 4; ++kind) {
    const QString submenu = S("mnuVBlockGraph") + QString::number(kind);
    menus_.SetDynamicItems(submenu, S("mnuVB") + QString::number(kind) + S("Item"), {}, {});
    menus_.SetVisible(submenu, false);
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
    QStringList captions;
    for (int32_t block : list) captions << DoubleAmpersands(document.BlockName(block));
    const QString submenu = S("mnuVBlockGraph") + QString::number(kind);
    // The graph windows arrive with the graph commands; until then the items are greyed.
    menus_.SetDynamicItems(submenu, S("mnuVB") + QString::number(kind) + S("Item"), captions, {});
    menus_.SetVisible(submenu, !list.empty());
  }
}

void MainWindow::RefreshRecentFileMenu() {
  const QStringList& entries = recentFiles_.Entries();
  menus_.SetVisible(S("mnuFMRUBar"), !entries.isEmpty());
  const QFontMetrics metrics(menuBar()->font());
  const auto width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
  const int maxWidth = RecentFileMaxWidthPixels(logicalDpiX());
  for (int i = 0; i < RecentFileList::kMaxEntries; ++i) {
    const QString name = S("mnuFMRU") + QString::number(i);
    if (i < entries.size()) {
      menus_.Action(name)->setText(RecentFileCaption(i, RecentFileDisplayPath(entries[i], width, maxWidth)));
      menus_.SetVisible(name, true);
    } else {
      menus_.SetVisible(name, false);
    }
  }
}

// ---------------------------------------------------------------- loading

void MainWindow::Load(const QStringList& arguments) {
  setWindowTitle(ApplicationTitle());
  RestorePlacement();
  last_ = ReadLastSettings(env_.programKey, env_.folders);
  session_.SetDataOpenFolder(last_.dataOpenFolder);
  options_ = ReadSettings(env_.programKey);
  session_.View().SetUserRowOrder(options_.overviewRowOrder);
  session_.View().SetOverviewMaxRows(options_.overviewMaxRows);
  recentFiles_ = ReadRecentFiles(env_.programKey, env_.policies);
  RefreshRecentFileMenu();
  wheel_ = SystemWheelSettings();

  const QString title = ApplicationTitle();
  if (arguments.isEmpty()) {
    SetStatus(S("Welcome to ") + title + S("!"), S("Välkommen till ") + title + S("!"), true);
    return;
  }
  const QString& path = arguments.first();
  if (QFileInfo(path).isFile()) {
    SetStatus(S("Opening data file..."), S("Öppnar datafil..."), false);
    pendingOpenPath_ = path;
    autoOpenTimer_->start();
  } else {
    const QString quoted = QLatin1Char('"') + path + QLatin1Char('"');
    SetStatus(S("Could not find the file ") + quoted + S("!"), S("Kunde inte hitta filen ") + quoted + S("!"), true);
  }
}

void MainWindow::RestorePlacement() {
  const double twips = TwipsPerPixel();
  WindowPlacement current;
  current.left = static_cast<int32_t>(std::lround(geometry().x() * twips));
  current.top = static_cast<int32_t>(std::lround(geometry().y() * twips));
  current.width = static_cast<int32_t>(std::lround(width() * twips));
  current.height = static_cast<int32_t>(std::lround(height() * twips));
  WindowPlacement placement = RestoreWindowPlacement(env_.programKey, S("Main"), BorderStyle::Sizable, true,
                                                     kMinimumTwips, kMinimumTwips, current);
  std::vector<ScreenArea> screens;
  for (QScreen* screen : QGuiApplication::screens()) screens.push_back({screen->geometry(), screen->availableGeometry()});
  const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  placement = KeepCaptionOnScreen(placement, caption, twips, screens);
  setGeometry(static_cast<int>(std::lround(placement.left / twips)), static_cast<int>(std::lround(placement.top / twips)),
              static_cast<int>(std::lround(placement.width / twips)),
              static_cast<int>(std::lround(placement.height / twips)));
  if (placement.state == WindowShowState::Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::SavePlacement() {
  const double twips = TwipsPerPixel();
  WindowPlacement placement;
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  placement.left = static_cast<int32_t>(std::lround(normal.x() * twips));
  placement.top = static_cast<int32_t>(std::lround(normal.y() * twips));
  placement.width = static_cast<int32_t>(std::lround(normal.width() * twips));
  placement.height = static_cast<int32_t>(std::lround(normal.height() * twips));
  placement.state = isMinimized()   ? WindowShowState::Minimized
                    : isMaximized() ? WindowShowState::Maximized
                                    : WindowShowState::Normal;
  SaveWindowPlacement(env_.programKey, env_.policies, S("Main"), BorderStyle::Sizable, placement);
}

// ---------------------------------------------------------------- status

void MainWindow::SetStatus(const QString& englishStatus, const QString& swedishStatus, bool autoClear) {
  status_->SetStatus(englishStatus, swedishStatus, autoClear);
}

void MainWindow::ClearStatus() { status_->ClearStatus(); }

void MainWindow::ShowMessage(QMessageBox::Icon icon, const QString& caption, const QString& text) {
  if (message_) {
    message_(icon, caption, text);
    return;
  }
  QMessageBox box(icon, caption, text, QMessageBox::Ok, this);
  box.exec();
}

// ---------------------------------------------------------------- opening

bool MainWindow::OpenDocument(const QString& path, bool rememberFolder, const QString& caption) {
  kvf::Status loaded;
  {
    WaitCursor wait;
    loaded = session_.LoadDocument(path, rememberFolder);
  }
  if (!loaded) {
    ShowMessage(QMessageBox::Critical, caption, loaded.Text());
    ClearStatus();
    return false;
  }
  const QString title = session_.Document().file.documentTitle;
  SetStatus(title + S(" has been opened!"), title + S(" har öppnats!"), true);
  return true;
}

void MainWindow::AutoOpenFile() {
  autoOpenTimer_->stop();
  const QString path = std::exchange(pendingOpenPath_, QString());
  if (path.isEmpty()) return;
  OpenDocument(path, false, ApplicationTitle());
}

void MainWindow::OpenWithDialog() {
  OpenDialogSetup setup;
  {
    WaitCursor wait;
    SetStatus(S("Opening data file, locating folder, please wait!"),
              S("Öppnar datafil, söker efter mapp, var vänlig vänta!"), false);
    const SurveyDocument& document = session_.Document();
    setup = MakeOpenDialogSetup(Swedish(), document.file.documentFileName, document.file.documentTitle,
                                session_.DataOpenFolder(), env_.folders.documents);
    session_.SetDataOpenFolder(setup.folder);  // a folder that is gone gives way to the documents folder
    SetStatus(S("Opening data file..."), S("Öppnar datafil..."), false);
  }
  QFileDialog dialog(this, setup.caption, setup.folder);
  dialog.setObjectName(S("dlgOpen"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(setup.filters);
  dialog.selectNameFilter(setup.filters.value(setup.selectedFilter));
  if (!setup.fileName.isEmpty()) dialog.selectFile(setup.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    ClearStatus();
    return;
  }
  OpenDocument(dialog.selectedFiles().first(), true, setup.caption);
}

void MainWindow::OpenRecentFile(int index) {
  if (index < 0 || index >= recentFiles_.Entries().size()) return;
  const QString path = recentFiles_.Entries()[index];  // a copy: loading changes the list
  SetStatus(S("Opening data file..."), S("Öppnar datafil..."), false);
  OpenDocument(path, true, OpenDialogCaption(Swedish()));
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
  if (!path.isEmpty() && recentFiles_.Enabled()) {
    recentFiles_.Add(path);
    RefreshRecentFileMenu();
  }
}

void MainWindow::DocumentLoaded(const SurveyDocument& document) {
  // The first sheet was built before the document reached this window; keep
  // what it decided across the reset.
  const std::vector<bool> splitDisabled = session_.View().SplitDisabled();
  const bool dataRows = session_.View().Sheet().dataRowsAllowed;
  ResetToNoDocument();
  const DocumentInfo& info = document.info;
  setWindowTitle(ApplicationTitle() + S(" - ") + document.file.documentTitle);

  menus_.SetVisible(S("mnuVTotalGraph1"), (info.featureFlags & kFeatureTotalIndexGraph) != 0);
  if (info.allowCopy) {
    menus_.SetEnabled(S("mnuECopy"), true);
    menus_.SetEnabled(S("mnuECopyHeadersAndTotals"), true);
    menus_.SetVisible(S("mnuECopyIndexes"), info.HasIndexes());
    menus_.SetVisible(S("mnuECopyData"), info.allowCopyData);
  }
  if (info.allowSave) menus_.SetEnabled(S("mnuFSaveAs"), true);
  menus_.SetEnabled(S("mnuFProperties"), true);
  menus_.SetEnabled(S("mnuTEditBlocks"), true);
  menus_.SetEnabled(S("mnuVComments"), !document.respondentComments.empty());

  QStringList splitCaptions;
  for (int32_t question : document.dimensions)
    if (question >= 0 && static_cast<size_t>(question) < document.questions.size())
      splitCaptions << DoubleAmpersands(document.GetText(document.questions[static_cast<size_t>(question)].name));
  if (!splitCaptions.isEmpty()) {
    menus_.SetVisible(S("mnuPS1SplitBy"), true);
    menus_.SetVisible(S("mnuPS2SplitBy"), true);
    menus_.SetEnabled(S("mnuVDistributionGraph"), true);
  }
  menus_.SetDynamicItems(S("mnuPS1SplitBy"), S("mnuPS1SplitByColumn"), splitCaptions, {});
  menus_.SetDynamicItems(S("mnuPS2SplitBy"), S("mnuPS2SplitByColumn"), splitCaptions, {});
  RebuildBlockGraphMenus();

  for (auto it = toolWindows_.begin(); it != toolWindows_.end(); ++it) {
    const bool offered = it->setUp ? it->setUp(document) : false;
    if (offered && !it->window.isNull()) it->window->show();
    menus_.SetChecked(it.key(), offered);
    menus_.SetEnabled(it.key(), offered);
  }
  menus_.SetEnabled(S("mnuVCloseAllGraphWindows"), true);

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
  request.maxRows = options_.overviewMaxRows;
  request.groupLines = options_.overviewGroupLines;
  if (const kvf::Status drawn = kvf::DrawSheet(*drawer_, document, sheet, request, &sheetState_); !drawn)
    SetStatus(drawn.Message().english, drawn.Message().swedish, true);
}

void MainWindow::DesignSheetView() {
  sheetArea_->DesignSheetView();
  if (!session_.IsOpen()) return;
  const SubSheet& sheet = session_.View().Sheet();
  status_->SetSelection(QLocale::system().toString(static_cast<qlonglong>(sheet.respondents.size())),
                        sheet.description);
  if (sheetDesigned_) sheetDesigned_();
}

void MainWindow::SplitAvailabilityChanged(const std::vector<bool>& splitDisabled) {
  splitDisabled_ = splitDisabled;
  // The split items have no graph command yet; they stay greyed whatever
  // the selection allows.
}

void MainWindow::DataRowsAllowedChanged(bool allowed) {
  menus_.SetEnabled(S("mnuECopyToMiniOverview"), allowed);
  menus_.SetEnabled(S("mnuECopyData"), allowed);
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
                        menus_.LogicalVisible(S("mnuPShowTotalGraph1")));
  auto set = [this](const char* name, bool visible, bool enabled) {
    menus_.SetVisible(S(name), visible);
    menus_.SetEnabled(S(name), enabled);
  };
  set("mnuPShowRowsComments", state.showRowsComments.visible, state.showRowsComments.enabled);
  set("mnuPShowColumnsComments", state.showColumnsComments.visible, state.showColumnsComments.enabled);
  set("mnuPCopyThisRowsAnswers", state.copyThisRowsAnswers.visible, state.copyThisRowsAnswers.enabled);
  menus_.SetVisible(S("mnuPBar1"), state.bar1);
  menus_.SetVisible(S("mnuPShowBlockGraph4"), state.blockIndexGraph);
  menus_.SetVisible(S("mnuPShowBlockGraph1"), state.blockHistogram);
  menus_.SetVisible(S("mnuPShowBlockGraph2"), state.blockGraph);
  menus_.SetVisible(S("mnuPShowBlockGraph3"), state.blockRankingGraph);
  menus_.SetVisible(S("mnuPShowQuestionGraph1"), state.questionHistogram);
  menus_.SetVisible(S("mnuPShowQuestionGraph2"), state.questionGraph);
  menus_.SetVisible(S("mnuPShowQuestionGraph3"), state.questionRankingGraph);
  menus_.SetVisible(S("mnuPBar2"), state.bar2);
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
  if (hit.inside && hover_) hover_(hit);
}

// ---------------------------------------------------------------- wheel

void MainWindow::MouseWheel_Move(int32_t delta, int32_t, int32_t, int32_t scrollLines) {
  QScrollBar* bar = wheelHorizontal_ ? sheetArea_->Horizontal() : sheetArea_->Vertical();
  const WheelBar state{!bar->isHidden(), bar->value(), bar->minimum(), bar->maximum(), bar->pageStep()};
  bar->setValue(WheelTurn(wheelAccumulators_[0], delta, scrollLines, state));
}

void MainWindow::MouseWheel_HMove(int32_t delta, int32_t, int32_t, int32_t scrollChars) {
  QScrollBar* bar = sheetArea_->Horizontal();
  const WheelBar state{!bar->isHidden(), bar->value(), bar->minimum(), bar->maximum(), bar->pageStep()};
  bar->setValue(WheelTurn(wheelAccumulators_[1], delta, scrollChars, state));
}

bool MainWindow::SheetWheel(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  const QPoint at = event->position().toPoint();
  // The toolkit reports tilting left as a positive horizontal delta, so the
  // formula moves the bar toward its minimum: tilting right scrolls right.
  if (angle.y() != 0) MouseWheel_Move(angle.y(), at.x(), at.y(), wheel_.scrollLines);
  if (angle.x() != 0 && wheel_.scrollChars != 0) MouseWheel_HMove(angle.x(), at.x(), at.y(), wheel_.scrollChars);
  return true;
}

// ---------------------------------------------------------------- pools, help, tool windows

void MainWindow::ShowFormLater(QWidget* window) {
  if (window == nullptr) return;
  formsToShow_.append(window);
  autoShowTimer_->start();
}

void MainWindow::CloseAllGraphWindows() {
  SetStatus(S("Closing all graph windows..."), S("Stänger alla diagramfönster..."), false);
  overviewPool_.UnloadAll();
  basicGraphPool_.UnloadAll();
  graphPool_.UnloadAll();
  SetStatus(S("All graph windows has been closed!"), S("Alla diagramfönster har stängts!"), true);
}

void MainWindow::OpenHelp() {
  WaitCursor wait;
  const bool swedish = Swedish();
  const QString path = FindHelpFile(swedish, env_.programFolder);
  if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    const QString name = HelpFileName(swedish);
    ShowMessage(QMessageBox::Critical, ApplicationTitle(),
                swedish ? S("Hjälpfilen \"") + name + S("\" kunde inte öppnas!")
                        : S("The help file \"") + name + S("\" could not be opened!"));
  }
}

void MainWindow::StatusDoubleClicked() {
  if (!session_.IsOpen() || !session_.View().Sheet().present) return;
  platform::Clipboard* clipboard = env_.clipboard != nullptr ? env_.clipboard : &desktopClipboard_;
  CalculateTotalIndexSpec(session_.Document(), session_.View().Sheet().respondents, clipboard);
}

void MainWindow::AttachToolWindow(const QString& menuName, QWidget* window,
                                  std::function<bool(const SurveyDocument&)> setUp, std::function<void()> reset) {
  toolWindows_.insert(menuName, ToolWindow{window, std::move(setUp), std::move(reset)});
  menus_.Connect(menuName, [this, menuName] { ToggleToolWindow(menuName); });
  menus_.SetEnabled(menuName, false);
}

void MainWindow::ToggleToolWindow(const QString& menuName) {
  auto it = toolWindows_.find(menuName);
  if (it == toolWindows_.end() || it->window.isNull()) return;
  const bool show = it->window->isHidden();
  it->window->setVisible(show);
  menus_.SetChecked(menuName, show);
}

void MainWindow::ToolWindowShown(const QString& menuName, bool shown) { menus_.SetChecked(menuName, shown); }

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
  if (event->type() != QEvent::WindowStateChange) return;
  for (auto it = toolWindows_.begin(); it != toolWindows_.end(); ++it) {
    if (it->window.isNull()) continue;
    const QAction* action = menus_.Action(it.key());
    if (isMinimized())
      it->window->hide();
    else if (action != nullptr && action->isChecked())
      it->window->show();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  std::unique_ptr<WaitCursor> wait;
  if (!closing_) wait = std::make_unique<WaitCursor>();
  SetStatus(S("Terminating application, please wait..."), S("Avslutar programmet, var vänlig vänta..."), false);
  session_.CloseDocument();
  WriteRecentFiles(env_.programKey, env_.policies, recentFiles_);
  overviewPool_.UnloadAll();
  basicGraphPool_.UnloadAll();
  graphPool_.UnloadAll();
  for (auto it = toolWindows_.begin(); it != toolWindows_.end(); ++it)
    if (!it->window.isNull()) it->window->close();
  last_.dataOpenFolder = session_.DataOpenFolder();
  WriteLastSettings(env_.programKey, env_.policies, last_);
  SavePlacement();
  if (env_.store != nullptr) env_.store->Flush();
  closing_ = false;
  event->accept();
}

}  // namespace kvf::app
