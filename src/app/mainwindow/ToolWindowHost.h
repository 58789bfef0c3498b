#pragma once
// The main window's secondary windows: the tool windows beside it (the
// navigator, the detail window), each with a checkable View entry, and the
// three pools of document windows (mini-overviews, basic graph windows,
// chart windows) with the delayed show.
//
// A tool window implements ToolWindow and is attached with its View entry.
// After a document loads, SetUpForDocument decides whether the window is
// offered: then it is shown (the first time beside the main window, below
// the tool windows offered before it, unless it has a placement of its own)
// and its entry checked and enabled. When loading begins or the document
// closes, ResetForNoDocument runs and the window is hidden. The View entry
// toggles the window; closing it with its close box unchecks the entry.
// While the main window is minimized the tool windows are hidden.
//
// Ownership: the host owns the pools (and so their windows); tool windows
// are owned by their creator (children of the main window) and are watched
// through QPointer.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "app/mainwindow/MainMenus.h"
#include "app/mainwindow/WindowPool.h"
#include "core/document/SurveyDocument.h"

namespace kvf::app {

class ToolWindow {
 public:
  virtual ~ToolWindow() = default;
  virtual QWidget* Widget() = 0;
  // A document was loaded and its first sheet built. True when the window
  // is offered for it.
  virtual bool SetUpForDocument(const SurveyDocument& document) = 0;
  // Loading begins or the document closed: forget the document.
  virtual void ResetForNoDocument() = 0;
  // Whether the window has a placement of its own (stored by an earlier run,
  // or given by the host); the host places a window without one beside the
  // main window when it first offers it, then calls SetPlacementKnown.
  virtual bool PlacementKnown() const = 0;
  virtual void SetPlacementKnown() = 0;
};

class ToolWindowHost : public QObject {
 public:
  // REQUIRES: main and menus outlive the host.
  ToolWindowHost(QWidget& main, MainMenus& menus);
  ~ToolWindowHost() override;

  // Plugs in a tool window with its View entry (connected to Toggle).
  // REQUIRES: window outlives the host or is deleted with the main window.
  void Attach(MenuEntry entry, ToolWindow* window);
  void Toggle(MenuEntry entry);

  // The document's life.
  void DocumentLoaded(const SurveyDocument& document);
  void ResetForNoDocument();
  // The main window was minimized (tool windows hide) or restored (the
  // checked ones show again).
  void MainWindowStateChanged(bool minimized);
  // The program ends: every pool is emptied and every tool window closed.
  void CloseAll();

  WindowPool& OverviewPool() { return overviewPool_; }
  WindowPool& BasicGraphPool() { return basicGraphPool_; }
  WindowPool& GraphPool() { return graphPool_; }
  // Empties the three pools.
  void UnloadPools();
  // Shows the window 300 ms from now (after the command that filled it).
  void ShowLater(QWidget* window);
  QTimer* ShowLaterTimer() const { return showLaterTimer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Attached {
    MenuEntry entry;
    ToolWindow* tool;
    QPointer<QWidget> widget;
  };
  void PlaceBeside(ToolWindow& tool, int offsetY);

  QWidget& main_;
  MainMenus& menus_;
  std::vector<Attached> tools_;
  WindowPool overviewPool_;
  WindowPool basicGraphPool_;
  WindowPool graphPool_;
  QTimer* showLaterTimer_ = nullptr;
  QList<QPointer<QWidget>> toShow_;
};

}  // namespace kvf::app
