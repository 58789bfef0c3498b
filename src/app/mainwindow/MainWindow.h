#pragma once
// The viewer's top-level window. It shows the overview sheet of the open
// document with frozen header rows and scroll bars, carries the menu bar,
// the sheet's pop-up menu and the status bar, and hosts the other windows.
//
// The window owns the document session (the open document and its view
// state) and observes both: loading moves the menus to the document state,
// closing back to the no-document state, a new sheet is drawn. Its parts:
//   MainMenus          every entry by MenuEntry, with its state;
//   MainCommands       the menu handlers (File, Help, the status bar);
//   MainWindowSettings placement, last settings, options, recent files;
//   ToolWindowHost     the tool windows beside it and the window pools;
//   StatusLine         the status texts.
// Other windows plug in through observer interfaces: SessionObserver and
// SheetObserver on Session(), SheetViewObserver here (hover and view
// design), ToolWindow on ToolWindows(); their commands through Menus().
// An entry whose command is not connected stays greyed.
//
// Ownership: the environment's store and clipboard must outlive the window.
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/mainwindow/MainCommands.h"
#include "app/mainwindow/MainMenus.h"
#include "app/mainwindow/MainWindowSettings.h"
#include "app/mainwindow/PopupMenuRules.h"
#include "app/mainwindow/SheetArea.h"
#include "app/mainwindow/SheetHitTest.h"
#include "app/mainwindow/SheetViewObserver.h"
#include "app/mainwindow/StatusLine.h"
#include "app/mainwindow/ToolWindowHost.h"
#include "app/mainwindow/ViewerEnvironment.h"
#include "app/mainwindow/WheelScroll.h"
#include "core/session/DocumentSession.h"
#include "core/settings/UserBlocks.h"
#include "core/sheet/SheetDrawer.h"
#include "platform/clipboard/QtClipboard.h"

namespace kvf::app {

// Shows a message box; tests replace it to record what would be shown.
using MessageFunction = std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>;

class MainWindow : public QMainWindow, public SessionObserver, public SheetObserver {
  Q_OBJECT
 public:
  explicit MainWindow(ViewerEnvironment environment, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The settings part of loading: placement, last settings, options, recent
  // files, then the command line: the first argument is a document opened
  // by the auto-open timer 500 ms later; without one the welcome text shows.
  void Load(const QStringList& arguments);

  // What other windows use.
  DocumentSession& Session() { return session_; }
  const DocumentSession& Session() const { return session_; }
  const ViewerEnvironment& Environment() const { return env_; }
  const MainWindowSettings& Settings() const { return settings_; }
  MainWindowSettings& MutableSettings() { return settings_; }
  const ProgramOptions& Options() const { return settings_.Options(); }
  MainWindowSettings& EditSettings() { return settings_; }
  MainMenus& Menus() { return menus_; }
  MainCommands& Commands() { return commands_; }
  StatusLine& Status() { return *status_; }
  ToolWindowHost& ToolWindows() { return *toolWindows_; }
  platform::Clipboard& Clipboard();
  void ShowMessage(QMessageBox::Icon icon, const QString& caption, const QString& text);
  void SetMessageFunction(MessageFunction function) { message_ = std::move(function); }
  // REQUIRES: observer outlives this window or is removed first.
  void AddSheetViewObserver(SheetViewObserver* observer);
  void RemoveSheetViewObserver(SheetViewObserver* observer);

  // The sheet on the screen.
  const SheetState& ScreenSheet() const { return sheetState_; }
  SheetArea* Sheet() const { return sheetArea_; }
  CellHit HitTest(QPointF point) const;
  QMenu* PopupMenu() const { return popup_; }
  // Sets the pop-up entries for a hit (the hit must be inside) and
  // remembers it in PopupRowItem / PopupQuestion.
  void PreparePopup(const CellHit& hit);
  int32_t PopupRowItem() const { return popupRowItem_; }
  int32_t PopupQuestion() const { return popupQuestion_; }
  // The blocks behind the View block-graph submenus.
  const BlockGraphMenuMap& BlockGraphMenus() const { return blockGraphMap_; }

  // Wheel scrolling of the sheet (delta: 120 per notch).
  void WheelMoved(int32_t delta, int32_t scrollLines);
  void WheelTilted(int32_t delta, int32_t scrollChars);
  bool WheelScrollsHorizontally() const { return wheelHorizontal_; }
  void SetWheelScrollsHorizontally(bool horizontal) { wheelHorizontal_ = horizontal; }
  void SetWheelSettings(const WheelSettings& settings) { wheel_ = settings; }

  // File > Exit: closes the window with the busy cursor.
  void Exit();

  QTimer* ShowValuesTimer() const { return showValuesTimer_; }
  QTimer* AutoOpenTimer() const { return autoOpenTimer_; }

  // SessionObserver
  void DocumentClosing(const SurveyDocument& document) override;
  void DocumentClosed(const QString& path) override;
  void DocumentLoaded(const SurveyDocument& document) override;
  void UpgradeWarning(const QString& caption, const QString& text) override;
  // Rebuilds the block-graph submenus.
  void BlocksChanged(const SurveyDocument& document) override;
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
  void ApplyLanguage();
  void ResetToNoDocument();
  void RebuildBlockGraphMenus();
  void ShowRecentFiles();
  void AutoOpen();
  void ShowValues();
  void SheetViewDesigned();
  void SheetMouseMove(QMouseEvent* event);
  void SheetMouseRelease(QMouseEvent* event);
  bool SheetWheel(QWheelEvent* event);

  ViewerEnvironment env_;
  DocumentSession session_;
  RegistryUserBlockSource userBlocks_;
  platform::QtClipboard desktopClipboard_;
  MainWindowSettings settings_;
  MainMenus menus_;
  MainCommands commands_;
  ToolWindowHost* toolWindows_ = nullptr;
  QMenu* popup_ = nullptr;
  SheetArea* sheetArea_ = nullptr;
  StatusLine* status_ = nullptr;
  QTimer* showValuesTimer_ = nullptr;
  QTimer* autoOpenTimer_ = nullptr;
  MessageFunction message_;
  std::vector<SheetViewObserver*> viewObservers_;

  // Made for the open document when its first sheet is drawn, destroyed
  // when it closes.
  std::optional<SheetDrawer> drawer_;
  SheetState sheetState_;
  std::vector<bool> splitDisabled_;
  BlockGraphMenuMap blockGraphMap_;

  QString pendingOpenPath_;
  int32_t popupRowItem_ = 0;
  int32_t popupQuestion_ = -1;
  QPointF lastPointer_{-1, -1};
  WheelSettings wheel_;
  bool wheelHorizontal_ = false;
  int32_t wheelAccumulators_[2] = {0, 0};
  bool closing_ = false;
};

}  // namespace kvf::app
