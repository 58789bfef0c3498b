#pragma once
// Plugs the information and settings dialogs into the main window: Tools >
// Options, File > Print Format..., File > Properties and Help > About.
// Each command shows its dialog modally with the busy cursor around it.
//
// Ownership: the object is a child of the main window and owns the printer
// list it was given.
#include <QDialog>
#include <QObject>
#include <functional>
#include <memory>

#include "app/mainwindow/MainWindow.h"
#include "graphics/printing/PrinterList.h"

namespace kvf::app {

class DialogCommands : public QObject {
  Q_OBJECT
 public:
  // REQUIRES: called once per main window.
  static DialogCommands* Attach(MainWindow& main, std::unique_ptr<graphics::PrinterList> printers);

  // Runs a modal dialog and returns its result; tests replace it to work
  // the dialog without a modal loop.
  void SetRunner(std::function<int(QDialog&)> runner) { run_ = std::move(runner); }

  void Options();
  void PrintFormat();
  void Properties();
  void About();

 private:
  DialogCommands(MainWindow& main, std::unique_ptr<graphics::PrinterList> printers);

  MainWindow& main_;
  std::unique_ptr<graphics::PrinterList> printers_;
  std::function<int(QDialog&)> run_;
};

}  // namespace kvf::app
