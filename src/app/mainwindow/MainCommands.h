#pragma once
// The main window's commands: File (Open, the recent files, Exit), View >
// Close All Graph Windows, Help > Help Topics, the pop-up's wheel direction
// and the status bar's double click (the index table to the clipboard).
// Each handler reports through the window's status line and message box.
//
// Ownership: the window owns its commands and outlives them.
#include <QString>

#include "app/mainwindow/MainMenus.h"

namespace kvf::app {

class MainWindow;

class MainCommands {
 public:
  explicit MainCommands(MainWindow& window) : window_(window) {}
  MainCommands(const MainCommands&) = delete;
  MainCommands& operator=(const MainCommands&) = delete;

  // Connects every entry these commands serve.
  void Connect(MainMenus& menus);

  // Opens a document and reports as File > Open does: errors in a critical
  // box with caption, success as "<title> has been opened!". True on success.
  bool OpenDocument(const QString& path, bool rememberFolder, const QString& caption);
  // File > Open.
  void OpenWithDialog();
  // A recent file (0-based entry).
  void OpenRecentFile(int index);
  void CloseAllGraphWindows();
  void OpenHelp();
  // The status bar's double click: the index table of the current sheet to
  // the clipboard; nothing without a sheet or without indexes.
  void CopyIndexTable();

 private:
  MainWindow& window_;
};

}  // namespace kvf::app
