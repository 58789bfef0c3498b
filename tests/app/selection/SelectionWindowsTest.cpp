// The navigator and the detail window plugged into a main window, driven with
// real clicks and pointer moves: Show, the reminder, hover, reset, layout,
// closing and placement.
#include <QApplication>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeWidgetItem>

#include "ViewerFixture.h"
#include "app/selection/SelectionWindows.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/WindowPlacement.h"
#include "kvfwriter/JsonDescription.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::testing {
namespace {

class SelectionWindowsTest : public ViewerTest {
 protected:
  // Twelve respondents: Region (North, South, West) = r mod 3, Sex (Female,
  // Male) = r mod 2 and the flex question; Rating (weights 1, 2, 3 = r mod
  // 3) in block "Work"; index divisor 10. With minimums: a graph and a
  // complement minimum of 3, North complement-protected.
  QString WriteSurvey(bool minimums = true);
  // Makes the main window, plugs in the windows and opens path.
  app::SelectionWindows& Open(const QString& path);
  // Clicks the check box of a tree node.
  void ClickCheckBox(const QString& key);
  app::NavigatorWindow& Navigator() { return *windows_->Navigator(); }
  app::DetailInfoWindow& Detail() { return *windows_->Detail(); }
  bool Checked(const char* key) { return Navigator().Item(QString::fromLatin1(key))->checkState(0) == Qt::Checked; }
  QString Total() { return Navigator().TotalLabel()->text(); }
  void Show() { QTest::mouseClick(Navigator().ShowButton(), Qt::LeftButton); }
  void Activate() { QApplication::setActiveWindow(&Navigator()); }
  // From the navigator to another window (nullptr: another application).
  void Deactivate(QWidget* to) {
    Activate();
    QApplication::setActiveWindow(to);
  }
  // Rests the pointer on a cell of the screen sheet and lets the hover timer fire.
  void RestOn(int column, int sheetRow) {
    const app::SheetGrid grid = window_->Sheet()->Grid();
    MoveOver(window_->Sheet(), QPointF(1 + (column + 0.5) * grid.cellSize, 1 + (sheetRow + 0.5) * grid.rowHeight));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window_->ShowValuesTimer()->isActive(); }, 2000));
  }

  app::SelectionWindows* windows_ = nullptr;
};

QString SelectionWindowsTest::WriteSurvey(bool minimums) {
  writer::KvfDescription d;
  QString error;
  EXPECT_TRUE(writer::ParseJsonDescription(R"({
  "info": {"indexDivisor": 10, "allRespondentsCaption": "All respondents", "tooFewCaption": "Too few respondents",
           "indexLabels": ["Respondent index", "Question index", null, "Block index", "Total index"],
           "minimumGraphSelection": 3, "minimumComplementSelection": 3, "featureFlags": 0},
  "questions": [
    {"sheetLabel": "Reg", "name": "Region", "text": "Where?", "isDimension": true, "alternatives": [
      {"sheetLabel": "No", "name": "North", "complementProtected": true}, {"sheetLabel": "So", "name": "South"},
      {"sheetLabel": "We", "name": "West"}]},
    {"sheetLabel": "Sex", "name": "Sex", "text": "Sex?", "isDimension": true, "isFlexTotal": true, "alternatives": [
      {"sheetLabel": "Fe", "name": "Female"}, {"sheetLabel": "Ma", "name": "Male"}]},
    {"sheetLabel": "Rat", "name": "Rating", "text": "How do you rate it?", "isOverviewQuestion": true,
     "inTotalIndex": true, "primaryBlock": 0, "alternatives": [{"sheetLabel": "Po", "name": "Poor", "value": 10},
       {"sheetLabel": "Fa", "name": "Fair", "value": 20}, {"sheetLabel": "Go", "name": "Good", "value": 30}]}],
  "answers": [[0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2], [0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1],
              [0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2]],
  "blocks": [{"name": "Work", "membersByQuestionField": true}]})",
                                           &d, &error))
      << error.toStdString();
  if (!minimums) {
    d.info.minimumGraphSelection = d.info.minimumComplementSelection = 0;
    d.alternatives[0].complementProtected = writer::kFalse;
  }
  static int counter = 0;
  const QString path = folder_.filePath(QStringLiteral("selection-%1.kvf").arg(++counter));
  EXPECT_TRUE(writer::SaveKvf(d, path, &error)) << error.toStdString();
  return path;
}

app::SelectionWindows& SelectionWindowsTest::Open(const QString& path) {
  app::MainWindow& window = MakeWindow();
  windows_ = app::SelectionWindows::Attach(window, OpenProgramKey(store_).key, Policies());
  window.Load({});
  window.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.Commands().OpenDocument(path, false, QStringLiteral("Open")));
  EXPECT_TRUE(!windows_->Navigator()->isVisible() || QTest::qWaitForWindowExposed(windows_->Navigator()));
  return *windows_;
}

void SelectionWindowsTest::ClickCheckBox(const QString& key) {
  QTreeWidget* tree = windows_->Navigator()->Tree();
  QTreeWidgetItem* item = windows_->Navigator()->Item(key);
  ASSERT_NE(item, nullptr) << key.toStdString();
  tree->scrollToItem(item);
  QStyleOptionViewItem option;
  option.initFrom(tree->viewport());
  option.rect = tree->visualItemRect(item);
  option.rect.setRight(tree->columnViewportPosition(1) - 1);
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  option.text = item->text(0);
  option.showDecorationSelected = false;
  const QRect box = tree->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, tree);
  ASSERT_TRUE(box.isValid());
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
}

// The check rules and counts are the model's (NavigatorModelTest); clicks
// must reach it and the tree must show its state.
TEST_F(SelectionWindowsTest, ClicksToggleNodesAndGreyingShows) {
  Open(WriteSurvey());
  EXPECT_TRUE(Navigator().isVisible() && Enabled(app::MenuEntry::Navigator));
  EXPECT_TRUE(Checked("R0") && Checked("A1-1"));
  ClickCheckBox(QStringLiteral("A0-1"));
  EXPECT_FALSE(Checked("A0-1") || Checked("R0"));
  EXPECT_EQ(Total(), QStringLiteral("Items in selection: 8"));
  // A greyed dimension shows in the button colour.
  Open(WriteSurvey());
  ClickCheckBox(QStringLiteral("A1-1"));  // women only: two in the North
  EXPECT_EQ(Navigator().Item(QStringLiteral("R0"))->background(0).color(),
            Navigator().palette().color(QPalette::Button));
}

TEST_F(SelectionWindowsTest, ShowBuildsTheOverviewWithTheFlexChoiceOrReportsARefusal) {
  Open(WriteSurvey());
  ClickCheckBox(QStringLiteral("A0-0"));
  QListWidget* list = Navigator().FlexList();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(1)).center());
  EXPECT_EQ(window_->Session().View().Sheet().respondents.size(), 12u) << "nothing applied before Show";
  Show();
  EXPECT_EQ(std::make_tuple(window_->Session().View().Sheet().respondents.size(),
                            window_->Session().View().Flex().respondents.size()),
            std::make_tuple(size_t{8}, size_t{6}));
  EXPECT_TRUE(window_->Status().ClearTimer()->isActive() && !Navigator().Model().HasUnappliedChanges());

  Open(WriteSurvey(false));
  QStringList errors;
  Navigator().SetErrorFunction([&](const QString& text) { errors << text; });
  ClickCheckBox(QStringLiteral("R0"));
  Show();
  EXPECT_EQ(errors.size(), 1);
  EXPECT_EQ(window_->Status().Text(), QString());
  EXPECT_EQ(window_->Session().View().Sheet().respondents.size(), 12u) << "the previous overview stays";
}

TEST_F(SelectionWindowsTest, ReminderOnlyForUnappliedChangesAndOurOwnWindows) {
  Open(WriteSurvey());
  Deactivate(window_.get());
  EXPECT_FALSE(Navigator().ReminderTimer()->isActive()) << "no changes, no reminder";
  ClickCheckBox(QStringLiteral("A0-0"));
  Deactivate(nullptr);
  EXPECT_FALSE(Navigator().ReminderTimer()->isActive()) << "another application";
  Deactivate(window_.get());
  EXPECT_TRUE(Navigator().ReminderTimer()->isActive() && Navigator().ReminderHighlighted());
  EXPECT_EQ(Navigator().ShowButton()->palette().color(QPalette::Button),
            Navigator().palette().color(QPalette::Highlight));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !Navigator().ReminderHighlighted(); }, 3000)) << "the button blinks";
  Activate();
  EXPECT_FALSE(Navigator().ReminderTimer()->isActive());
  // Applied changes leave nothing to remind of.
  Show();
  Deactivate(window_.get());
  EXPECT_FALSE(Navigator().ReminderTimer()->isActive());
}

TEST_F(SelectionWindowsTest, WindowsNeverShownKeepTheStoredPlacementAtExit) {
  const platform::RegistryKey key = OpenProgramKey(store_).key;
  const WindowPlacement earlier{3000, 1500, 3600, 6000};
  ASSERT_TRUE(SaveWindowPlacement(key, Policies(), "Navigator", BorderStyle::SizableToolWindow, earlier));
  app::MainWindow& window = MakeWindow();
  app::SelectionWindows::Attach(window, key, Policies());
  window.Load({});
  window.close();  // no document: neither tool window was shown
  const WindowPlacement navigator =
      RestoreWindowPlacement(key, "Navigator", BorderStyle::SizableToolWindow, false, 0, 0, WindowPlacement());
  EXPECT_EQ(std::make_tuple(navigator.left, navigator.top), std::make_tuple(3000, 1500));
  EXPECT_FALSE(store_.Value(ProgramKeyPath() + "\\" + WindowKeyName("DetailInfo"), "WLeft").has_value());
}

TEST_F(SelectionWindowsTest, ShownOnLoadingAndSizedForItsContent) {
  Open(WriteSurvey());
  EXPECT_TRUE(Detail().isVisible() && window_->Menus().Action(app::MenuEntry::DetailInfo)->isChecked());
  // Without a stored placement the content fits.
  EXPECT_GE(Detail().width(), Detail().sizeHint().width());
  EXPECT_GE(Detail().height(), Detail().minimumSizeHint().height());
  // A row shows only with a label and the height follows.
  QLabel* label = Detail().findChild<QLabel*>(QStringLiteral("indexLabel2"));
  const int before = Detail().height();
  EXPECT_FALSE(label->isVisibleTo(&Detail())) << "the document has no sub-block label";
  Detail().SetIndexText(2, QStringLiteral("Sub-block index"));
  Detail().Update();
  EXPECT_TRUE(label->isVisibleTo(&Detail()));
  EXPECT_GT(Detail().height(), before);
  Detail().SetIndexText(2, QString());
  Detail().Update();
  EXPECT_EQ(Detail().height(), before);
}

TEST_F(SelectionWindowsTest, HoverFillsAndANewSheetOrClosingResets) {
  Open(WriteSurvey());
  ASSERT_EQ(window_->Sheet()->Grid().headerRowCount, 2);
  RestOn(0, 2);  // respondent 0
  EXPECT_EQ(Detail().HeaderValue(2), QStringLiteral("Rating"));
  ClickCheckBox(QStringLiteral("A0-0"));
  Show();
  EXPECT_EQ(Detail().HeaderValue(2), QString());
  RestOn(0, 2);
  window_->Session().CloseDocument();
  EXPECT_FALSE(Detail().isVisible());
  EXPECT_EQ(std::make_tuple(Detail().HeaderValue(2), Detail().IndexText(0)), std::make_tuple(QString(), QString()));
}

TEST_F(SelectionWindowsTest, CloseHidesUnchecksTheViewEntryWhichShowsItAgainAndPlacementIsKept) {
  Open(WriteSurvey());
  for (auto [tool, name] : {std::pair<QWidget*, app::MenuEntry>{&Navigator(), app::MenuEntry::Navigator},
                            {&Detail(), app::MenuEntry::DetailInfo}}) {
    QAction* entry = window_->Menus().Action(name);
    EXPECT_TRUE(entry->isChecked());
    tool->close();
    EXPECT_FALSE(tool->isVisible() || entry->isChecked());
    entry->trigger();
    EXPECT_TRUE(tool->isVisible());
  }
  // The list's height is kept for the next run, in twips; a new window comes where the last was.
  Navigator().close();
  EXPECT_NEAR(ReadFlexTotalHeight(OpenProgramKey(store_).key, -1), Navigator().FlexList()->height() * 15, 15);
  Detail().move(120, 90);
  Detail().close();
  app::DetailInfoWindow another(window_->Session(), OpenProgramKey(store_).key, Policies());
  EXPECT_EQ(another.geometry(), Detail().geometry());
}

}  // namespace
}  // namespace kvf::testing
