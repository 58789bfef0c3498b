#pragma once
// The navigator: the tool window in which the user narrows the selection.
// A check-box tree of the dimensions and their alternatives (with the live
// count beside each alternative), the optional flex-total list with its
// check box below a splitter, the count label and the Show button.
//
// Checking: a check box changed by the user (a mouse click on it, or the
// space bar on the current node) is handled once through NavigatorModel;
// changes the window makes itself are not. Show applies the pending choice
// (SetFlexTotal when the flex choice changed, then CreateSubSheet) and
// reports through the host's status line, or shows the error in a critical
// message box. Moving to another window of the program with unapplied
// changes blinks Show (when the settings ask for it).
//
// It plugs in as a ToolWindow (View > Navigator): offered for a document
// with dimensions. Closing the window only hides it; the placement and the
// flex list's height are stored then (and at exit, when it was shown in the
// session).
//
// Ownership: the session must outlive the window; the host's functions are
// called on the window's thread.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <functional>

#include "app/mainwindow/ToolWindowHost.h"
#include "core/selection/NavigatorModel.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/ProgramSettings.h"
#include "platform/registry/RegistryKey.h"

namespace kvf::app {

// What the navigator needs from the main window.
struct NavigatorHost {
  std::function<void(const BiText& status, bool autoClear)> setStatus;
  std::function<void()> clearStatus;
  std::function<void(const QString& text)> showError;  // critical message box
  std::function<ProgramOptions()> options;             // the reminder settings in effect
  std::function<void()> beep;                          // the system beep (default: QApplication::beep)
};

class NavigatorWindow : public QWidget, public ToolWindow {
  Q_OBJECT
 public:
  // Builds the window hidden with the captions of the run's language and
  // restores its placement and the flex list's height.
  NavigatorWindow(DocumentSession& session, NavigatorHost host, platform::RegistryKey programKey, Policies policies,
                  QWidget* parent = nullptr);

  // Fills the tree and the list from the open document and sets the
  // choice to everything. Returns false (and stays empty) when the
  // document has no dimension.
  bool SetUpDimensions(const SurveyDocument& document);
  // Forgets the document: the tree and the list are emptied.
  void Reset();

  // Counts the pending choice and updates counts, greying, label and Show.
  void Recount(int32_t dimension);
  // The Show button's command.
  void ShowOverview();

  // Replaces the host's error box (the window is not known to the host
  // before it is made).
  void SetErrorFunction(std::function<void(const QString& text)> showError) { host_.showError = std::move(showError); }

  const NavigatorModel& Model() const { return model_; }
  QTreeWidget* Tree() const { return tree_; }
  QListWidget* FlexList() const { return flexList_; }
  QCheckBox* FlexCheckBox() const { return flexCheck_; }
  QLabel* TotalLabel() const { return totalLabel_; }
  QPushButton* ShowButton() const { return showButton_; }
  QTimer* ReminderTimer() const { return reminderTimer_; }
  QSplitter* Splitter() const { return splitter_; }
  bool ReminderHighlighted() const { return reminder_.Highlighted(); }
  // The tree item of a key ("R0", "A0-1"), or null.
  QTreeWidgetItem* Item(const QString& key) const;

  // ToolWindow
  QWidget* Widget() override { return this; }
  bool SetUpForDocument(const SurveyDocument& document) override { return SetUpDimensions(document); }
  void ResetForNoDocument() override { Reset(); }
  bool PlacementKnown() const override { return placementKnown_; }
  void SetPlacementKnown() override { placementKnown_ = true; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyLanguage();
  void TreeItemChanged(QTreeWidgetItem* item, int column);
  void FlexSelectionChanged();
  void RefreshTree();
  void PaintShowButton(bool highlighted);
  // The navigator was left for another window of the program.
  void StartReminder();
  void StoreSettings();

  DocumentSession& session_;
  NavigatorHost host_;
  platform::RegistryKey programKey_;
  bool placementKnown_ = false;
  bool shownInSession_ = false;
  Policies policies_;
  NavigatorModel model_;
  NavigatorReminder reminder_;
  bool refreshing_ = false;  // the window itself changes check states
  bool awaitingOwnWindow_ = false;  // left for another application

  QSplitter* splitter_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QWidget* flexPane_ = nullptr;
  QListWidget* flexList_ = nullptr;
  QCheckBox* flexCheck_ = nullptr;
  QLabel* totalLabel_ = nullptr;
  QPushButton* showButton_ = nullptr;
  QTimer* reminderTimer_ = nullptr;
};

}  // namespace kvf::app
