#pragma once
// Tools > Edit Blocks: the modal dialog in which the user adds, renames and
// deletes user blocks, checks their member questions and sets every block's
// "Include in copy". It edits a BlockEditor working copy; OK commits it into
// the document (indexes recomputed over the flex total) and writes the
// block definitions to the settings store unless saving is off; Cancel and
// the close box discard it.
//
// The input and message boxes go through replaceable functions so that
// tests can answer them.
//
// Ownership: the session and the store must outlive the dialog.
#include <QDialog>
#include <functional>
#include <optional>

#include "core/blocks/BlockEditor.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramKey.h"
#include "platform/registry/RegistryStore.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kvf::app {

struct BlockEditPrompts {
  // An input box: nullopt on Cancel.
  std::function<std::optional<QString>(const QString& title, const QString& prompt, const QString& initial)> askText;
  // A box with OK and Cancel: true on OK.
  std::function<bool(const QString& title, const QString& text)> confirm;
  // A box with the critical icon.
  std::function<void(const QString& title, const QString& text)> critical;
};

class BlockEditWindow : public QDialog {
  Q_OBJECT
 public:
  // REQUIRES: a document is open in session.
  BlockEditWindow(DocumentSession& session, platform::RegistryStore& store, Policies policies,
                  QWidget* parent = nullptr);

  // Message boxes of the real desktop; tests replace them.
  void SetPrompts(BlockEditPrompts prompts) { prompts_ = std::move(prompts); }
  const BlockEditor& Editor() const { return editor_; }

  // The buttons' actions (also reachable by tests).
  void AddBlock();
  void RenameBlock();
  void DeleteBlock();
  void accept() override;

 private:
  void SelectBlock();
  void QuestionChanged(QListWidgetItem* item);
  void ShowQuestionText(QListWidgetItem* item);
  int32_t SelectedEntry() const;
  void SelectRow(int row);

  DocumentSession& session_;
  platform::RegistryStore& store_;
  Policies policies_;
  BlockEditor editor_;
  BlockEditPrompts prompts_;
  bool filling_ = false;

  QListWidget* lstBlocks_ = nullptr;
  QLabel* lblName_ = nullptr;
  QCheckBox* chkIncludeInCopy_ = nullptr;
  QListWidget* lstQuestions_ = nullptr;
  QListWidget* lstQuestionsOriginal_ = nullptr;
  QLabel* lblQuestionFullText_ = nullptr;
  QPushButton* cmdRenameBlock_ = nullptr;
  QPushButton* cmdDeleteBlock_ = nullptr;
};

}  // namespace kvf::app
