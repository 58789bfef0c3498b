#pragma once
// Plugs the basic graphs into the main window: the basic graph pool's
// windows, View > Block Histogram / Block Graph, the pop-up menu's Show
// Block Histogram / Graph and Show Question Histogram / Graph (Total for
// Current Selection, Split by > dimension, Split by Another Question).
// Every command reports before and after in the status line.
//
// Ownership: a child of the main window; lives as long as it does.
#include <QObject>

#include "app/graphs/BasicGraphWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "core/graphs/BasicGraphRoute.h"

namespace kvf::app {

// The services of the desktop: the system's printers, its current printer
// and the file dialog.
BasicGraphServices DesktopGraphServices(QWidget* dialogParent);

class GraphWindows : public QObject {
  Q_OBJECT
 public:
  // REQUIRES: called once per main window, before a document is opened.
  static GraphWindows* Attach(MainWindow& main, const BasicGraphServices& services);

  // Generates a graph and shows it in a window of the pool (300 ms later);
  // nullptr when the block had no questions or no window could be had.
  BasicGraphWindow* Generate(BasicGraphRoute route, BasicGraphRequest request);
  // The commands, callable by tests.
  void ViewBlockGraph(int kind, int item);
  void PopupBlockGraph(int kind);
  void PopupQuestionGraph(int kind);
  void PopupSplitBy(int kind, int dimension);
  void PopupSplitByAnother(int kind);
  // Shows the question-selection dialog; tests replace it. Returns the
  // chosen question or -1 when cancelled.
  using SplitChooser = std::function<int32_t(const SurveyDocument&, int32_t question, const std::vector<int32_t>&)>;
  void SetSplitChooser(SplitChooser chooser) { chooser_ = std::move(chooser); }

 private:
  GraphWindows(MainWindow& main, const BasicGraphServices& services)
      : QObject(&main), main_(main), services_(services) {}

  MainWindow& main_;
  BasicGraphServices services_;
  SplitChooser chooser_;
};

}  // namespace kvf::app
