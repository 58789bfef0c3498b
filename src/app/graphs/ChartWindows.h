#pragma once
// Plugs the charts into the main window: the chart pool's windows, View >
// Distribution Graph, Total Index Graph, Block Index Graph > block, Block
// Ranking Graph > block, and the pop-up menu's Show Total / Block Index
// Graph and Show Block / Question Ranking Graph > Sorted by Ranking /
// Sorted by Option. The index and distribution commands open their set-up
// dialog; every command reports before and after in the status line. The
// last chart window made is remembered and brought to the front.
//
// When the block editor changes the blocks, every basic graph or chart
// window showing a block whose name no longer exists closes.
//
// Ownership: a child of the main window; lives as long as it does.
#include <QObject>
#include <QPointer>
#include <functional>

#include "app/graphs/BasicGraphWindow.h"
#include "app/graphs/ChartDialogs.h"
#include "app/graphs/ChartWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "core/graphs/ChartTexts.h"
#include "core/session/DocumentSession.h"

namespace kvf::app {

class ChartWindows : public QObject, public SessionObserver {
  Q_OBJECT
 public:
  // REQUIRES: called once per main window, before a document is opened.
  static ChartWindows* Attach(MainWindow& main, const BasicGraphServices& services);

  // Shows a dialog modally and returns whether it was accepted; tests
  // replace it to fill the dialog and press OK.
  using DialogRunner = std::function<bool(QDialog&)>;
  void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

  // The commands, callable by tests.
  void DistributionGraph();
  void IndexGraph(int32_t block);  // -1: total index graph
  void ViewRankingGraph(int item);
  void PopupRankingGraph(bool block, bool sortByPoints);
  ChartWindow* LastChartWindow() const { return last_; }

  void BlocksChanged(const SurveyDocument& document) override;

 private:
  ChartWindows(MainWindow& main, const BasicGraphServices& services)
      : QObject(&main), main_(main), services_(services) {}
  // Shows a generated chart in a window of the pool.
  ChartWindow* Show(const ChartDescription& chart, int32_t block);
  ChartOptions Options() const;
  int32_t PopupBlock() const;

  MainWindow& main_;
  BasicGraphServices services_;
  DialogRunner runDialog_;
  QPointer<ChartWindow> last_;
};

}  // namespace kvf::app
