#include "app/comments/CommentCommands.h"

#include "app/mainwindow/WaitCursor.h"
#include "core/comments/CommentsRtf.h"

namespace kvf::app {

CommentCommands* CommentCommands::Attach(MainWindow& main) {
  auto* commands = new CommentCommands(main);
  commands->popUp_ = new TextPopUpWindow(&main);
  commands->popUp_->hide();
  commands->show_ = [](TextPopUpWindow& popUp) { popUp.exec(); };
  MainWindow* host = &main;
  main.Menus().Connect(MenuEntry::Comments, [commands] { commands->ShowAllComments(); });
  main.Menus().Connect(MenuEntry::PopupRowsComments,
                       [commands, host] { commands->ShowRowsComments(host->PopupRowItem()); });
  main.Menus().Connect(MenuEntry::PopupColumnsComments,
                       [commands, host] { commands->ShowColumnsComments(host->PopupQuestion()); });
  return commands;
}

void CommentCommands::Show(const QString& title, const QString& rtf) {
  popUp_->SetRtf(rtf);
  popUp_->setWindowTitle(title);
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  show_(*popUp_);
  QApplication::restoreOverrideCursor();
}

void CommentCommands::ShowRowsComments(int32_t respondent) {
  WaitCursor wait;
  main_.Status().SetStatus(RowCommentsStatus(), false);
  const DocumentSession& session = main_.Session();
  const QString rtf = RowCommentsRtf(session.Document(), session.View().Sheet(), respondent);
  if (!rtf.isEmpty()) Show(RowCommentsTitle().Get(), rtf);
  main_.Status().ClearStatus();
}

void CommentCommands::ShowColumnsComments(int32_t question) {
  WaitCursor wait;
  main_.Status().SetStatus(ColumnCommentsStatus(), false);
  const DocumentSession& session = main_.Session();
  const QString rtf = ColumnCommentsRtf(session.Document(), session.View().Sheet(), question);
  if (!rtf.isEmpty()) Show(ColumnCommentsTitle().Get(), rtf);
  main_.Status().ClearStatus();
}

void CommentCommands::ShowAllComments() {
  main_.Status().SetStatus(AllCommentsStatus(), false);
  const DocumentSession& session = main_.Session();
  QString rtf;
  {
    WaitCursor wait;
    rtf = AllCommentsRtf(session.Document(), session.View().Sheet());
  }
  if (rtf.isEmpty())
    main_.ShowMessage(QMessageBox::Warning, ShowCommentsCaption().Get(), NoCommentsText().Get());
  else
    Show(AllCommentsTitle().Get(), rtf);
  main_.Status().ClearStatus();
}

}  // namespace kvf::app
