#pragma once
// View > Comments and the pop-up's Show Row's Comments / Show Column's
// Comments: each composes the comments as rich text (core/comments) and
// shows them modally in the one TextPopUpWindow, with the status texts of
// the command while it runs. Nothing to show for a row or a column shows
// nothing; View > Comments then tells "Could not find any comments!".
//
// Ownership: the object and the pop-up are children of the main window.
#include <QObject>
#include <functional>

#include "app/comments/TextPopUpWindow.h"
#include "app/mainwindow/MainWindow.h"

namespace kvf::app {

class CommentCommands : public QObject {
  Q_OBJECT
 public:
  // Makes the hidden pop-up and connects the three entries.
  // REQUIRES: called once per main window.
  static CommentCommands* Attach(MainWindow& main);

  TextPopUpWindow* PopUp() const { return popUp_; }
  // How the filled pop-up is shown (modally by default); tests replace it.
  void SetShowFunction(std::function<void(TextPopUpWindow&)> show) { show_ = std::move(show); }

  void ShowAllComments();
  void ShowRowsComments(int32_t respondent);
  void ShowColumnsComments(int32_t question);

 private:
  explicit CommentCommands(MainWindow& main) : QObject(&main), main_(main) {}
  void Show(const QString& title, const QString& rtf);

  MainWindow& main_;
  TextPopUpWindow* popUp_ = nullptr;
  std::function<void(TextPopUpWindow&)> show_;
};

}  // namespace kvf::app
