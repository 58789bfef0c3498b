#pragma once
// The main window's settings: its placement, the last settings (the folder
// File > Open starts in), the program options and the recent-file list,
// read when the window loads and written when it closes.
//
// Ownership: keeps a copy of the environment's key and policies; the store
// behind them must outlive this object.
#include <QWidget>

#include "app/mainwindow/MainMenus.h"
#include "app/mainwindow/ViewerEnvironment.h"
#include "core/settings/ProgramSettings.h"
#include "core/settings/RecentFiles.h"

namespace kvf::app {

class MainWindowSettings {
 public:
  explicit MainWindowSettings(const ViewerEnvironment& environment);

  // Reads the last settings, the options and the recent files.
  void Read();
  // Writes the recent files and the last settings (with the folder File >
  // Open will start in). Policies apply.
  void Write(const QString& dataOpenFolder);

  // The stored placement over the window's design size, the caption kept
  // on a screen; maximized when it was.
  void RestorePlacement(QWidget& window) const;
  void SavePlacement(const QWidget& window) const;

  const LastSettings& Last() const { return last_; }
  LastSettings& MutableLast() { return last_; }
  const ProgramOptions& Options() const { return options_; }
  // What Tools > Options and File > Print Format change (in memory; the
  // options are stored by their dialog, the print format at exit).
  void SetOptions(const ProgramOptions& options) { options_ = options; }
  void SetPrintFormat(const QString& printer, int32_t bindingMargin, int32_t otherMargins) {
    last_.printerDeviceName = printer;
    last_.printerBindingMargin = bindingMargin;
    last_.printerOtherMargins = otherMargins;
  }
  const RecentFileList& RecentFiles() const { return recentFiles_; }
  // Puts path at the top of the recent files (when the list is enabled);
  // true when the list changed.
  bool AddRecentFile(const QString& path);
  // Shows the recent files in File (entries, separator), shortened to the
  // menu's width for font and dpi.
  void ShowRecentFiles(MainMenus& menus, const QFont& font, double dotsPerInch) const;

 private:
  const ViewerEnvironment& env_;
  LastSettings last_;
  ProgramOptions options_;
  RecentFileList recentFiles_;
};

}  // namespace kvf::app
