#pragma once
// frmMain: the viewer's top-level window. It shows the overview sheet of the
// open document with frozen header rows and scroll bars, carries the menu
// bar, the sheet's pop-up menu and the status bar, runs the four timers, and
// starts every command.
//
// The window owns the document session (the open document and its view
// state) and observes it: loading moves the menus to the document state,
// closing back to the no-document state. Windows of later subsystems plug in
// through the seams below (tool windows, hover handler, window pools, menu
// commands); an entry whose command is not connected stays greyed.
//
// Ownership: the environment's store and clipboard must outlive the window.
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "app/mainwindow/MainMenus.h"
#include "app/mainwindow/PopupMenuRules.h"
#include "app/mainwindow/SheetArea.h"
#include "app/mainwindow/SheetHitTest.h"
#include "app/mainwindow/StatusLine.h"
#include "app/mainwindow/WheelScroll.h"
#include "app/mainwindow/WindowPool.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramSettings.h"
#include "core/settings/RecentFiles.h"
#include "core/settings/UserBlocks.h"
#include "core/sheet/SheetDrawer.h"
#include "platform/clipboard/QtClipboard.h"

namespace kvf::app {

// What the window needs from start-up.
struct ViewerEnvironment {
  platform::RegistryStore* store = nullptr;  // REQUIRED; outlives the window
  platform::RegistryKey programKey;          // may be closed (settings keep their defaults)
  Policies policies;
  SpecialFolders folders;
  platform::Clipboard* clipboard = nullptr;  // nullptr: the desktop clipboard
  bool printerAvailable = false;             // a default printer exists
  QString programFolder;                     // where the help files are looked for
};

// Shows a message box; tests replace it to record what would be shown.
using MessageFunction = std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>;

class MainWindow : public QMainWindow, public SessionObserver, public SheetObserver {
  Q_OBJECT
 public:
  explicit MainWindow(ViewerEnvironment environment, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The settings part of loading: placement, last settings, options, recent
  // files, then the command line: the first argument is a document opened
  // by tmrAutoOpenFile 500 ms later; without one the welcome text shows.
  void Load(const QStringList& arguments);

  DocumentSession& Session() { return session_; }
  const SheetState& ScreenSheet() const { return sheetState_; }
  MainMenus& Menus() { return menus_; }
  StatusLine& Status() { return *status_; }
  SheetArea* Sheet() const { return sheetArea_; }
  QMenu* PopupMenu() const { return popup_; }
  const RecentFileList& RecentFiles() const { return recentFiles_; }
  const LastSettings& Last() const { return last_; }
  const ProgramOptions& Options() const { return options_; }
  void SetMessageFunction(MessageFunction function) { message_ = std::move(function); }

  // The status line (panel 1).
  void SetStatus(const QString& englishStatus, const QString& swedishStatus, bool autoClear);
  void ClearStatus();

  // Opens a document and reports as File > Open does: errors in a critical
  // box with caption, success as "<title> has been opened!". True on success.
  bool OpenDocument(const QString& path, bool rememberFolder, const QString& caption);
  // File > Open.
  void OpenWithDialog();
  // A recent file (0-based entry).
  void OpenRecentFile(int index);

  // Wheel scrolling of the sheet (delta: 120 per notch).
  void MouseWheel_Move(int32_t delta, int32_t x, int32_t y, int32_t scrollLines);
  void MouseWheel_HMove(int32_t delta, int32_t x, int32_t y, int32_t scrollChars);
  bool WheelScrollsHorizontally() const { return wheelHorizontal_; }
  void SetWheelSettings(const WheelSettings& settings) { wheel_ = settings; }

  // The three pools of secondary windows.
  WindowPool& OverviewPool() { return overviewPool_; }
  WindowPool& BasicGraphPool() { return basicGraphPool_; }
  WindowPool& GraphPool() { return graphPool_; }
  QWidget* GetOverviewForm() { return overviewPool_.Get(); }
  QWidget* GetBasicGraphForm() { return basicGraphPool_.Get(); }
  QWidget* GetGraphForm() { return graphPool_.Get(); }
  // tmrAutoShowForm: shows window 300 ms from now.
  void ShowFormLater(QWidget* window);
  void CloseAllGraphWindows();

  // A tool window beside the main window (the navigator, the detail
  // window) with its View entry ("mnuVNavigator", "mnuVDetailInfo"). After
  // a document loads, setUp(document) is called; when it returns true the
  // window is shown and its entry checked and enabled. When loading begins
  // or the document closes, reset() runs and the window is hidden.
  // REQUIRES: window outlives this main window or is deleted with it.
  void AttachToolWindow(const QString& menuName, QWidget* window, std::function<bool(const SurveyDocument&)> setUp,
                        std::function<void()> reset);
  // Called when a tool window is shown or hidden by other means.
  void ToolWindowShown(const QString& menuName, bool shown);
  // Called by tmrShowValues with the cell under the resting pointer.
  void SetHoverHandler(std::function<void(const CellHit&)> handler) { hover_ = std::move(handler); }
  // Called whenever the sheet view is designed: after a new sheet and after
  // every resize of the sheet area (the detail window resets then).
  void SetSheetDesignedHandler(std::function<void()> handler) { sheetDesigned_ = std::move(handler); }

  // Sets the pop-up entries for a hit (the hit must be inside) and
  // remembers it in PopupRowItem / PopupQuestion.
  void PreparePopup(const CellHit& hit);
  int32_t PopupRowItem() const { return popupRowItem_; }
  int32_t PopupQuestion() const { return popupQuestion_; }
  CellHit HitTest(QPointF point) const;

  // The blocks behind the View block-graph submenus.
  const BlockGraphMenuMap& BlockGraphMenus() const { return blockGraphMap_; }
  void RebuildBlockGraphMenus();

  QTimer* ShowValuesTimer() const { return showValuesTimer_; }
  QTimer* AutoOpenTimer() const { return autoOpenTimer_; }
  QTimer* AutoShowTimer() const { return autoShowTimer_; }

  // SessionObserver
  void DocumentClosing(const SurveyDocument& document) override;
  void DocumentClosed(const QString& path) override;
  void DocumentLoaded(const SurveyDocument& document) override;
  void UpgradeWarning(const QString& caption, const QString& text) override;
  // SheetObserver
  void EraseSheet() override;
  void DrawSheet(const SurveyDocument& document, const SubSheet& sheet) override;
  void DesignSheetView() override;
  void SplitAvailabilityChanged(const std::vector<bool>& splitDisabled) override;
  void DataRowsAllowedChanged(bool allowed) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ToolWindow {
    QPointer<QWidget> window;
    std::function<bool(const SurveyDocument&)> setUp;
    std::function<void()> reset;
  };

  void BuildMenus();
  void ConnectCommands();
  void ApplyLanguage();
  void ResetToNoDocument();
  void RefreshRecentFileMenu();
  void RestorePlacement();
  void SavePlacement();
  void ShowMessage(QMessageBox::Icon icon, const QString& caption, const QString& text);
  void AutoOpenFile();
  void ShowValues();
  void OpenHelp();
  void StatusDoubleClicked();
  void ToggleToolWindow(const QString& menuName);
  void SheetMouseMove(QMouseEvent* event);
  void SheetMouseRelease(QMouseEvent* event);
  bool SheetWheel(QWheelEvent* event);
  double TwipsPerPixel() const;

  ViewerEnvironment env_;
  DocumentSession session_;
  RegistryUserBlockSource userBlocks_;
  platform::QtClipboard desktopClipboard_;
  MainMenus menus_;
  QMenu* popup_ = nullptr;
  SheetArea* sheetArea_ = nullptr;
  StatusLine* status_ = nullptr;
  QTimer* showValuesTimer_ = nullptr;
  QTimer* autoOpenTimer_ = nullptr;
  QTimer* autoShowTimer_ = nullptr;
  MessageFunction message_;

  // Made for the open document when its first sheet is drawn, destroyed
  // when it closes.
  std::optional<SheetDrawer> drawer_;
  SheetState sheetState_;
  std::vector<bool> splitDisabled_;
  BlockGraphMenuMap blockGraphMap_;

  LastSettings last_;
  ProgramOptions options_;
  RecentFileList recentFiles_;
  QString pendingOpenPath_;
  int32_t popupRowItem_ = 0;
  int32_t popupQuestion_ = -1;
  QPointF lastPointer_{-1, -1};
  WheelSettings wheel_;
  bool wheelHorizontal_ = false;
  int32_t wheelAccumulators_[2] = {0, 0};

  WindowPool overviewPool_;
  WindowPool basicGraphPool_;
  WindowPool graphPool_;
  QList<QPointer<QWidget>> formsToShow_;
  QHash<QString, ToolWindow> toolWindows_;
  std::function<void(const CellHit&)> hover_;
  std::function<void()> sheetDesigned_;
  bool closing_ = false;
};

}  // namespace kvf::app
