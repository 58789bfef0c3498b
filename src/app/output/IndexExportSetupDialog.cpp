#include "app/output/IndexExportSetupDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/text/Language.h"

namespace kvf::app {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
QString T(const char* english, const char* swedish) { return BiText{S(english), S(swedish)}.Get(); }
}  // namespace

IndexExportSetupDialog::IndexExportSetupDialog(const SurveyDocument& document, IndexExportSettings& settings,
                                               Export exportTable, QWidget* parent)
    : QDialog(parent), document_(document), settings_(settings), export_(std::move(exportTable)) {
  setObjectName(S("IndexExportSetupDialog"));
  setWindowTitle(CopyIndexesCaption().Get());

  auto* subSelections = new QGroupBox(T("Use following sub-selections", "Använd underurval"), this);
  total_ = new QCheckBox(T("&Total", "&Totalt"), subSelections);
  total_->setObjectName(S("chkSubSelTotal"));
  auto* categoryLabel =
      new QLabel(T("&All options in these categories:", "Alla alternativ i kate&gori:"), subSelections);
  categories_ = new QListWidget(subSelections);
  categories_->setObjectName(S("lstSubSelCategories"));
  categories_->setSelectionMode(QAbstractItemView::MultiSelection);
  categoryLabel->setBuddy(categories_);
  counts_ = new QCheckBox(T("Show &number of answers", "Visa &antal svar"), subSelections);
  counts_->setObjectName(S("chkSubSelShowNumberOfAnswers"));
  auto* subLayout = new QVBoxLayout(subSelections);
  for (QWidget* widget : std::initializer_list<QWidget*>{total_, categoryLabel, categories_, counts_})
    subLayout->addWidget(widget);

  auto* groups = new QGroupBox(T("Show index for", "Visa index för"), this);
  const std::array<BiText, 5> groupCaptions = {
      BiText{S("T&otal"), S("T&otalt")}, BiText{S("All &blocks"), S("Alla &block")},
      BiText{S("All &sub-blocks"), S("Alla &underblock")}, BiText{S("All &questions"), S("Alla &frågor")},
      BiText{S("All &user defined blocks"), S("Alla &egendefinerade block")}};
  auto* groupLayout = new QVBoxLayout(groups);
  for (int g = 0; g < 5; ++g) {
    groups_[static_cast<size_t>(g)] = new QCheckBox(groupCaptions[static_cast<size_t>(g)].Get(), groups);
    groups_[static_cast<size_t>(g)]->setObjectName(S("chkIndGrpSelection%1").arg(g));
    groupLayout->addWidget(groups_[static_cast<size_t>(g)]);
  }
  fullText_ = new QCheckBox(T("Show &full question text", "&Visa fullständig frågetext"), groups);
  fullText_->setObjectName(S("chkIndGrpShowFullQuestionText"));
  groupLayout->addWidget(fullText_);

  auto* orientation = new QGroupBox(T("Orientation", "Orientering"), this);
  rows_ = new QRadioButton(T("Sub-selections in &rows", "Underurval i &rader"), orientation);
  rows_->setObjectName(S("optOriSel0"));
  columns_ = new QRadioButton(T("Sub-selections in &columns", "Underurval i &kolumner"), orientation);
  columns_->setObjectName(S("optOriSel1"));
  auto* orientationLayout = new QVBoxLayout(orientation);
  orientationLayout->addWidget(rows_);
  orientationLayout->addWidget(columns_);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QDialogButtonBox::Ok);
  ok_->setObjectName(S("cmdOK"));
  QPushButton* cancel = buttons->addButton(T("Cancel", "Avbryt"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(S("cmdCancel"));
  connect(ok_, &QPushButton::clicked, this, &IndexExportSetupDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(subSelections);
  top->addWidget(groups);
  layout->addLayout(top);
  layout->addWidget(orientation);
  layout->addWidget(buttons);

  // Load: the dimensions in their order, then the settings used last.
  for (const int32_t q : document.dimensions) {
    const Question* question = document.QuestionAt(q);
    if (question == nullptr) continue;
    auto* item = new QListWidgetItem(document.GetText(question->name), categories_);
    item->setData(Qt::UserRole, q);
    item->setSelected(std::find(settings.categories.begin(), settings.categories.end(), q) !=
                      settings.categories.end());
  }
  total_->setChecked(settings.totalSubSelection);
  counts_->setChecked(settings.showCounts);
  for (int g = 0; g < 5; ++g) groups_[static_cast<size_t>(g)]->setChecked(settings.groups[static_cast<size_t>(g)]);
  groups_[2]->setEnabled(SubBlockGroupOffered(document));
  fullText_->setChecked(settings.fullQuestionText);
  (settings.subSelectionsInColumns ? columns_ : rows_)->setChecked(true);

  for (QCheckBox* box : groups_) connect(box, &QCheckBox::toggled, this, &IndexExportSetupDialog::Evaluate);
  connect(total_, &QCheckBox::toggled, this, &IndexExportSetupDialog::Evaluate);
  connect(categories_, &QListWidget::itemSelectionChanged, this, &IndexExportSetupDialog::Evaluate);
  Evaluate();
}

IndexExportSettings IndexExportSetupDialog::Chosen() const {
  IndexExportSettings chosen;
  chosen.totalSubSelection = total_->isChecked();
  for (int i = 0; i < categories_->count(); ++i)
    if (categories_->item(i)->isSelected())
      chosen.categories.push_back(categories_->item(i)->data(Qt::UserRole).toInt());
  chosen.showCounts = counts_->isChecked();
  for (int g = 0; g < 5; ++g) chosen.groups[static_cast<size_t>(g)] = groups_[static_cast<size_t>(g)]->isChecked();
  chosen.fullQuestionText = fullText_->isChecked();
  chosen.subSelectionsInColumns = columns_->isChecked();
  return chosen;
}

void IndexExportSetupDialog::Evaluate() {
  fullText_->setEnabled(groups_[3]->isChecked());
  ok_->setEnabled(IndexExportAllowed(document_, Chosen()));
}

void IndexExportSetupDialog::Confirm() {
  if (!IndexExportAllowed(document_, Chosen())) return;
  settings_ = Chosen();
  if (export_) export_(settings_);
  accept();
}

}  // namespace kvf::app
