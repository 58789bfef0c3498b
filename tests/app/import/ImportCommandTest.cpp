// File > Import... through the real kvf-make: the ANES 1996 subset with its
// codebook imports, the user's choices in the mapping dialog reach the
// document, and the document opens in the viewer.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

#include "ViewerFixture.h"
#include "app/import/ImportCommand.h"
#include "app/import/ImportMappingDialog.h"

namespace kvf::testing {
namespace {

class ImportCommandTest : public ViewerTest {
 protected:
  void SetUp() override {
    ViewerTest::SetUp();
    qputenv("KVF_MAKE_PROGRAM", KVF_MAKE_PROGRAM);
    for (const char* name : {"anes96.csv", "anes96-codebook.json"}) {
      ASSERT_TRUE(QFile::copy(QStringLiteral(KVF_IMPORT_DATA_DIR "/") + name, folder_.filePath(name)));
    }
  }
};

TEST_F(ImportCommandTest, AnesImportsWithTheUsersChoicesAndOpens) {
  app::MainWindow& window = MakeWindow();
  app::ImportCommand command(window);
  ASSERT_TRUE(command.Action()->isEnabled());
  command.runDialog = [](app::ImportMappingDialog& dialog) {
    QTableWidget* table = dialog.Table();
    EXPECT_EQ(table->rowCount(), 7);  // popul, age and income have too many values
    EXPECT_EQ(table->item(5, 0)->text(), QStringLiteral("educ"));
    EXPECT_EQ(table->item(4, 3)->checkState(), Qt::Checked);  // ordered scales are proposed as indexes
    table->item(5, 3)->setCheckState(Qt::Unchecked);           // educ does not count
    table->item(1, 4)->setText(QStringLiteral("Left-right"));
    table->item(2, 4)->setText(QStringLiteral("Left-right"));
    if (const QString shot = qEnvironmentVariable("KVF_SCREENSHOT_DIALOG"); !shot.isEmpty()) dialog.grab().save(shot);
    return true;
  };
  ASSERT_TRUE(command.Import(folder_.filePath(QStringLiteral("anes96.csv"))));
  const SurveyDocument& document = window.Session().Document();
  EXPECT_EQ(document.file.documentFileName, QStringLiteral("anes96.kvf"));
  EXPECT_EQ(document.RespondentCount(), 944);
  EXPECT_EQ(document.questions.size(), 7u);
  EXPECT_EQ(document.info.indexDivisor, 10);
  EXPECT_TRUE(document.questions[4].inTotalIndex);
  EXPECT_FALSE(document.questions[5].inTotalIndex);
  EXPECT_EQ(document.GetText(document.questions[6].text), QStringLiteral("Expected vote"));
  EXPECT_TRUE(document.questions[6].isDimension && !document.questions[5].isDimension);
  EXPECT_EQ(document.questions[1].primaryBlock, document.questions[2].primaryBlock);
  EXPECT_TRUE(window.ScreenSheet().present && messages_.empty());
  if (const QString shot = qEnvironmentVariable("KVF_SCREENSHOT"); !shot.isEmpty()) {
    window.resize(560, 420);  // the picture in the README
    QTest::qWait(50);
    window.grab().save(shot);
  }

  // Importing again asks before replacing; a refusal keeps the file.
  bool asked = false;
  command.confirmOverwrite = [&asked](const QString&) { return !(asked = true); };
  EXPECT_FALSE(command.Import(folder_.filePath(QStringLiteral("anes96.csv"))));
  EXPECT_TRUE(asked);
}

TEST_F(ImportCommandTest, RefusedInputIsReportedAndTheEntryFollowsOpen) {
  app::MainWindow& window = MakeWindow();
  QFile bad(folder_.filePath(QStringLiteral("bad.csv")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("a,b\n1\n");
  bad.close();
  app::ImportCommand command(window);
  EXPECT_FALSE(command.Import(bad.fileName()));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].icon, QMessageBox::Critical);
  EXPECT_FALSE(QFile::exists(folder_.filePath(QStringLiteral("bad.kvf"))));
  const QList<QAction*> file = window.Menus().Menu(app::MenuEntry::FileMenu)->actions();
  const qsizetype open = file.indexOf(window.Menus().Action(app::MenuEntry::Open));
  ASSERT_GE(open, 0);
  EXPECT_EQ(file[open + 1]->objectName(), QStringLiteral("Import"));
}

}  // namespace
}  // namespace kvf::testing
