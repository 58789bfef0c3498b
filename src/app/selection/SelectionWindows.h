#pragma once
// Plugs the navigator and the detail information window into the main
// window. Each window registers itself for what it follows: both are tool
// windows of the host (View > Navigator, View > Detail Information); the
// detail window also observes the view state (the flex total's index) and
// the sheet view (hover, design). Nothing is forwarded through the main
// window.
//
// Ownership: the object and both windows are children of the main window
// and live as long as it does.
#include <QObject>

#include "app/mainwindow/MainWindow.h"
#include "app/selection/DetailInfoWindow.h"
#include "app/selection/NavigatorWindow.h"

namespace kvf::app {

class SelectionWindows : public QObject {
  Q_OBJECT
 public:
  // REQUIRES: called once per main window, before a document is opened.
  static SelectionWindows* Attach(MainWindow& main, const platform::RegistryKey& programKey, const Policies& policies);

  NavigatorWindow* Navigator() const { return navigator_; }
  DetailInfoWindow* Detail() const { return detail_; }

 private:
  explicit SelectionWindows(MainWindow& main) : QObject(&main) {}

  NavigatorWindow* navigator_ = nullptr;
  DetailInfoWindow* detail_ = nullptr;
};

}  // namespace kvf::app
