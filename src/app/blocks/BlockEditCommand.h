#pragma once
// Tools > Edit Blocks: shows the block editor modally with the status
// "Editing blocks..." and, after OK, tells the session's observers that the
// blocks changed (the main window rebuilds its block-graph submenus; a
// window that shows a block follows it or closes).
//
// Ownership: the object is a child of the main window.
#include <QObject>
#include <functional>

#include "app/blocks/BlockEditWindow.h"
#include "app/mainwindow/MainWindow.h"

namespace kvf::app {

class BlockEditCommand : public QObject {
  Q_OBJECT
 public:
  // Connects Tools > Edit Blocks. REQUIRES: called once per main window.
  static BlockEditCommand* Attach(MainWindow& main);

  // How the dialog runs (modally by default; returns its result); tests
  // replace it to drive the dialog.
  void SetRunFunction(std::function<int(BlockEditWindow&)> run) { run_ = std::move(run); }
  void EditBlocks();

 private:
  explicit BlockEditCommand(MainWindow& main) : QObject(&main), main_(main) {}

  MainWindow& main_;
  std::function<int(BlockEditWindow&)> run_;
};

}  // namespace kvf::app
