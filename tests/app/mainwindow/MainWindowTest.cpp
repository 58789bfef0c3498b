// The main window driven headless: start-up, menu states through loading and
// closing, the pop-up by hit row, recent files, exit, the status bar, the
// hover timer, the drawn sheet and the wheel.
#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QWheelEvent>

#include "ViewerFixture.h"
#include "app/mainwindow/PopupMenuRules.h"
#include "app/mainwindow/WheelScroll.h"
#include "core/settings/ProgramKey.h"

namespace kvf::testing {
namespace {

using app::MenuEntry;
QString S(const char* text) { return QString::fromUtf8(text); }

class MainWindowTest : public ViewerTest {
 protected:
  std::optional<platform::RegistryValue> Stored(const QString& key, const QString& name) {
    return store_.Value(ProgramKeyPath() + QLatin1Char('\\') + key, name);
  }
  // The centre of a cell of the sheet area: header rows are negative.
  QPoint CellCentre(int column, int row) {
    return QPoint(1 + column * 16 + 8, 1 + (window_->ScreenSheet().headerRowCount + row) * 16 + 8);
  }
  void RightClick(QPoint at) {
    QTest::mouseClick(window_->Sheet(), Qt::RightButton, Qt::NoModifier, at);
    ASSERT_TRUE(window_->PopupMenu()->isVisible());
    window_->PopupMenu()->hide();
  }
};

TEST_F(MainWindowTest, CommandLineDocumentOpensAfterTheTimerAndFailuresAreShown) {
  app::MainWindow& window = MakeWindow();
  window.Load({EnglishSample(), S("/ignored/second.kvf")});
  EXPECT_TRUE(window.AutoOpenTimer()->isActive() && !window.Session().IsOpen());
  EXPECT_FALSE(Enabled(MenuEntry::Navigator) || Enabled(MenuEntry::DetailInfo) || Visible(MenuEntry::RecentSeparator));
  // Allowed, but the dialog does not belong to this window: greyed rather than silent.
  EXPECT_TRUE(window.Menus().LogicalEnabled(MenuEntry::Options) && !Enabled(MenuEntry::Options));
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.Session().IsOpen(); }, 5000));
  EXPECT_EQ(window.windowTitle(), S("KVF Viewer - staff-survey-en.kvf"));
  EXPECT_TRUE(window.ScreenSheet().present && messages_.empty());
  EXPECT_EQ(window.Session().DataOpenFolder(), folder_.path());  // not remembered from the command line

  StartWith({S("/nowhere/report.kvf")});
  EXPECT_TRUE(window_->Status().Text().contains(S("/nowhere/report.kvf")) && messages_.empty());
  QFile bad(folder_.filePath(S("bad.kvf")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("not a survey") > 0);
  bad.close();
  StartWith({bad.fileName()});
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(std::make_tuple(messages_[0].icon, messages_[0].caption),
            std::make_tuple(QMessageBox::Critical, S("KVF Viewer")));
  EXPECT_TRUE(window_->Status().Text().isEmpty());
}

TEST_F(MainWindowTest, MenusFollowTheDocumentAndReturnWhenItCloses) {
  app::MainWindow& window = StartWith({EnglishSample()});
  ASSERT_TRUE(window.Session().IsOpen());
  const SurveyDocument& document = window.Session().Document();
  app::MainMenus& menus = window.Menus();
  // The sample allows copying, saving and data copies, has indexes, comments,
  // dimensions and the total index graph.
  const MenuEntry enabled[] = {MenuEntry::Copy,     MenuEntry::SaveAs,   MenuEntry::PopupSaveAs, MenuEntry::Properties,
                               MenuEntry::Comments, MenuEntry::CopyToMiniOverview, MenuEntry::DistributionGraph};
  const MenuEntry shown[] = {MenuEntry::CopyIndexes, MenuEntry::CopyData, MenuEntry::TotalIndexGraph,
                             MenuEntry::PopupTotalIndexGraph, MenuEntry::PopupHistogramSplitByMenu};
  for (bool open : {true, false}) {
    for (MenuEntry name : enabled) EXPECT_EQ(menus.LogicalEnabled(name), open) << app::MenuEntryName(name);
    for (MenuEntry name : shown) EXPECT_EQ(Visible(name), open) << app::MenuEntryName(name);
    EXPECT_EQ(window.Status().Panel(1)->isVisibleTo(&window), open);
    if (!open) break;
    // One split item per dimension and one block-graph item per flagged block.
    EXPECT_EQ(menus.Menu(MenuEntry::PopupHistogramSplitByMenu)->actions().size(),
              static_cast<qsizetype>(document.dimensions.size()));
    EXPECT_EQ(menus.Menu(MenuEntry::BlockHistogramMenu)->actions().size(),
              static_cast<qsizetype>(window.BlockGraphMenus().histogram.size()));
    window.Session().CloseDocument();
  }
  EXPECT_TRUE(menus.Menu(MenuEntry::PopupHistogramSplitByMenu)->actions().isEmpty());
  EXPECT_FALSE(window.ScreenSheet().present);
}

// Which entries each row offers is checked in PopupRules; here, that a
// right click finds the row and the column and the menu shows them.
TEST_F(MainWindowTest, PopupEntriesByHitRow) {
  app::MainWindow& window = StartWith({EnglishSample()});
  const SubSheet& sheet = window.Session().View().Sheet();
  ASSERT_EQ(window.ScreenSheet().headerRowCount, 3);
  RightClick(CellCentre(2, 0));
  EXPECT_EQ(std::make_tuple(window.PopupRowItem(), window.PopupQuestion()),
            std::make_tuple(sheet.respondents[0], sheet.columns[2]));
  EXPECT_TRUE(Visible(MenuEntry::PopupCopyRowsAnswers));
  RightClick(CellCentre(2, -3));
  EXPECT_EQ(window.PopupRowItem(), -3);
  EXPECT_FALSE(Visible(MenuEntry::PopupCopyRowsAnswers));
  QTest::mouseClick(window.Sheet(), Qt::RightButton, Qt::ShiftModifier, CellCentre(2, 0));
  EXPECT_FALSE(window.PopupMenu()->isVisible());
}

TEST_F(MainWindowTest, RecentEntriesReopenAndReportMissingFiles) {
  store_.SetValue(ProgramKeyPath() + S("\\MRU List"), S("Item 00"), platform::RegistryValue::String(S("/x/R&D.kvf")));
  app::MainWindow& window = StartWith({});
  EXPECT_EQ(std::make_tuple(window.Menus().Action(MenuEntry::Recent0)->text(), Visible(MenuEntry::Recent1)),
            std::make_tuple(S("&1 /x/R&&D.kvf"), false));
  window.Menus().Action(MenuEntry::Recent0)->trigger();
  ASSERT_EQ(messages_.size(), 1u);  // a missing file is reported

  ASSERT_TRUE(window.Commands().OpenDocument(EnglishSample(), true, S("Open Data File")));
  window.Session().CloseDocument();
  window.Menus().Action(MenuEntry::Recent0)->trigger();
  EXPECT_EQ(window.Session().Document().file.documentPath, EnglishSample());
}

TEST_F(MainWindowTest, ExitWritesSettingsPlacementAndTheOpenDocument) {
  app::MainWindow& window = StartWith({EnglishSample()});
  window.close();
  EXPECT_FALSE(window.Session().IsOpen());
  EXPECT_EQ(std::make_tuple(Stored(S("MRU List"), S("Item 00"))->text,
                            Stored(S("Last Settings"), S("Data Open Folder"))->text,
                            Stored(S("Windows\\Main"), S("WState"))->dword),
            std::make_tuple(EnglishSample(), folder_.path(), 0u));
}

TEST_F(MainWindowTest, StatusDoubleClickCopiesTheIndexTable) {
  app::MainWindow& window = StartWith({EnglishSample()});
  QTest::mouseDClick(window.Status().Panel(0), Qt::LeftButton);
  EXPECT_FALSE(clipboard_.Text().isEmpty());
  // A document without indexes has no table.
  window.Session().MutableDocument().info.indexDivisor = 0;
  const int writes = clipboard_.Writes();
  QTest::mouseDClick(window.Status().Panel(0), Qt::LeftButton);
  EXPECT_EQ(clipboard_.Writes(), writes);
}

TEST_F(MainWindowTest, RestingPointerReportsTheCellAfterTheHoverTimer) {
  app::MainWindow& window = StartWith({EnglishSample()});
  struct HoverRecorder : app::SheetViewObserver {
    void CellHovered(const app::CellHit& hit) override { hits.push_back(hit); }
    std::vector<app::CellHit> hits;
  } recorder;
  window.AddSheetViewObserver(&recorder);
  MoveOver(window.Sheet(), CellCentre(2, 1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.hits.empty(); }, 2000));
  EXPECT_EQ(std::make_tuple(recorder.hits[0].column, recorder.hits[0].rowItem),
            std::make_tuple(2, window.Session().View().Sheet().respondents[1]));
  // A key held stops the timer; a move over the status bar stops it.
  MoveOver(window.Sheet(), CellCentre(3, 1), Qt::ShiftModifier);
  EXPECT_FALSE(window.ShowValuesTimer()->isActive());
  MoveOver(window.Sheet(), CellCentre(2, 1));
  EXPECT_TRUE(window.ShowValuesTimer()->isActive());
  MoveOver(window.Status().Panel(0), QPointF(5, 5));
  EXPECT_FALSE(window.ShowValuesTimer()->isActive());
  // A document without indexes does not start it.
  window.Session().MutableDocument().info.indexDivisor = 0;
  MoveOver(window.Sheet(), CellCentre(1, 1));
  EXPECT_FALSE(window.ShowValuesTimer()->isActive());
  window.RemoveSheetViewObserver(&recorder);
}

TEST_F(MainWindowTest, DrawnSheetShowsHeadersFixedWhileRowsScroll) {
  app::MainWindow& window = StartWith({EnglishSample()});
  window.resize(900, 640);
  QTest::qWait(50);
  const SheetState& sheet = window.ScreenSheet();
  auto sheetPixel = [&](QPoint at) { return sheet.RegionPixels(QRect(at, QSize(1, 1))).pixel(0, 0); };
  // Window pixel (1 + x, 1 + y) shows sheet pixel (x, y).
  const QPoint header(3 * 16 + 4, 4), body(3 * 16 + 4, sheet.headerRowCount * 16 + 4), edge(1, 1);
  for (int scrolled : {0, 7}) {
    window.Sheet()->Vertical()->setValue(scrolled);
    const QImage shown = window.Sheet()->grab().toImage();
    EXPECT_EQ(shown.pixel(header + edge), sheetPixel(header));
    EXPECT_EQ(shown.pixel(body + edge), sheetPixel(body + QPoint(0, scrolled * 16)));
  }
}

TEST_F(MainWindowTest, WheelAndTiltReachTheBarsAndThePopupChoiceSwaps) {
  app::MainWindow& window = StartWith({EnglishSample()});
  window.SetWheelSettings(app::WheelSettings{3, 3});
  window.resize(400, 400);  // neither the 41 columns nor the 300 rows fit
  QTest::qWait(50);
  QScrollBar* vertical = window.Sheet()->Vertical();
  QScrollBar* horizontal = window.Sheet()->Horizontal();
  ASSERT_FALSE(horizontal->isHidden() || vertical->isHidden());
  auto turn = [&](QPoint angle) {
    const QPointF at(20, 20);
    QWheelEvent event(at, window.Sheet()->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.Sheet(), &event);
  };
  for (int delta : {-120, -60, -60}) turn(QPoint(0, delta));
  EXPECT_EQ(vertical->value(), 6) << "the window keeps the remainder between events";
  // Tilting right (negative horizontal delta) scrolls right.
  turn(QPoint(-120, 0));
  EXPECT_EQ(horizontal->value(), 3);
  window.Menus().Action(app::MenuEntry::PopupWheelHorizontal)->trigger();
  EXPECT_FALSE(window.Menus().Action(app::MenuEntry::PopupWheelVertical)->isChecked());
  turn(QPoint(0, -120));
  EXPECT_EQ(std::make_tuple(vertical->value(), horizontal->value()), std::make_tuple(6, 6));
}

}  // namespace
}  // namespace kvf::testing
