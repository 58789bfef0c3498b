#include "app/selection/SelectionWindows.h"

#include <QMessageBox>

namespace kvf::app {

SelectionWindows* SelectionWindows::Attach(MainWindow& main, const platform::RegistryKey& programKey,
                                           const Policies& policies) {
  auto* windows = new SelectionWindows(main);
  MainWindow* host = &main;
  NavigatorHost navigatorHost;
  navigatorHost.setStatus = [host](const BiText& status, bool autoClear) {
    host->Status().SetStatus(status, autoClear);
  };
  navigatorHost.clearStatus = [host] { host->Status().ClearStatus(); };
  navigatorHost.options = [host] { return host->Options(); };
  auto* navigator = new NavigatorWindow(main.Session(), navigatorHost, programKey, policies, &main);
  navigator->SetErrorFunction(
      [navigator](const QString& text) { QMessageBox::critical(navigator, ApplicationTitle(), text); });
  auto* detail = new DetailInfoWindow(main.Session(), programKey, policies, &main);
  windows->navigator_ = navigator;
  windows->detail_ = detail;

  // The order of attaching is the order beside the main window.
  main.ToolWindows().Attach(MenuEntry::Navigator, navigator);
  main.ToolWindows().Attach(MenuEntry::DetailInfo, detail);
  main.Session().View().AddObserver(detail);
  main.AddSheetViewObserver(detail);
  return windows;
}

}  // namespace kvf::app
