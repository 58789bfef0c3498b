#include "app/blocks/BlockEditCommand.h"

#include "app/mainwindow/WaitCursor.h"

namespace kvf::app {

BlockEditCommand* BlockEditCommand::Attach(MainWindow& main) {
  auto* command = new BlockEditCommand(main);
  command->run_ = [](BlockEditWindow& window) { return window.exec(); };
  main.Menus().Connect(MenuEntry::EditBlocks, [command] { command->EditBlocks(); });
  return command;
}

void BlockEditCommand::EditBlocks() {
  if (!main_.Session().IsOpen()) return;
  main_.Status().SetStatus(BiText{QStringLiteral("Editing blocks..."), QStringLiteral("Redigerar block...")}, false);
  bool accepted = false;
  {
    WaitCursor wait;
    BlockEditWindow window(main_.Session(), *main_.Environment().store, main_.Environment().policies, &main_);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    accepted = run_(window) == QDialog::Accepted;
    QApplication::restoreOverrideCursor();
  }
  if (accepted) main_.Session().NotifyBlocksChanged();
  main_.Status().ClearStatus();
}

}  // namespace kvf::app
