#include "app/selection/SelectionWindows.h"

#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace kvf::app {

namespace {
const QString kNavigatorEntry = QStringLiteral("mnuVNavigator");
const QString kDetailEntry = QStringLiteral("mnuVDetailInfo");
// A tool window without a stored placement goes beside the main window
// (right of it, kept on the main window's screen) the first time it shows.
template <typename Window>
void PlaceBesideOnce(Window* tool, const QWidget& main, int offsetY) {
  if (tool->PlacementStored()) return;
  tool->SetPlacementStored();
  const QRect frame = main.frameGeometry();
  QPoint place(frame.right() + 1, frame.top() + offsetY);
  if (const QScreen* screen = main.screen()) {
    const QRect area = screen->availableGeometry();
    place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - tool->frameGeometry().width())));
    place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - tool->frameGeometry().height())));
  }
  tool->move(place);
}

}  // namespace

SelectionWindows::SelectionWindows(MainWindow& main) : QObject(&main), main_(main) {}

SelectionWindows* SelectionWindows::Attach(MainWindow& main, const platform::RegistryKey& programKey,
                                           const Policies& policies) {
  auto* windows = new SelectionWindows(main);
  MainWindow* host = &main;
  NavigatorHost navigatorHost;
  navigatorHost.setStatus = [host](const QString& english, const QString& swedish, bool autoClear) {
    host->SetStatus(english, swedish, autoClear);
  };
  navigatorHost.clearStatus = [host] { host->ClearStatus(); };
  navigatorHost.options = [host] { return host->Options(); };
  navigatorHost.closedByUser = [host] { host->ToolWindowShown(kNavigatorEntry, false); };
  windows->navigator_ = new NavigatorWindow(main.Session(), navigatorHost, programKey, policies, &main);
  NavigatorWindow* navigator = windows->navigator_;
  navigator->SetErrorFunction(
      [navigator](const QString& text) { QMessageBox::critical(navigator, ApplicationTitle(), text); });
  windows->detail_ = new DetailInfoWindow(programKey, policies, &main);
  DetailInfoWindow* detail = windows->detail_;
  detail->SetClosedFunction([host] { host->ToolWindowShown(kDetailEntry, false); });

  main.AttachToolWindow(
      kNavigatorEntry, navigator,
      [host, navigator](const SurveyDocument& document) {
        if (!navigator->SetUpDimensions(document)) return false;
        PlaceBesideOnce(navigator, *host, 0);
        return true;
      },
      [navigator] { navigator->Reset(); });
  main.AttachToolWindow(
      kDetailEntry, detail,
      [host, navigator, detail](const SurveyDocument& document) {
        detail->SetUp(document, host->Session().View().Sheet());
        // Below the navigator when the document has one to show.
        PlaceBesideOnce(detail, *host, document.DimensionCount() > 0 ? navigator->frameGeometry().height() : 0);
        return true;
      },
      [detail] { detail->Clear(); });
  main.SetHoverHandler([host, detail](const CellHit& hit) {
    const DocumentSession& session = host->Session();
    if (!session.IsOpen()) return;
    detail->Hover(session.Document(), session.View().Sheet(), hit.rowItem, hit.column);
  });
  // Every design of the sheet view (a new sheet, a resize) resets the window.
  main.SetSheetDesignedHandler([host, detail] {
    const DocumentSession& session = host->Session();
    if (session.IsOpen()) detail->ResetForSheet(session.Document(), session.View().Sheet());
  });
  main.Session().View().SetObserver(windows);
  return windows;
}

void SelectionWindows::EraseSheet() { static_cast<SheetObserver&>(main_).EraseSheet(); }

void SelectionWindows::DrawSheet(const SurveyDocument& document, const SubSheet& sheet) {
  static_cast<SheetObserver&>(main_).DrawSheet(document, sheet);
}

void SelectionWindows::DesignSheetView() { static_cast<SheetObserver&>(main_).DesignSheetView(); }

void SelectionWindows::SplitAvailabilityChanged(const std::vector<bool>& splitDisabled) {
  static_cast<SheetObserver&>(main_).SplitAvailabilityChanged(splitDisabled);
}

void SelectionWindows::DataRowsAllowedChanged(bool allowed) {
  static_cast<SheetObserver&>(main_).DataRowsAllowedChanged(allowed);
}

void SelectionWindows::FlexTotalIndexChanged(double currentTotalIndex) {
  static_cast<SheetObserver&>(main_).FlexTotalIndexChanged(currentTotalIndex);
  const DocumentSession& session = main_.Session();
  if (session.IsOpen()) detail_->FlexTotalIndexChanged(session.Document(), currentTotalIndex);
}

}  // namespace kvf::app
