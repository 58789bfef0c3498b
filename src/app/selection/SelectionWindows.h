#pragma once
// Plugs the navigator and the detail information window into the main
// window: View > Navigator and View > Detail Information, set-up after a
// document loads, reset when it closes, the hover update, the detail
// window's reset after every new sheet and its flex-total index.
//
// The sheet events reach the windows through a forwarding observer: the
// view state's observer becomes this object, which hands every event to
// the main window first and then updates the detail window.
//
// Ownership: the object and both windows are children of the main window
// and live as long as it does.
#include <QObject>

#include "app/mainwindow/MainWindow.h"
#include "app/selection/DetailInfoWindow.h"
#include "app/selection/NavigatorWindow.h"

namespace kvf::app {

class SelectionWindows : public QObject, public SheetObserver {
  Q_OBJECT
 public:
  // REQUIRES: called once per main window, before a document is opened.
  static SelectionWindows* Attach(MainWindow& main, const platform::RegistryKey& programKey, const Policies& policies);

  NavigatorWindow* Navigator() const { return navigator_; }
  DetailInfoWindow* Detail() const { return detail_; }

  // SheetObserver: forwarded to the main window.
  void EraseSheet() override;
  void DrawSheet(const SurveyDocument& document, const SubSheet& sheet) override;
  void DesignSheetView() override;
  void SplitAvailabilityChanged(const std::vector<bool>& splitDisabled) override;
  void DataRowsAllowedChanged(bool allowed) override;
  void FlexTotalIndexChanged(double currentTotalIndex) override;

 private:
  explicit SelectionWindows(MainWindow& main);

  MainWindow& main_;
  NavigatorWindow* navigator_ = nullptr;
  DetailInfoWindow* detail_ = nullptr;
};

}  // namespace kvf::app
