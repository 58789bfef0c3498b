// The output commands on the sample: the copies, Copy Indexes' windows,
// the mini-overview pool and Save Overview As.
#include <QDir>
#include <QTest>

#include "ViewerFixture.h"
#include "app/output/IndexExportProgressWindow.h"
#include "app/output/IndexExportSetupDialog.h"
#include "app/output/MiniOverviewSizing.h"
#include "app/output/MiniOverviewWindow.h"
#include "app/output/OutputCommands.h"

namespace kvf::testing {
namespace {

using app::MenuEntry;
using app::OutputCommands;

OutputCommands& Commands(app::MainWindow& window) { return *window.findChild<OutputCommands*>(); }

TEST_F(ViewerTest, CopiesPutThePictureAndTheTextsOnTheClipboard) {
  app::MainWindow& window = StartWith({EnglishSample()});
  window.Menus().Action(MenuEntry::Copy)->trigger();
  const platform::ClipboardEntry full = clipboard_.Entry();
  EXPECT_EQ(full.Format(QStringLiteral("image/x-emf")).mid(40, 4), QByteArray(" EMF"));
  EXPECT_TRUE(full.Format(QStringLiteral("image/png")).startsWith("\x89PNG"));
  EXPECT_TRUE(full.Format(QStringLiteral("image/svg+xml")).contains("<svg"));
  EXPECT_EQ(window.Status().Text(), QStringLiteral("Overview copied!"));
  window.Menus().Action(MenuEntry::PopupCopyHeadersAndTotals)->trigger();
  EXPECT_LT(clipboard_.Entry().Format(QStringLiteral("image/emf")).size(),
            full.Format(QStringLiteral("image/emf")).size());
  window.Menus().Action(MenuEntry::CopyData)->trigger();
  EXPECT_EQ(clipboard_.Text().count(QStringLiteral("\r\n")) + 1,
            static_cast<qsizetype>(window.Session().View().Sheet().respondents.size()));
  EXPECT_EQ(window.Status().Text(), QStringLiteral("Overview data copied!"));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ViewerTest, CopyIndexesSetUpKeepsItsChoicesAndCancelKeepsTheClipboard) {
  app::MainWindow& window = StartWith({EnglishSample()});
  const SurveyDocument& document = window.Session().Document();
  IndexExportSettings kept;
  IndexExportSettings exported;
  {
    app::IndexExportSetupDialog dialog(document, kept, [&](const IndexExportSettings& s) { exported = s; });
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_TRUE(dialog.Group(2)->isEnabled());  // the sample labels its sub-block line
    dialog.Categories()->item(1)->setSelected(true);
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.Group(3)->setChecked(true);
    EXPECT_TRUE(dialog.OkButton()->isEnabled() && dialog.FullTextBox()->isEnabled());
    dialog.OkButton()->click();
  }
  EXPECT_EQ(kept.categories, std::vector<int32_t>{document.dimensions[1]});
  EXPECT_TRUE(exported.groups[3] && !exported.totalSubSelection);
  app::IndexExportSetupDialog again(document, kept, {});
  EXPECT_TRUE(again.Group(3)->isChecked() && again.Categories()->item(1)->isSelected());

  const std::vector<int32_t>& respondents = window.Session().View().Sheet().respondents;
  app::IndexExportProgressWindow cancelled(document, respondents, QStringLiteral("D"), kept, clipboard_);
  QMetaObject::invokeMethod(
      &cancelled, [&] { cancelled.Cancel(); }, Qt::QueuedConnection);
  cancelled.Run();
  EXPECT_FALSE(cancelled.Copied());
  EXPECT_EQ(clipboard_.Writes(), 0);
  EXPECT_EQ(cancelled.Activity()->text(), QStringLiteral("Canceling copy..."));
  app::IndexExportProgressWindow done(document, respondents, QStringLiteral("D"), kept, clipboard_);
  done.Run();
  EXPECT_TRUE(done.Copied());
  EXPECT_EQ(done.Progress()->value(), done.Progress()->maximum());
  EXPECT_TRUE(clipboard_.Text().startsWith(QStringLiteral("D\t")));

  Commands(window).SetIndexDialog([] { return false; });
  window.Menus().Action(MenuEntry::CopyIndexes)->trigger();
  EXPECT_EQ(window.Status().Text(), QStringLiteral("Copying of indexes was canceled!"));
}

TEST_F(ViewerTest, MiniOverviewsComeFromAPoolOfTen) {
  app::MainWindow& window = StartWith({EnglishSample()});
  std::vector<app::MiniOverviewWindow*> made;
  for (int i = 0; i < 11; ++i) made.push_back(Commands(window).CopyToMiniOverview());
  ASSERT_TRUE(made[0] != nullptr && made[0]->HasData() && made[0]->isVisible());
  EXPECT_EQ(made[10], made[0]);  // all open: the one used longest ago
  EXPECT_EQ(made[0]->windowTitle(), window.Session().View().Sheet().description);
  made[4]->close();
  EXPECT_FALSE(made[4]->HasData());
  EXPECT_EQ(Commands(window).CopyToMiniOverview(), made[4]);
  EXPECT_EQ(made[4]->Sheet()->Grid().cellSize, 8);
  EXPECT_EQ(window.Status().Text(), QStringLiteral("Overview copied to mini-overview!"));
}

TEST(MiniOverviewSizing, NeverEnlargesAndFitsWhereItCan) {
  const QSize bars(15, 17);
  // (current, sheet) -> size
  EXPECT_EQ(app::MiniOverviewClientSize({400, 300}, {100, 50}, bars), QSize(102, 52));
  EXPECT_EQ(app::MiniOverviewClientSize({400, 300}, {500, 50}, bars), QSize(400, 69));
  EXPECT_EQ(app::MiniOverviewClientSize({400, 60}, {500, 500}, bars), QSize(400, 60));
  EXPECT_EQ(app::MiniOverviewClientSize({400, 300}, {100, 500}, bars), QSize(117, 300));
}

TEST_F(ViewerTest, SaveOverviewAsWritesTheFiltersFormatWhateverTheName) {
  app::MainWindow& window = StartWith({EnglishSample()});
  const QString path = folder_.filePath(QStringLiteral("o.emf"));
  app::SaveOverviewSetup seen;
  Commands(window).SetSaveDialog([&](const app::SaveOverviewSetup& setup) {
    seen = setup;
    return OutputCommands::SaveChoice{path, 2};
  });
  window.Menus().Action(MenuEntry::SaveAs)->trigger();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(4), QByteArray("\xD7\xCD\xC6\x9A", 4));  // placeable WMF
  EXPECT_EQ(std::tuple(seen.title, seen.proposedFilter), std::tuple(QStringLiteral("Save Overview"), 1));
  EXPECT_EQ(window.Settings().Last().graphSaveFormat, 2);
  EXPECT_EQ(window.Status().Text(), QStringLiteral("Overview saved!"));
  Commands(window).SetSaveDialog([&](const app::SaveOverviewSetup&) { return OutputCommands::SaveChoice{path, 0}; });
  window.Menus().Action(MenuEntry::PopupSaveAs)->trigger();
  ASSERT_EQ(messages_.size(), 1U);
  EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
  // A folder that is gone gives way to Pictures; formats 3..7 propose EMF.
  const app::SaveOverviewSetup gone = app::MakeSaveOverviewSetup(true, folder_.filePath("gone"), "/pics", 5);
  EXPECT_EQ(std::tuple(gone.folder, gone.proposedFilter, gone.title), std::tuple("/pics", 1, "Spara översikt"));
  EXPECT_EQ(app::MakeSaveOverviewSetup(false, QString(), "/pics", 9).proposedFilter, 0);
}

}  // namespace
}  // namespace kvf::testing
