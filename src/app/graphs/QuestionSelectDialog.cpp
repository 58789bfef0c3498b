#include "app/graphs/QuestionSelectDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/mainwindow/PopupMenuRules.h"
#include "core/text/BiText.h"

namespace kvf::app {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

QuestionSelectDialog::QuestionSelectDialog(const SurveyDocument& document, int32_t question,
                                           const std::vector<int32_t>& choices, QWidget* parent)
    : QDialog(parent), document_(document) {
  setObjectName(S("QuestionSelectDialog"));
  setWindowTitle(BiText{S("Select Splitting Question"), S("Välj fördelningsfråga")}.Get());
  setModal(true);
  const Question* q = document.QuestionAt(question);
  const QString name = DoubleAmpersands(q ? document.GetText(q->name) : QString());
  auto* label = new QLabel(BiText{S("&Show ") + name + S(" split by:"), S("&Visa ") + name + S(" fördelad på:")}.Get());
  list_ = new QListWidget;
  list_->setObjectName(S("lstQuestions"));
  label->setBuddy(list_);
  for (const int32_t choice : choices) {
    auto* item = new QListWidgetItem(document.GetText(document.QuestionAt(choice)->name), list_);
    item->setData(Qt::UserRole, choice);
  }
  text_ = new QLabel;
  text_->setObjectName(S("lblText"));
  text_->setWordWrap(true);
  auto* buttons = new QDialogButtonBox;
  ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(BiText{S("Cancel"), S("Avbryt")}.Get(), QDialogButtonBox::RejectRole);
  ok_->setEnabled(false);
  ok_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (ok_->isEnabled()) accept();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_);
  layout->addWidget(text_);
  layout->addWidget(buttons);
}

int32_t QuestionSelectDialog::SelectedQuestion() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : selected.first()->data(Qt::UserRole).toInt();
}

void QuestionSelectDialog::SelectionChanged() {
  const int32_t question = SelectedQuestion();
  const Question* q = document_.QuestionAt(question);
  text_->setText(q ? document_.GetText(q->text) : QString());
  ok_->setEnabled(q != nullptr);
}

}  // namespace kvf::app
