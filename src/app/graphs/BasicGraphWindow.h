#pragma once
// The basic graph window: one block or question histogram or fraction graph
// that the main window's graph commands prepared. The window keeps its own
// copy of the graph data (later graphs do not change it), draws it with the
// one drawing routine and offers, on a right click: Use percentage, Copy
// (an EMF at scale 2, with a PNG and an SVG of the same picture, in one
// clipboard entry), Copy values, Copy legends, Print (the framed page),
// Save As (EMF or WMF), Set as Default Size and Close. Copy, Print and Save
// As, and their keys Ctrl+C, Ctrl+P and Ctrl+S, follow the document's
// permissions.
//
// "Graph Copy To MS Office" has no presentation program to drive on this
// platform: Copy then behaves as without it (scale 2, no automation).
//
// Ownership: made by the main window's basic graph pool, which owns it; it
// reads the main window's settings, status line and clipboard, so the main
// window outlives it.
#include <QAction>
#include <QMenu>
#include <QPrinter>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/graphs/BasicGraph.h"
#include "core/graphs/BasicGraphDrawing.h"
#include "core/output/PictureFormat.h"
#include "graphics/printing/PrinterList.h"

namespace kvf::app {

class MainWindow;

// What the window needs from outside that tests replace: the printers, a
// printer for a print run, and the file name Save As asks for.
struct BasicGraphServices {
  std::function<const graphics::PrinterList&()> printers;
  // A printer to print on (the current printer; tests hand in a PDF one).
  std::function<std::unique_ptr<QPrinter>()> makePrinter;
  // Asks for a file name (caption, folder, filters, the selected filter in
  // and out); empty when cancelled.
  std::function<QString(const QString& caption, const QString& folder, const QStringList& filters,
                        QString* selectedFilter)>
      askSavePath;
};

class BasicGraphWindow : public QWidget {
  Q_OBJECT
 public:
  BasicGraphWindow(MainWindow& main, const BasicGraphServices& services, QWidget* parent = nullptr);

  // Takes the data, measures the pixel factors, lays the graph out and
  // sizes the window (a fraction graph: its bars at "Question Graph Bar
  // Width" plus the fixed parts, "Question Graph Window Width" wide).
  void SetUpGraph(const BasicGraphData& data, const QString& caption);
  const BasicGraphData& Data() const { return data_; }
  bool UsesPercentage() const { return style_.percent; }
  // The drawing area: the client area less 10 pixels on every side.
  QRect DrawingRect() const;
  bool GraphFits() const;
  QMenu* PopupMenu() const { return menu_; }
  // The name of the block the graph shows (empty: none); the window closes
  // when the block editor leaves no block of that name.
  void SetShownBlock(const QString& name) { shownBlock_ = name; }
  const QString& ShownBlock() const { return shownBlock_; }

  // The commands of the pop-up menu.
  void UsePercentage();
  void DoCopy();
  void CopyValues();
  void CopyLegends();
  void Print();
  void SaveAs();
  void SetAsDefaultSize();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QAction* AddEntry(const char* name, const QString& english, const QString& swedish);
  void ApplyPermissions();
  BasicGraphStyle StyleAt(int32_t scale) const;
  // The picture Copy and Save As draw: at scale 2, with the Opaque and White
  // Space options of the settings.
  Picture CopyPicture() const;

  MainWindow& main_;
  BasicGraphServices services_;
  BasicGraphData data_;
  BasicGraphStyle style_;
  DocumentInfo permissions_;  // AllowCopy, AllowPrint, AllowSave of the graph's document
  QString projectName_;
  QString shownBlock_;
  QMenu* menu_ = nullptr;
  QAction* usePercentage_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* copyValues_ = nullptr;
  QAction* copyLegends_ = nullptr;
  QAction* print_ = nullptr;
  QAction* save_ = nullptr;
  QAction* setDefaultSize_ = nullptr;
  QAction* close_ = nullptr;
};

}  // namespace kvf::app
