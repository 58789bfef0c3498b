#pragma once
// The chart window: one distribution, index or ranking chart that a chart
// generator filled, drawn by the chart renderer to fill the client area.
// Its pop-up menu (right click without modifier keys): Copy (a metafile
// entry of EMF + PNG + SVG, or a bitmap when "Graph Copy Format" is 2),
// Print (the framed page), Save As (EMF, WMF, PNG, BMP, JPG, GIF by
// extension in any case), Use This Size as Default, Resize to Default Size
// and Close. Copy, Print and Save As, and Ctrl+C, Ctrl+P and Ctrl+S, follow
// the document's permissions. The window is at least 3000 x 2000 twips.
//
// Ownership: made by the main window's chart pool, which owns it; it reads
// the main window's settings, status line and clipboard, so the main window
// outlives it.
#include <QAction>
#include <QMenu>
#include <QStringList>
#include <QWidget>

#include "app/graphs/BasicGraphWindow.h"
#include "core/graphs/ChartDescription.h"
#include "core/output/PictureFormat.h"

namespace kvf::app {

class MainWindow;

class ChartWindow : public QWidget {
  Q_OBJECT
 public:
  ChartWindow(MainWindow& main, const BasicGraphServices& services, QWidget* parent = nullptr);

  // Takes the chart and the document's permissions and name; block is the
  // block the chart shows (-1 none), remembered by name.
  void SetUpChart(const ChartDescription& chart, const QString& caption, int32_t block);
  const ChartDescription& Chart() const { return chart_; }
  // The name of the block shown; empty when none.
  const QString& ShownBlock() const { return shownBlock_; }
  QMenu* PopupMenu() const { return menu_; }

  // FlexPointLabels: replaces the extra point labels; ExtraPointLabel adds one.
  void FlexPointLabels(const QStringList& labels);
  void ExtraPointLabel(const QString& label);
  // Shows the size entries and sizes the window: "Graph Window Width" wide,
  // (points + 2) x "Graph Point Height" high.
  void ResizeToDefault();
  // Hides the two size entries and the separator before Close.
  void BlockDefaultSize();
  // The minimum size in pixels: 3000 x 2000 twips.
  QSize MinimumChartSize() const;

  // The commands of the pop-up menu.
  void DoCopy();
  void Print();
  void SaveAs();
  void UseThisSizeAsDefault();
  void ResizeToDefaultSize();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QAction* AddEntry(const char* name, const char* english, const char* swedish);
  void ApplyPermissions();
  Picture ChartPicture() const;

  MainWindow& main_;
  BasicGraphServices services_;
  ChartDescription chart_;
  QStringList extraLabels_;
  QString shownBlock_;
  DocumentInfo permissions_;
  QString projectName_;
  bool swedishDocument_ = false;
  QMenu* menu_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* print_ = nullptr;
  QAction* save_ = nullptr;
  QAction* sizeSeparator_ = nullptr;
  QAction* useSize_ = nullptr;
  QAction* resize_ = nullptr;
  QAction* close_ = nullptr;
};

}  // namespace kvf::app
