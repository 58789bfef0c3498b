// The detail information window in the viewer: set up on loading, filled
// by the hover timer, reset by a new sheet, laid out for its labels, hidden
// by its close box, placed where it was.
#include <QMouseEvent>
#include <QTest>

#include "SelectionWindowsTest.h"
#include "core/settings/ProgramKey.h"
#include "core/text/Language.h"

namespace kvf::testing {
namespace {

class DetailInfoWindowTest : public SelectionWindowsTest {
 protected:
  app::DetailInfoWindow& Detail() { return *windows_->Detail(); }
  // Rests the pointer on a cell of the screen sheet and lets the hover timer fire.
  void RestOn(int column, int sheetRow) {
    const app::SheetGrid grid = window_->Sheet()->Grid();
    const QPointF point(1 + column * grid.cellSize + grid.cellSize / 2.0, 1 + sheetRow * grid.rowHeight + grid.rowHeight / 2.0);
    QMouseEvent move(QEvent::MouseMove, point, window_->Sheet()->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(window_->Sheet(), &move);
    ASSERT_TRUE(window_->ShowValuesTimer()->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window_->ShowValuesTimer()->isActive(); }, 2000));
  }
};

TEST_F(DetailInfoWindowTest, SetUpOnLoadingWithTheDocumentsLabelsInTheLanguage) {
  Open(WriteSurvey());
  EXPECT_TRUE(Detail().isVisible());
  EXPECT_TRUE(window_->Menus().Action(app::MenuEntry::DetailInfo)->isChecked());
  EXPECT_EQ(Detail().windowTitle(), QStringLiteral("Detail Information"));
  EXPECT_EQ(Detail().IndexText(0), QStringLiteral("Respondent index"));
  EXPECT_FALSE(Detail().findChild<QLabel*>(QStringLiteral("indexLabel2"))->isVisibleTo(&Detail()))
      << "the document has no sub-block label";
  // Poor, Fair and Good (1, 2, 3) four times each.
  EXPECT_EQ(std::make_tuple(Detail().IndexValue(4, false), Detail().IndexValue(0, false), Detail().HeaderValue(2)),
            std::make_tuple(QStringLiteral("2.0"), QStringLiteral("-"), QString()));
  SetSwedish(true);
  Open(WriteSurvey());
  EXPECT_EQ(Detail().windowTitle(), QStringLiteral("Detaljinformation"));
  EXPECT_EQ(Detail().findChild<QLabel*>(QStringLiteral("selectionCaption"))->text(), QStringLiteral("Urval"));
}

TEST_F(DetailInfoWindowTest, WithoutAStoredPlacementTheContentFits) {
  Open(WriteSurvey());
  EXPECT_GE(Detail().width(), Detail().sizeHint().width());
  EXPECT_GE(Detail().height(), Detail().minimumSizeHint().height());
}

TEST_F(DetailInfoWindowTest, HoverFillsAndANewSheetResets) {
  app::SelectionWindows& windows = Open(WriteSurvey());
  ASSERT_EQ(window_->Sheet()->Grid().headerRowCount, 2);
  RestOn(0, 2);  // respondent 0
  EXPECT_EQ(std::make_tuple(Detail().HeaderValue(0), Detail().HeaderValue(2), Detail().TextValue()),
            std::make_tuple(QStringLiteral("Work"), QStringLiteral("Rating"),
                            QStringLiteral("How do you rate it?\r\n\r\nPoor")));
  EXPECT_EQ(Detail().findChild<QPlainTextEdit*>(QStringLiteral("text"))->toPlainText(),
            QStringLiteral("How do you rate it?\n\nPoor"));
  EXPECT_EQ(Detail().IndexValue(0, false), QStringLiteral("1.0"));
  EXPECT_EQ(Detail().findChild<QLabel*>(QStringLiteral("indexValue0"))->text(), QStringLiteral("1.0"));

  // Show builds a new sheet: the window is reset.
  RestOn(0, 3);
  ASSERT_EQ(Detail().HeaderValue(2), QStringLiteral("Rating"));
  ClickCheckBox(QStringLiteral("A0-0"));
  QTest::mouseClick(windows.Navigator()->ShowButton(), Qt::LeftButton);
  // South and West: Fair and Good.
  EXPECT_EQ(std::make_tuple(Detail().HeaderValue(2), Detail().IndexValue(0, false), Detail().IndexValue(4, false)),
            std::make_tuple(QString(), QStringLiteral("-"), QStringLiteral("2.5")));
  // Resizing the main window resets it too; closing the document empties and hides it.
  Open(WriteSurvey());
  RestOn(0, 2);
  ASSERT_EQ(Detail().HeaderValue(2), QStringLiteral("Rating"));
  window_->resize(window_->width() + 40, window_->height() + 40);
  QApplication::processEvents();
  EXPECT_EQ(std::make_tuple(Detail().HeaderValue(2), Detail().IndexValue(4, false)),
            std::make_tuple(QString(), QStringLiteral("2.0")));
  Open(WriteSurvey());
  RestOn(0, 2);
  window_->Session().CloseDocument();
  EXPECT_FALSE(Detail().isVisible());
  EXPECT_EQ(std::make_tuple(Detail().HeaderValue(2), Detail().IndexText(0), Detail().IndexValue(4, false)),
            std::make_tuple(QString(), QString(), QString()));
}

TEST_F(DetailInfoWindowTest, UpdateShowsRowsWithLabelsAndFitsTheHeight) {
  Open(WriteSurvey());
  QLabel* label = Detail().findChild<QLabel*>(QStringLiteral("indexLabel2"));
  const int before = Detail().height();
  Detail().SetIndexText(2, QStringLiteral("Sub-block index"));
  Detail().Update();
  EXPECT_TRUE(label->isVisibleTo(&Detail()));
  EXPECT_GT(Detail().height(), before);
  Detail().SetIndexText(2, QString());
  Detail().Update();
  EXPECT_FALSE(label->isVisibleTo(&Detail()));
  EXPECT_EQ(Detail().height(), before);
  EXPECT_GE(Detail().width(), Detail().minimumWidth());
}

TEST_F(DetailInfoWindowTest, CloseHidesStoresThePlacementAndTheViewEntryShowsIt) {
  Open(WriteSurvey());
  QAction* entry = window_->Menus().Action(app::MenuEntry::DetailInfo);
  Detail().move(120, 90);
  const QRect placed = Detail().geometry();
  Detail().close();
  EXPECT_FALSE(Detail().isVisible());
  EXPECT_FALSE(entry->isChecked());
  entry->trigger();
  EXPECT_TRUE(Detail().isVisible());

  app::DetailInfoWindow another(window_->Session(), OpenProgramKey(store_).key, Policies());
  EXPECT_EQ(another.geometry().topLeft(), placed.topLeft());
  EXPECT_EQ(another.size(), placed.size());
}

}  // namespace
}  // namespace kvf::testing
