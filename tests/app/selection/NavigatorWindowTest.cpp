// The navigator driven with real clicks: the tree's check rules, live
// counts, greyed dimensions, Show and its texts, the reminder.
#include <QApplication>
#include <QTest>

#include "SelectionWindowsTest.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/WindowPlacement.h"
#include "core/text/Language.h"

namespace kvf::testing {
namespace {

class NavigatorWindowTest : public SelectionWindowsTest {
 protected:
  app::NavigatorWindow& Navigator() { return *windows_->Navigator(); }
  bool Checked(const QString& key) { return Navigator().Item(key)->checkState(0) == Qt::Checked; }
  QString CountText(const QString& key) { return Navigator().Item(key)->text(1); }
  void Activate() { QApplication::setActiveWindow(&Navigator()); }
  // From the navigator to another window (nullptr: another application).
  void Deactivate(QWidget* to) {
    Activate();
    QApplication::setActiveWindow(to);
  }
};

TEST_F(NavigatorWindowTest, ShownAfterLoadingWithEveryAlternativeCheckedInTheLanguage) {
  Open(WriteSurvey());
  EXPECT_TRUE(Navigator().isVisible());
  EXPECT_TRUE(Enabled(app::MenuEntry::Navigator));
  ASSERT_EQ(Navigator().Tree()->topLevelItemCount(), 2);
  EXPECT_EQ(Navigator().Item(QStringLiteral("A1-1"))->text(0), QStringLiteral("Male"));
  for (const char* key : {"R0", "A0-0", "A0-1", "A0-2", "R1", "A1-0", "A1-1"}) EXPECT_TRUE(Checked(QString::fromLatin1(key)));
  EXPECT_EQ(CountText(QStringLiteral("A0-0")), QStringLiteral("4"));
  EXPECT_EQ(Navigator().TotalLabel()->text(), QStringLiteral("Items in selection: 12"));
  EXPECT_EQ(Navigator().FlexList()->selectedItems().size(), 2);
  SetSwedish(true);
  Open(WriteSurvey());
  EXPECT_EQ(Navigator().windowTitle(), QStringLiteral("Navigatör"));
  EXPECT_EQ(Navigator().ShowButton()->text(), QStringLiteral("Visa"));
  EXPECT_EQ(Navigator().TotalLabel()->text(), QStringLiteral("Antal i urval: 12"));
  ClickCheckBox(QStringLiteral("A0-0"));
  QTest::mouseClick(Navigator().ShowButton(), Qt::LeftButton);
  EXPECT_EQ(window_->Status().Text(), QStringLiteral("Ny översikt byggd!"));
}

// The check rules and counts are the model's (NavigatorModelTest); clicks
// and the space bar must reach it and the tree must show its state.
TEST_F(NavigatorWindowTest, ClicksAndTheSpaceBarToggleNodesAndGreyingBlocksShow) {
  Open(WriteSurvey());
  ClickCheckBox(QStringLiteral("A0-1"));
  EXPECT_FALSE(Checked(QStringLiteral("A0-1")));
  EXPECT_FALSE(Checked(QStringLiteral("R0")));
  EXPECT_EQ(Navigator().TotalLabel()->text(), QStringLiteral("Items in selection: 8"));
  EXPECT_EQ(CountText(QStringLiteral("A1-0")), QStringLiteral("4"));
  ClickCheckBox(QStringLiteral("R1"));
  EXPECT_FALSE(Checked(QStringLiteral("A1-1")));
  EXPECT_EQ(Navigator().TotalLabel()->text(), QStringLiteral("Items in selection: 0"));
  QTreeWidget* tree = Navigator().Tree();
  tree->setFocus();
  tree->setCurrentItem(Navigator().Item(QStringLiteral("R1")));
  QTest::keyClick(tree, Qt::Key_Space);
  EXPECT_TRUE(Checked(QStringLiteral("A1-1")));
  EXPECT_EQ(Navigator().TotalLabel()->text(), QStringLiteral("Items in selection: 8"));
  // A greyed dimension blocks Show once restricted.
  Open(WriteSurvey());
  const QColor greyed = Navigator().palette().color(QPalette::Button);
  EXPECT_NE(Navigator().Item(QStringLiteral("R0"))->background(0).color(), greyed);
  ClickCheckBox(QStringLiteral("A1-1"));  // women only: two in the North
  EXPECT_EQ(Navigator().Item(QStringLiteral("R0"))->background(0).color(), greyed);
  EXPECT_TRUE(Navigator().ShowButton()->isEnabled());
  ClickCheckBox(QStringLiteral("A0-1"));
  EXPECT_FALSE(Navigator().ShowButton()->isEnabled()) << "the greyed dimension is restricted";
}

TEST_F(NavigatorWindowTest, ShowBuildsTheOverviewReportsAndAppliesTheFlexChoice) {
  app::SelectionWindows& windows = Open(WriteSurvey());
  app::MainWindow& main = *window_;
  ClickCheckBox(QStringLiteral("A0-0"));
  EXPECT_EQ(main.Session().View().Sheet().respondents.size(), 12u) << "nothing applied before Show";
  QTest::mouseClick(windows.Navigator()->ShowButton(), Qt::LeftButton);
  EXPECT_EQ(main.Session().View().Sheet().respondents.size(), 8u);
  EXPECT_EQ(main.Status().Text(), QStringLiteral("New overview built!"));
  EXPECT_TRUE(main.Status().ClearTimer()->isActive()) << "the result text clears itself";
  EXPECT_FALSE(windows.Navigator()->Model().HasUnappliedChanges());
  // The detail window was reset for the new sheet: no question shown.
  EXPECT_EQ(windows.Detail()->HeaderValue(2), QString());
  EXPECT_EQ(windows.Detail()->IndexValue(1, false), QStringLiteral("-"));
  // The flex choice is applied with Show too.
  Open(WriteSurvey());
  QListWidget* list = windows_->Navigator()->FlexList();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(1)).center());
  EXPECT_FALSE(list->item(1)->isSelected());
  EXPECT_TRUE(windows_->Navigator()->Model().HasUnappliedChanges());
  QTest::mouseClick(windows_->Navigator()->ShowButton(), Qt::LeftButton);
  EXPECT_EQ(window_->Session().View().Flex().respondents.size(), 6u);
  EXPECT_EQ(window_->Session().View().Flex().caption, QStringLiteral("Sex Female"));
}

TEST_F(NavigatorWindowTest, RefusedSelectionShowsTheErrorAndClearsTheStatus) {
  app::SelectionWindows& windows = Open(WriteSurvey(false));
  QStringList errors;
  windows.Navigator()->SetErrorFunction([&](const QString& text) { errors << text; });
  ClickCheckBox(QStringLiteral("R0"));
  ASSERT_TRUE(windows.Navigator()->ShowButton()->isEnabled());
  QTest::mouseClick(windows.Navigator()->ShowButton(), Qt::LeftButton);
  ASSERT_EQ(errors.size(), 1);
  EXPECT_EQ(errors[0], QStringLiteral("There are no answers matching the selection criterias!"));
  EXPECT_EQ(window_->Status().Text(), QString());
  EXPECT_EQ(window_->Session().View().Sheet().respondents.size(), 12u) << "the previous overview stays";
}

TEST_F(NavigatorWindowTest, ReminderStartsOnlyWithUnappliedChanges) {
  Open(WriteSurvey());
  Deactivate(window_.get());
  EXPECT_FALSE(Navigator().ReminderTimer()->isActive()) << "no changes, no reminder";

  ClickCheckBox(QStringLiteral("A0-0"));
  Activate();
  Deactivate(window_.get());
  EXPECT_TRUE(Navigator().ReminderTimer()->isActive());
  EXPECT_TRUE(Navigator().ReminderHighlighted());
  EXPECT_EQ(Navigator().ReminderTimer()->interval(), 800);
  EXPECT_EQ(Navigator().ShowButton()->palette().color(QPalette::Button),
            Navigator().palette().color(QPalette::Highlight));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !Navigator().ReminderHighlighted(); }, 3000)) << "the button blinks";
  Activate();
  EXPECT_FALSE(Navigator().ReminderTimer()->isActive());
  EXPECT_EQ(Navigator().ShowButton()->palette().color(QPalette::Button), Navigator().palette().color(QPalette::Button));

  // Applied changes leave nothing to remind of.
  QTest::mouseClick(Navigator().ShowButton(), Qt::LeftButton);
  Deactivate(window_.get());
  EXPECT_FALSE(Navigator().ReminderTimer()->isActive());
}

TEST_F(NavigatorWindowTest, NoReminderWhenTheUserSwitchesToAnotherApplication) {
  Open(WriteSurvey());
  ClickCheckBox(QStringLiteral("A0-0"));
  Deactivate(nullptr);
  EXPECT_FALSE(Navigator().ReminderTimer()->isActive());
}

TEST_F(NavigatorWindowTest, WindowsNeverShownKeepTheStoredPlacementAtExit) {
  const platform::RegistryKey key = OpenProgramKey(store_).key;
  const WindowPlacement earlier{3000, 1500, 3600, 6000};
  ASSERT_TRUE(
      SaveWindowPlacement(key, Policies(), QStringLiteral("Navigator"), BorderStyle::SizableToolWindow, earlier));
  app::MainWindow& window = MakeWindow();
  app::SelectionWindows::Attach(window, key, Policies());
  window.Load({});
  window.close();  // no document: neither tool window was shown
  const WindowPlacement navigator = RestoreWindowPlacement(
      key, QStringLiteral("Navigator"), BorderStyle::SizableToolWindow, false, 0, 0, WindowPlacement());
  EXPECT_EQ(navigator.left, 3000);
  EXPECT_EQ(navigator.top, 1500);
  EXPECT_FALSE(store_
                   .Value(ProgramKeyPath() + QStringLiteral("\\") + WindowKeyName(QStringLiteral("DetailInfo")),
                          QStringLiteral("WLeft"))
                   .has_value());
}

TEST_F(NavigatorWindowTest, CloseHidesAndUnchecksTheViewEntryWhichShowsItAgain) {
  Open(WriteSurvey());
  QAction* entry = window_->Menus().Action(app::MenuEntry::Navigator);
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->isChecked());
  Navigator().close();
  EXPECT_FALSE(Navigator().isVisible());
  EXPECT_FALSE(entry->isChecked());
  // The list's height is kept for the next run, in twips.
  const int32_t stored = ReadFlexTotalHeight(OpenProgramKey(store_).key, -1);
  EXPECT_NEAR(stored, Navigator().FlexList()->height() * 15, 15);
  entry->trigger();
  EXPECT_TRUE(Navigator().isVisible());
  EXPECT_EQ(Navigator().Tree()->topLevelItemCount(), 2) << "hidden, not unloaded";
}

}  // namespace
}  // namespace kvf::testing
