#include "app/blocks/BlockEditWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/mainwindow/WaitCursor.h"
#include "core/settings/UserBlocks.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }
QString T(const char* english, const char* swedish) { return BiText{S(english), S(swedish)}.Get(); }

constexpr int kEntryRole = Qt::UserRole;
constexpr int kQuestionRole = Qt::UserRole + 1;

BlockEditPrompts DesktopPrompts(QWidget* parent) {
  BlockEditPrompts prompts;
  prompts.askText = [parent](const QString& title, const QString& prompt,
                             const QString& initial) -> std::optional<QString> {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
  };
  prompts.confirm = [parent](const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) ==
           QMessageBox::Ok;
  };
  prompts.critical = [parent](const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text);
  };
  return prompts;
}

}  // namespace

BlockEditWindow::BlockEditWindow(DocumentSession& session, platform::RegistryStore& store, Policies policies,
                                 QWidget* parent)
    : QDialog(parent),
      session_(session),
      store_(store),
      policies_(policies),
      editor_(BlockEditor::Load(session.Document())),
      prompts_(DesktopPrompts(this)) {
  setObjectName(QStringLiteral("BlockEditWindow"));
  setWindowTitle(T("Edit Blocks", "Redigera block"));
  setModal(true);
  const SurveyDocument& document = session.Document();

  lstBlocks_ = new QListWidget(this);
  lstBlocks_->setObjectName(QStringLiteral("lstBlocks"));
  for (int32_t k = 0; k < editor_.EntryCount(); ++k) {
    auto* item = new QListWidgetItem(editor_.Entries()[static_cast<size_t>(k)].name, lstBlocks_);
    item->setData(kEntryRole, k);
  }
  auto* cmdAddBlock = new QPushButton(T("&Add", "&Lägg till"), this);
  cmdAddBlock->setObjectName(QStringLiteral("cmdAddBlock"));
  cmdRenameBlock_ = new QPushButton(T("&Rename", "&Byt namn"), this);
  cmdRenameBlock_->setObjectName(QStringLiteral("cmdRenameBlock"));
  cmdDeleteBlock_ = new QPushButton(T("&Delete", "&Ta bort"), this);
  cmdDeleteBlock_->setObjectName(QStringLiteral("cmdDeleteBlock"));
  auto* cmdOK = new QPushButton(S("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  auto* cmdCancel = new QPushButton(T("Cancel", "Avbryt"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

  auto* lblNameLabel = new QLabel(T("Name:", "Namn:"), this);
  lblName_ = new QLabel(this);
  lblName_->setObjectName(QStringLiteral("lblName"));
  lblName_->setTextFormat(Qt::PlainText);
  auto* lblIncludeInCopyLabel = new QLabel(T("Include in copy:", "Ingår i kopiera:"), this);
  chkIncludeInCopy_ = new QCheckBox(T("&Yes", "&Ja"), this);
  chkIncludeInCopy_->setObjectName(QStringLiteral("chkIncludeInCopy"));
  lstQuestions_ = new QListWidget(this);
  lstQuestions_->setObjectName(QStringLiteral("lstQuestions"));
  lstQuestionsOriginal_ = new QListWidget(this);
  lstQuestionsOriginal_->setObjectName(QStringLiteral("lstQuestionsOriginal"));
  lstQuestionsOriginal_->hide();
  auto* lblQuestionsLabel = new QLabel(T("&Questions:", "&Frågor:"), this);
  lblQuestionsLabel->setBuddy(lstQuestions_);
  lblQuestionFullText_ = new QLabel(this);
  lblQuestionFullText_->setObjectName(QStringLiteral("lblQuestionFullText"));
  lblQuestionFullText_->setTextFormat(Qt::PlainText);
  lblQuestionFullText_->setWordWrap(true);
  lblQuestionFullText_->setMinimumHeight(fontMetrics().height() * 3);
  lblQuestionFullText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  for (const int32_t q : document.overviewQuestions) {
    const Question* question = document.QuestionAt(q);
    if (!question) continue;
    auto* item = new QListWidgetItem(document.GetText(question->name), lstQuestions_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(kQuestionRole, q);
  }

  // Rename, Delete, the check box and the question list start disabled.
  cmdRenameBlock_->setEnabled(false);
  cmdDeleteBlock_->setEnabled(false);
  chkIncludeInCopy_->setEnabled(false);
  lstQuestions_->setEnabled(false);

  auto* left = new QVBoxLayout;
  left->addWidget(lstBlocks_, 1);
  auto* editButtons = new QHBoxLayout;
  editButtons->addWidget(cmdAddBlock);
  editButtons->addWidget(cmdRenameBlock_);
  editButtons->addWidget(cmdDeleteBlock_);
  left->addLayout(editButtons);
  auto* right = new QGridLayout;
  right->addWidget(lblNameLabel, 0, 0);
  right->addWidget(lblName_, 0, 1);
  right->addWidget(lblIncludeInCopyLabel, 1, 0);
  right->addWidget(chkIncludeInCopy_, 1, 1);
  right->addWidget(lblQuestionsLabel, 2, 0, 1, 2);
  right->addWidget(lstQuestions_, 3, 0, 1, 2);
  right->addWidget(lstQuestionsOriginal_, 3, 0, 1, 2);  // one of the two lists shows
  right->addWidget(lblQuestionFullText_, 4, 0, 1, 2);
  right->setRowStretch(3, 1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 2);
  columns->addLayout(right, 3);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(cmdOK);
  bottom->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(bottom);
  resize(640, 440);

  connect(lstBlocks_, &QListWidget::currentRowChanged, this, [this] { SelectBlock(); });
  connect(lstQuestions_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { QuestionChanged(item); });
  connect(lstQuestions_, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* item) { ShowQuestionText(item); });
  connect(lstQuestionsOriginal_, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* item) { ShowQuestionText(item); });
  connect(chkIncludeInCopy_, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) editor_.SetIncludeInCopy(SelectedEntry(), on);
  });
  connect(cmdAddBlock, &QPushButton::clicked, this, &BlockEditWindow::AddBlock);
  connect(cmdRenameBlock_, &QPushButton::clicked, this, &BlockEditWindow::RenameBlock);
  connect(cmdDeleteBlock_, &QPushButton::clicked, this, &BlockEditWindow::DeleteBlock);
  connect(cmdOK, &QPushButton::clicked, this, &BlockEditWindow::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &BlockEditWindow::reject);
}

int32_t BlockEditWindow::SelectedEntry() const {
  const QListWidgetItem* item = lstBlocks_->currentItem();
  return item ? item->data(kEntryRole).toInt() : -1;
}

void BlockEditWindow::SelectRow(int row) {
  lstBlocks_->setCurrentRow(row);
  SelectBlock();
}

void BlockEditWindow::SelectBlock() {
  const int32_t k = SelectedEntry();
  if (k < 0 || k >= editor_.EntryCount()) {  // the list is empty: nothing to edit
    lblName_->clear();
    lblQuestionFullText_->clear();
    for (QWidget* control : std::initializer_list<QWidget*>{chkIncludeInCopy_, lstQuestions_, lstQuestionsOriginal_,
                                                            cmdRenameBlock_, cmdDeleteBlock_})
      control->setEnabled(false);
    return;
  }
  const BlockEntry& entry = editor_.Entries()[static_cast<size_t>(k)];
  const SurveyDocument& document = session_.Document();
  filling_ = true;
  lblName_->setText(entry.name);
  chkIncludeInCopy_->setChecked(entry.includeInCopy);
  chkIncludeInCopy_->setEnabled(true);
  lblQuestionFullText_->clear();
  if (!entry.fromFile) {
    for (int i = 0; i < lstQuestions_->count(); ++i) {
      QListWidgetItem* item = lstQuestions_->item(i);
      item->setCheckState(editor_.IsMember(k, item->data(kQuestionRole).toInt()) ? Qt::Checked : Qt::Unchecked);
    }
    lstQuestions_->show();
    lstQuestions_->setEnabled(true);
    lstQuestionsOriginal_->hide();
  } else {
    lstQuestionsOriginal_->clear();
    for (const int32_t q : editor_.Members(k)) {
      const Question* question = document.QuestionAt(q);
      if (!question || !question->isOverviewQuestion) continue;
      auto* item = new QListWidgetItem(document.GetText(question->name), lstQuestionsOriginal_);
      item->setData(kQuestionRole, q);
    }
    lstQuestionsOriginal_->show();
    lstQuestionsOriginal_->setEnabled(true);
    lstQuestions_->hide();
  }
  cmdRenameBlock_->setEnabled(!entry.fromFile);
  cmdDeleteBlock_->setEnabled(!entry.fromFile);
  filling_ = false;
}

void BlockEditWindow::QuestionChanged(QListWidgetItem* item) {
  if (filling_ || !item) return;
  editor_.SetMember(SelectedEntry(), item->data(kQuestionRole).toInt(), item->checkState() == Qt::Checked);
}

void BlockEditWindow::ShowQuestionText(QListWidgetItem* item) {
  const Question* question = item ? session_.Document().QuestionAt(item->data(kQuestionRole).toInt()) : nullptr;
  lblQuestionFullText_->setText(question ? session_.Document().GetText(question->text) : QString());
}

void BlockEditWindow::AddBlock() {
  const QString title = AddBlockTitle().Get();
  const std::optional<QString> name = prompts_.askText(
      title, T("Enter a unique name for the new block:", "Ange ett unikt namn på det nya blocket:"), QString());
  if (!name || name->isEmpty()) return;
  const Result<int32_t> added = editor_.Add(*name);
  if (!added) {
    prompts_.critical(title, added.Error().Text());
    return;
  }
  auto* item = new QListWidgetItem(*name, lstBlocks_);
  item->setData(kEntryRole, added.Value());
  SelectRow(lstBlocks_->count() - 1);
}

void BlockEditWindow::RenameBlock() {
  const int32_t k = SelectedEntry();
  if (k < 0) return;
  const QString title = RenameBlockTitle().Get();
  const std::optional<QString> name =
      prompts_.askText(title, T("Enter the block's new name:", "Ange blockets nya namn:"),
                       editor_.Entries()[static_cast<size_t>(k)].name);
  if (!name) return;
  if (const Status renamed = editor_.Rename(k, *name); !renamed) {
    prompts_.critical(title, renamed.Text());
    return;
  }
  const QString& now = editor_.Entries()[static_cast<size_t>(k)].name;
  lstBlocks_->currentItem()->setText(now);
  lblName_->setText(now);
}

void BlockEditWindow::DeleteBlock() {
  const int32_t k = SelectedEntry();
  if (k < 0) return;
  const BlockEntry entry = editor_.Entries()[static_cast<size_t>(k)];
  if (!prompts_.confirm(DeleteBlockTitle().Get(), DeleteBlockQuestion(entry.name).Get())) return;
  if (const Status deleted = editor_.Delete(k); !deleted) {
    prompts_.critical(DeleteBlockTitle().Get(), deleted.Text());
    return;
  }
  const int row = lstBlocks_->currentRow();
  if (entry.state == kBlockAdded)  // the entry left the working copy: later entries move up
    for (int i = row + 1; i < lstBlocks_->count(); ++i)
      lstBlocks_->item(i)->setData(kEntryRole, lstBlocks_->item(i)->data(kEntryRole).toInt() - 1);
  delete lstBlocks_->takeItem(row);
  SelectRow(std::min(row, lstBlocks_->count() - 1));
}

void BlockEditWindow::accept() {
  WaitCursor wait;
  if (const Status committed = editor_.Commit(session_.MutableDocument(), session_.View().Flex().respondents);
      !committed) {
    prompts_.critical(windowTitle(), committed.Text());
    return;
  }
  // A settings key that cannot be written leaves the definitions unsaved;
  // the blocks in memory are updated all the same.
  WriteBlockDefinitions(store_, policies_, session_.Document());
  QDialog::accept();
}

}  // namespace kvf::app
