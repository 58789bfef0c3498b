// The main window driven headless: start-up from the command line, captions
// in both languages, menu states through loading and closing, the pop-up by
// hit row, recent files, the status line, exit and the drawn sheet.
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include "ViewerFixture.h"
#include "app/mainwindow/PopupMenuRules.h"
#include "core/settings/ProgramKey.h"
#include "core/text/Language.h"

namespace kvf::testing {
namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QRgb SheetPixel(const SheetState& sheet, QPoint at) { return sheet.RegionPixels(QRect(at, QSize(1, 1))).pixel(0, 0); }

class MainWindowTest : public ViewerTest {
 protected:
  std::optional<platform::RegistryValue> Stored(const QString& key, const QString& name) {
    return store_.Value(ProgramKeyPath() + QLatin1Char('\\') + key, name);
  }
  QString CopyOfSample(const QString& name) {
    const QString path = folder_.filePath(name);
    EXPECT_TRUE(QFile::copy(EnglishSample(), path));
    return path;
  }
  // The centre of a cell of the sheet area: header rows are negative.
  QPoint CellCentre(int column, int row) {
    const int headers = window_->ScreenSheet().headerRowCount;
    return QPoint(1 + column * 16 + 8, 1 + (headers + row) * 16 + 8);
  }
  void RightClick(QPoint at) {
    QTest::mouseClick(window_->Sheet(), Qt::RightButton, Qt::NoModifier, at);
    ASSERT_TRUE(window_->PopupMenu()->isVisible());
    window_->PopupMenu()->hide();
  }
};

TEST_F(MainWindowTest, CaptionsTipsAndWelcomeFollowTheLanguage) {
  app::MainWindow& window = StartWith({});
  EXPECT_EQ(window.windowTitle(), S("KVF Viewer"));
  EXPECT_EQ(Caption(app::MenuEntry::SaveAs), S("Save Overview &As..."));
  EXPECT_EQ(window.Menus().Action(app::MenuEntry::CopyToMiniOverview)->shortcut(), QKeySequence(S("F4")));
  EXPECT_EQ(window.Status().Panel(0)->toolTip(), S("Current activity"));
  EXPECT_EQ(window.Status().Text(), S("Welcome to KVF Viewer!"));
  EXPECT_TRUE(window.Status().ClearTimer()->isActive());

  SetSwedish(true);
  app::MainWindow& swedish = StartWith({});
  EXPECT_EQ(Caption(app::MenuEntry::SaveAs), S("Spara översikt so&m..."));
  EXPECT_EQ(Caption(app::MenuEntry::PopupHistogramSplitByMenu), S("&Fördelat på"));
  EXPECT_EQ(swedish.Status().Panel(1)->toolTip(), S("Antal i aktuellt urval"));
  EXPECT_EQ(swedish.Status().Text(), S("Välkommen till KVF Viewer!"));
}

TEST_F(MainWindowTest, DesignStateBeforeAnyDocument) {
  app::MainWindow& window = StartWith({});
  // (The document entries' state without a document is checked after closing one, below.)
  EXPECT_TRUE(Enabled(app::MenuEntry::Open));
  for (app::MenuEntry name : {app::MenuEntry::Navigator, app::MenuEntry::DetailInfo})
    EXPECT_FALSE(Enabled(name)) << app::MenuEntryName(name);
  EXPECT_FALSE(Visible(app::MenuEntry::RecentSeparator));
  // Options and About are allowed but their dialogs do not belong to this
  // window: greyed rather than silent.
  EXPECT_TRUE(window.Menus().LogicalEnabled(app::MenuEntry::Options));
  EXPECT_FALSE(Enabled(app::MenuEntry::Options));
  EXPECT_FALSE(Enabled(app::MenuEntry::About));
  EXPECT_FALSE(window.Status().Panel(1)->isVisibleTo(&window));
}

TEST_F(MainWindowTest, CommandLineDocumentOpensAfterTheTimer) {
  app::MainWindow& window = MakeWindow();
  window.Load({EnglishSample(), S("/ignored/second.kvf")});
  EXPECT_EQ(window.Status().Text(), S("Opening data file..."));
  EXPECT_FALSE(window.Status().ClearTimer()->isActive() || window.Session().IsOpen());
  EXPECT_TRUE(window.AutoOpenTimer()->isActive());
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.Session().IsOpen(); }, 5000));
  EXPECT_EQ(window.windowTitle(), S("KVF Viewer - staff-survey-en.kvf"));
  EXPECT_EQ(window.Status().Text(), S("staff-survey-en.kvf has been opened!"));
  EXPECT_TRUE(window.Status().ClearTimer()->isActive() && window.ScreenSheet().present && messages_.empty());
  EXPECT_EQ(window.Session().DataOpenFolder(), folder_.path());  // not remembered from the command line
}

TEST_F(MainWindowTest, MissingCommandLineFileAndAutoStartAlone) {
  app::MainWindow& window = StartWith({S("/nowhere/report.kvf")});
  EXPECT_EQ(window.Status().Text(), S("Could not find the file \"/nowhere/report.kvf\"!"));
  EXPECT_TRUE(window.Status().ClearTimer()->isActive());
  EXPECT_FALSE(window.AutoOpenTimer()->isActive());
  SetSwedish(true);
  app::MainWindow& second = StartWith({S("/AutoStart")});
  EXPECT_EQ(second.Status().Text(), S("Kunde inte hitta filen \"/AutoStart\"!"));
  EXPECT_FALSE(second.Session().IsOpen());
}

TEST_F(MainWindowTest, UnreadableDocumentShowsTheLoadersTextAndClearsTheStatus) {
  const QString bad = folder_.filePath(S("bad.kvf"));
  QFile file(bad);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a survey") > 0);
  file.close();
  app::MainWindow& window = StartWith({bad});
  EXPECT_FALSE(window.Session().IsOpen());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(std::make_tuple(messages_[0].icon, messages_[0].caption),
            std::make_tuple(QMessageBox::Critical, S("KVF Viewer")));
  EXPECT_FALSE(messages_[0].text.isEmpty());
  EXPECT_TRUE(window.Status().Text().isEmpty());
}

TEST_F(MainWindowTest, MenusFollowTheDocumentAndReturnWhenItCloses) {
  app::MainWindow& window = StartWith({EnglishSample()});
  ASSERT_TRUE(window.Session().IsOpen());
  const SurveyDocument& document = window.Session().Document();
  app::MainMenus& menus = window.Menus();
  // The sample allows copying, saving and data copies, has indexes,
  // comments, dimensions and the total index graph.
  for (app::MenuEntry name :
       {app::MenuEntry::Copy, app::MenuEntry::CopyHeadersAndTotals, app::MenuEntry::SaveAs, app::MenuEntry::PopupSaveAs,
        app::MenuEntry::Properties, app::MenuEntry::EditBlocks, app::MenuEntry::Comments,
        app::MenuEntry::DistributionGraph, app::MenuEntry::CopyToMiniOverview, app::MenuEntry::PopupCopyToMiniOverview})
    EXPECT_TRUE(menus.LogicalEnabled(name)) << app::MenuEntryName(name);
  for (app::MenuEntry name : {app::MenuEntry::CopyIndexes, app::MenuEntry::PopupCopyIndexes, app::MenuEntry::CopyData,
                              app::MenuEntry::TotalIndexGraph, app::MenuEntry::PopupTotalIndexGraph,
                              app::MenuEntry::PopupHistogramSplitByMenu, app::MenuEntry::PopupGraphSplitByMenu})
    EXPECT_TRUE(Visible(name)) << app::MenuEntryName(name);
  EXPECT_TRUE(Enabled(app::MenuEntry::CloseAllGraphWindows));

  // One split item per dimension, named after it.
  QMenu* splitBy = menus.Menu(app::MenuEntry::PopupHistogramSplitByMenu);
  ASSERT_EQ(splitBy->actions().size(), static_cast<qsizetype>(document.dimensions.size()));
  EXPECT_EQ(splitBy->actions()[0]->text(), document.GetText(document.questions[document.dimensions[0]].name));

  // One block-graph item per block with the flag.
  const app::BlockGraphMenuMap& map = window.BlockGraphMenus();
  ASSERT_FALSE(map.histogram.empty());
  EXPECT_EQ(menus.Menu(app::MenuEntry::BlockHistogramMenu)->actions().size(),
            static_cast<qsizetype>(map.histogram.size()));

  // The selection panels.
  EXPECT_TRUE(window.Status().Panel(1)->isVisibleTo(&window));
  EXPECT_EQ(window.Status().Panel(1)->text(), S(" 340"));
  EXPECT_EQ(window.Status().Panel(1)->toolTip(), document.GetText(document.info.countTip));
  EXPECT_EQ(window.Status().Panel(2)->text(), S(" ") + window.Session().View().Sheet().description);

  window.Session().CloseDocument();
  EXPECT_EQ(window.windowTitle(), S("KVF Viewer"));
  for (app::MenuEntry name :
       {app::MenuEntry::Copy, app::MenuEntry::SaveAs, app::MenuEntry::PopupSaveAs, app::MenuEntry::Properties,
        app::MenuEntry::Comments, app::MenuEntry::CloseAllGraphWindows, app::MenuEntry::CopyToMiniOverview,
        app::MenuEntry::DistributionGraph})
    EXPECT_FALSE(menus.LogicalEnabled(name)) << app::MenuEntryName(name);
  for (app::MenuEntry name : {app::MenuEntry::CopyIndexes, app::MenuEntry::CopyData, app::MenuEntry::PopupCopyData,
                              app::MenuEntry::TotalIndexGraph, app::MenuEntry::PopupTotalIndexGraph,
                              app::MenuEntry::PopupHistogramSplitByMenu, app::MenuEntry::BlockHistogramMenu})
    EXPECT_FALSE(Visible(name)) << app::MenuEntryName(name);
  EXPECT_TRUE(splitBy->actions().isEmpty());
  EXPECT_FALSE(window.Status().Panel(1)->isVisibleTo(&window));
  EXPECT_FALSE(window.ScreenSheet().present);
  EXPECT_TRUE(window.Sheet()->Vertical()->isHidden());
}

// Which entries each row offers is checked in PopupRules; here, that a
// right click finds the row and the column and the menu shows them.
TEST_F(MainWindowTest, PopupEntriesByHitRow) {
  app::MainWindow& window = StartWith({EnglishSample()});
  ASSERT_TRUE(window.Session().IsOpen());
  const SurveyDocument& document = window.Session().Document();
  const int headers = window.ScreenSheet().headerRowCount;
  ASSERT_EQ(headers, 3);
  // A column whose question has a primary block with graph flags.
  int column = -1;
  const std::vector<int32_t>& columns = window.Session().View().Sheet().columns;
  for (size_t c = 0; c < columns.size() && column < 0; ++c) {
    const Question& q = document.questions[columns[c]];
    if (q.primaryBlock >= 0 && document.blocks[q.primaryBlock].graphFlags != 0 && q.graphFlags != 0)
      column = static_cast<int>(c);
  }
  ASSERT_GE(column, 0);
  const Question& question = document.questions[columns[column]];

  RightClick(CellCentre(column, 0));
  EXPECT_EQ(window.PopupRowItem(), window.Session().View().Sheet().respondents[0]);
  EXPECT_EQ(window.PopupQuestion(), columns[column]);
  EXPECT_TRUE(Visible(app::MenuEntry::PopupCopyRowsAnswers));
  EXPECT_FALSE(Enabled(app::MenuEntry::PopupRowsComments));  // the comment window is not there yet
  EXPECT_EQ(Visible(app::MenuEntry::PopupQuestionHistogramMenu), (question.graphFlags & app::kGraphHistogram) != 0);

  RightClick(CellCentre(column, -1));
  EXPECT_EQ(window.PopupRowItem(), -1);
  EXPECT_FALSE(Visible(app::MenuEntry::PopupCopyRowsAnswers));

  RightClick(CellCentre(column, -headers));
  EXPECT_EQ(window.PopupRowItem(), -3);
  const int32_t blockFlags = document.blocks[question.primaryBlock].graphFlags;
  EXPECT_EQ(Visible(app::MenuEntry::PopupBlockHistogram), (blockFlags & app::kGraphHistogram) != 0);
  EXPECT_FALSE(Visible(app::MenuEntry::PopupQuestionHistogramMenu));

  QTest::mouseClick(window.Sheet(), Qt::RightButton, Qt::ShiftModifier, CellCentre(column, 0));
  EXPECT_FALSE(window.PopupMenu()->isVisible());
}

TEST_F(MainWindowTest, RecentFilesAfterOpeningABA) {
  const QString a = CopyOfSample(S("A.kvf"));
  const QString b = CopyOfSample(S("B.kvf"));
  app::MainWindow& window = StartWith({});
  ASSERT_TRUE(window.Commands().OpenDocument(a, true, S("Open Data File")));
  EXPECT_FALSE(Visible(app::MenuEntry::RecentSeparator));
  ASSERT_TRUE(window.Commands().OpenDocument(b, true, S("Open Data File")));
  ASSERT_TRUE(window.Commands().OpenDocument(a, true, S("Open Data File")));
  EXPECT_EQ(window.Settings().RecentFiles().Entries(), (QStringList{b, a}));
  EXPECT_TRUE(Visible(app::MenuEntry::RecentSeparator));
  EXPECT_TRUE(Caption(app::MenuEntry::Recent1).startsWith(S("&2 ")) &&
              Caption(app::MenuEntry::Recent1).endsWith(S("A.kvf")));
  EXPECT_FALSE(Visible(app::MenuEntry::Recent2));

  // Choosing entry 0 reopens B; A moves to the front.
  window.Menus().Action(app::MenuEntry::Recent0)->trigger();
  EXPECT_EQ(window.Session().Document().file.documentPath, b);
  EXPECT_EQ(window.Settings().RecentFiles().Entries(), (QStringList{a, b}));
  EXPECT_EQ(window.Session().DataOpenFolder(), folder_.path());

  // Exit closes B, which heads the list written to the store.
  window.close();
  EXPECT_EQ(std::make_tuple(Stored(S("MRU List"), S("Item 00"))->text, Stored(S("MRU List"), S("Item 01"))->text,
                            Stored(S("MRU List"), S("Item 02")).has_value()),
            std::make_tuple(b, a, false));
}

TEST_F(MainWindowTest, RecentFilesComeBackAtTheNextStart) {
  store_.SetValue(ProgramKeyPath() + S("\\MRU List"), S("Item 00"), platform::RegistryValue::String(S("/x/R&D.kvf")));
  app::MainWindow& window = StartWith({});
  EXPECT_EQ(window.Settings().RecentFiles().Entries(), QStringList{S("/x/R&D.kvf")});
  EXPECT_EQ(Caption(app::MenuEntry::Recent0), S("&1 /x/R&&D.kvf"));
  EXPECT_FALSE(Visible(app::MenuEntry::Recent1));
  // Opening a missing recent file reports it and keeps the list.
  window.Menus().Action(app::MenuEntry::Recent0)->trigger();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].caption, S("Open Data File"));
  EXPECT_TRUE(window.Status().Text().isEmpty());
}

TEST_F(MainWindowTest, StatusAutoClearAndReplacement) {
  app::MainWindow& window = StartWith({});
  window.Status().ClearTimer()->setInterval(40);
  // A later text without auto-clear replaces the first one and stays.
  window.Status().SetStatus(BiText{S("First"), S("Första")}, true);
  window.Status().SetStatus(BiText{S("Second"), S("Andra")}, false);
  QTest::qWait(120);
  EXPECT_EQ(window.Status().Text(), S("Second"));
  window.Status().SetStatus(BiText{S("Working..."), S("Arbetar...")}, true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.Status().Text().isEmpty(); }, 2000));
}

TEST_F(MainWindowTest, ExitWritesSettingsPlacementAndTheOpenDocument) {
  app::MainWindow& window = StartWith({EnglishSample()});
  ASSERT_TRUE(window.Session().IsOpen());
  window.close();
  EXPECT_EQ(window.Status().Text(), S("Terminating application, please wait..."));
  EXPECT_FALSE(window.Session().IsOpen());
  EXPECT_EQ(std::make_tuple(Stored(S("MRU List"), S("Item 00"))->text,
                            Stored(S("Last Settings"), S("Data Open Folder"))->text,
                            Stored(S("Windows\\Main"), S("WState"))->dword),
            std::make_tuple(EnglishSample(), folder_.path(), 0u));
  EXPECT_TRUE(Stored(S("Last Settings"), S("Graph Window Width")) && Stored(S("Windows\\Main"), S("WWidth")));
}

TEST_F(MainWindowTest, StatusDoubleClickPutsTheIndexTableOnTheClipboard) {
  app::MainWindow& window = StartWith({EnglishSample()});
  QTest::mouseDClick(window.Status().Panel(0), Qt::LeftButton);
  EXPECT_GE(clipboard_.Writes(), 1);
  EXPECT_FALSE(clipboard_.Text().isEmpty());
  // A document without indexes has no table.
  window.Session().MutableDocument().info.indexDivisor = 0;
  const int writes = clipboard_.Writes();
  QTest::mouseDClick(window.Status().Panel(0), Qt::LeftButton);
  EXPECT_EQ(clipboard_.Writes(), writes);
}

// Sends a pointer move over widget at (in widget coordinates).
void MoveOver(QWidget* widget, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, modifiers);
  QApplication::sendEvent(widget, &move);
}

TEST_F(MainWindowTest, RestingPointerReportsTheCellAfterTheHoverTimer) {
  app::MainWindow& window = StartWith({EnglishSample()});
  struct HoverRecorder : app::SheetViewObserver {
    void CellHovered(const app::CellHit& hit) override { hits.push_back(hit); }
    std::vector<app::CellHit> hits;
  } recorder;
  window.AddSheetViewObserver(&recorder);
  MoveOver(window.Sheet(), CellCentre(2, 1));
  EXPECT_TRUE(window.ShowValuesTimer()->isActive());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.hits.empty(); }, 2000));
  EXPECT_EQ(std::make_tuple(recorder.hits[0].column, recorder.hits[0].rowItem),
            std::make_tuple(2, window.Session().View().Sheet().respondents[1]));
  // A move with a key held or a button down stops the timer without
  // starting it again; a move over the status bar stops it.
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
  const QImage shown = window.Sheet()->grab().toImage();
  // Window pixel (1 + x, 1 + y) shows sheet pixel (x, y).
  const QPoint header(3 * 16 + 4, 4);
  const QPoint body(3 * 16 + 4, sheet.headerRowCount * 16 + 4);
  EXPECT_EQ(shown.pixel(header + QPoint(1, 1)), SheetPixel(sheet, header));
  EXPECT_EQ(shown.pixel(body + QPoint(1, 1)), SheetPixel(sheet, body));
  window.Sheet()->Vertical()->setValue(7);
  const QImage scrolled = window.Sheet()->grab().toImage();
  EXPECT_EQ(scrolled.pixel(header + QPoint(1, 1)), SheetPixel(sheet, header));
  EXPECT_EQ(scrolled.pixel(body + QPoint(1, 1)), SheetPixel(sheet, body + QPoint(0, 7 * 16)));
  if (qEnvironmentVariableIsSet("KVF_SCREENSHOT")) window.grab().save(qEnvironmentVariable("KVF_SCREENSHOT"));
}

}  // namespace
}  // namespace kvf::testing
