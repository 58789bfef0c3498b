// Tools > Edit Blocks and the comment commands plugged into a main window
// with the sample document: the dialog's controls and boxes, OK rebuilding
// the block-graph menus and the settings, and the rich-text pop-up.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "ViewerFixture.h"
#include "app/blocks/BlockEditCommand.h"
#include "app/comments/CommentCommands.h"
#include "core/settings/UserBlocks.h"

namespace kvf::testing {
namespace {

using app::BlockEditWindow;
using app::MenuEntry;

class BlockCommentWindowsTest : public ViewerTest {};

TEST_F(BlockCommentWindowsTest, EditBlocksAddsAUserBlockOnOk) {
  app::MainWindow& main = StartWith({EnglishSample()});
  auto* command = app::BlockEditCommand::Attach(main);
  ASSERT_TRUE(Enabled(MenuEntry::EditBlocks));
  const int fileBlocks = static_cast<int>(main.Session().Document().blocks.size());
  const size_t histogramItems = main.BlockGraphMenus().histogram.size();
  std::vector<QString> shown;
  command->SetRunFunction([&](BlockEditWindow& window) {
    EXPECT_EQ(main.Status().Text(), QStringLiteral("Editing blocks..."));
    auto* blocks = window.findChild<QListWidget*>(QStringLiteral("lstBlocks"));
    auto* questions = window.findChild<QListWidget*>(QStringLiteral("lstQuestions"));
    auto* rename = window.findChild<QPushButton*>(QStringLiteral("cmdRenameBlock"));
    EXPECT_EQ(blocks->count(), fileBlocks);
    EXPECT_FALSE(rename->isEnabled() || questions->isEnabled());
    app::BlockEditPrompts prompts;
    prompts.askText = [&](const QString& title, const QString& prompt, const QString&) -> std::optional<QString> {
      shown.push_back(title + QLatin1Char('|') + prompt);
      return shown.size() == 1 ? QStringLiteral("Mine") : QStringLiteral("mine");
    };
    prompts.critical = [&](const QString& title, const QString& text) {
      shown.push_back(title + QLatin1Char('|') + text);
    };
    window.SetPrompts(prompts);
    window.AddBlock();
    EXPECT_EQ(blocks->currentRow(), fileBlocks);
    EXPECT_TRUE(rename->isEnabled() && !questions->isHidden());
    questions->item(0)->setCheckState(Qt::Checked);
    window.AddBlock();  // "mine" is taken
    window.accept();
    return window.result();
  });
  main.Menus().Action(MenuEntry::EditBlocks)->trigger();

  EXPECT_EQ(shown, (std::vector<QString>{"Add Block|Enter a unique name for the new block:",
                                         "Add Block|Enter a unique name for the new block:",
                                         "Add Block|There already exists a block with the name \"mine\"!"}));
  const SurveyDocument& document = main.Session().Document();
  ASSERT_EQ(document.blocks.size(), static_cast<size_t>(fileBlocks) + 1);
  EXPECT_EQ(document.BlockName(fileBlocks), QStringLiteral("Mine"));
  EXPECT_TRUE(store_.KeyExists(DocumentKeyPath(document) + QLatin1Char('\\') + BlockKeyName(fileBlocks)));
  // The member's histogram bit puts the block into the rebuilt submenu.
  EXPECT_EQ(main.BlockGraphMenus().histogram.size(), histogramItems + 1);
  EXPECT_TRUE(main.Status().Text().isEmpty());
}

TEST_F(BlockCommentWindowsTest, CommentsShowInThePopUp) {
  app::MainWindow& main = StartWith({EnglishSample()});
  auto* comments = app::CommentCommands::Attach(main);
  QString title;
  QString text;
  comments->SetShowFunction([&](app::TextPopUpWindow& popUp) {
    title = popUp.windowTitle();
    text = popUp.View()->toPlainText();
  });
  ASSERT_TRUE(Enabled(MenuEntry::Comments));
  main.Menus().Action(MenuEntry::Comments)->trigger();
  EXPECT_EQ(title, QStringLiteral("All Comments"));
  EXPECT_TRUE(text.startsWith(QStringLiteral("I appreciate being able to work from home two days a week.\n\n")));
  comments->ShowRowsComments(1);
  EXPECT_EQ(title, QStringLiteral("Show Row's Comments"));
  EXPECT_TRUE(text.startsWith(QStringLiteral("Radkommentar\nI appreciate"))) << text.toStdString();
  // Close only hides the window.
  comments->PopUp()->show();
  QTest::mouseClick(comments->PopUp()->findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
  EXPECT_FALSE(comments->PopUp()->isVisible());
  EXPECT_EQ(comments->PopUp()->View()->toPlainText(), text);
}

}  // namespace
}  // namespace kvf::testing
