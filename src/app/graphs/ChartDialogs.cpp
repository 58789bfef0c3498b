#include "app/graphs/ChartDialogs.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text/BiText.h"

namespace kvf::app {

namespace {

QString T(const char* english, const char* swedish) {
  return BiText{QString::fromUtf8(english), QString::fromUtf8(swedish)}.Get();
}

QCheckBox* Check(const char* name, const QString& caption, bool checked, QLayout* layout) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  layout->addWidget(box);
  return box;
}

QDialogButtonBox* Buttons(QDialog* dialog, QLayout* layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(T("Cancel", "Avbryt"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
  return buttons;
}

const char* const kLineCaptions[4][2] = {{"Total index for total selection", "Totalindex för totalurvalet"},
                                         {"Total index for current selection", "Totalindex för aktuella urvalet"},
                                         {"Block index for total selection", "Blockindex för totalurvalet"},
                                         {"Block index for current selection", "Blockindex för aktuella urvalet"}};

}  // namespace

IndexLineChecks::IndexLineChecks(int32_t mask) {
  for (int32_t bit = 0; bit < 4; ++bit)
    if ((mask & (1 << bit)) != 0 && checked_.size() < 2) checked_.push_back(bit);
}

int32_t IndexLineChecks::Check(int32_t bit) {
  Uncheck(bit);
  checked_.push_back(bit);
  if (checked_.size() <= 2) return -1;
  const int32_t cleared = checked_.front();
  checked_.pop_front();
  return cleared;
}

void IndexLineChecks::Uncheck(int32_t bit) {
  checked_.erase(std::remove(checked_.begin(), checked_.end(), bit), checked_.end());
}

int32_t IndexLineChecks::Mask() const {
  int32_t mask = 0;
  for (int32_t bit : checked_) mask |= 1 << bit;
  return mask;
}

// ------------------------------------------------------------ distribution

DistributionGraphDialog::DistributionGraphDialog(const SurveyDocument& document, const LastSettings& last,
                                                 QWidget* parent)
    : QDialog(parent), document_(document) {
  setObjectName(QStringLiteral("DistributionGraphDialog"));
  setWindowTitle(T("Distribution Graph", "Fördelningsgraf"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(T("Show &category", "Visa &kategori:")));
  main_ = new QListWidget();
  main_->setObjectName(QStringLiteral("lstMainCategory"));
  // SetCategories: the dimensions by Name, item data = dimension position.
  for (int32_t k = 0; k < document.DimensionCount(); ++k) {
    const Question* question = document.QuestionAt(document.dimensions[static_cast<size_t>(k)]);
    auto* item = new QListWidgetItem(question == nullptr ? QString() : document.GetText(question->name), main_);
    item->setData(Qt::UserRole, k);
  }
  layout->addWidget(main_);
  auto* group = new QButtonGroup(this);
  const QString typeCaptions[3] = {T("&Pie chart", "&Cirkeldiagram"), T("&Bar graph", "&Stapeldiagram"),
                                   T("Bar graph &grouped by:", "Stapeldiagram &grupperat på:")};
  for (int t = 0; t < 3; ++t) {
    types_[static_cast<size_t>(t)] = new QRadioButton(typeCaptions[t]);
    types_[static_cast<size_t>(t)]->setObjectName(QStringLiteral("optGraphType%1").arg(t));
    group->addButton(types_[static_cast<size_t>(t)], t);
    layout->addWidget(types_[static_cast<size_t>(t)]);
  }
  types_[1]->setChecked(true);
  group_ = new QListWidget();
  group_->setObjectName(QStringLiteral("lstGroupByCategory"));
  layout->addWidget(group_);
  percent_ = Check("chkInPercent", T("&In percent", "&I procent"), last.distributionGraphInPercent, layout);
  threeD_ = Check("chk3DLook", T("&3-D look", "&3D-utseende"), last.distributionGraphIn3D, layout);
  horizontal_ = Check("chkHorizontalBars", T("&Horizontal bars", "&Horisontella staplar"),
                      last.distributionGraphHasHorizontalBars, layout);
  vertical_ = Check("chkVerticalLabels", T("&Vertical labels", "&Vertikala etiketter"),
                    last.distributionGraphHasVerticalLabels, layout);
  buttons_ = Buttons(this, layout);
  connect(main_, &QListWidget::currentRowChanged, this, [this] { MainChosen(); });
  connect(group_, &QListWidget::currentRowChanged, this, [this] { UpdateRules(); });
  connect(group, &QButtonGroup::idClicked, this, [this] { UpdateRules(); });
  connect(horizontal_, &QCheckBox::toggled, this, [this] { UpdateRules(); });
  MainChosen();
}

QPushButton* DistributionGraphDialog::OkButton() const { return buttons_->button(QDialogButtonBox::Ok); }

void DistributionGraphDialog::MainChosen() {
  group_->clear();
  const int32_t chosen = main_->currentRow();
  for (int32_t k = 0; chosen >= 0 && k < main_->count(); ++k) {
    if (k == chosen) continue;
    auto* item = new QListWidgetItem(main_->item(k)->text(), group_);
    item->setData(Qt::UserRole, k);
  }
  UpdateRules();
}

void DistributionGraphDialog::UpdateRules() {
  const bool chosen = main_->currentRow() >= 0;
  for (QRadioButton* type : types_) type->setEnabled(chosen);
  const bool grouped = types_[2]->isChecked();
  group_->setEnabled(chosen && grouped);
  horizontal_->setEnabled(!types_[0]->isChecked());
  vertical_->setEnabled(!(horizontal_->isEnabled() && horizontal_->isChecked()));
  OkButton()->setEnabled(chosen && (!grouped || group_->currentRow() >= 0));
}

DistributionGraphRequest DistributionGraphDialog::Request() const {
  DistributionGraphRequest request;
  request.mainDimension = main_->currentItem() != nullptr ? main_->currentItem()->data(Qt::UserRole).toInt() : 0;
  request.type = types_[0]->isChecked()   ? kDistributionPie
                 : types_[1]->isChecked() ? kDistributionBars
                                          : kDistributionGrouped;
  if (request.type == kDistributionGrouped && group_->currentItem() != nullptr)
    request.groupDimension = group_->currentItem()->data(Qt::UserRole).toInt();
  request.percent = percent_->isChecked();
  request.threeD = threeD_->isChecked();
  request.horizontal = horizontal_->isEnabled() && horizontal_->isChecked();
  request.verticalLabels = vertical_->isEnabled() && vertical_->isChecked();
  return request;
}

void DistributionGraphDialog::Store(LastSettings& last) const {
  last.distributionGraphInPercent = percent_->isChecked();
  last.distributionGraphIn3D = threeD_->isChecked();
  last.distributionGraphHasHorizontalBars = horizontal_->isChecked();
  last.distributionGraphHasVerticalLabels = vertical_->isChecked();
}

// ------------------------------------------------------------------ index

IndexGraphDialog::IndexGraphDialog(const SurveyDocument& document, int32_t block,
                                   const std::vector<bool>& splitDisabled, bool flexTotalDiffers,
                                   const LastSettings& last, QWidget* parent)
    : QDialog(parent), document_(document), block_(block) {
  const bool total = block < 0;
  setObjectName(total ? QStringLiteral("TotalIndexGraphDialog") : QStringLiteral("BlockIndexGraphDialog"));
  setWindowTitle(total ? T("Total Index Graph", "Totalindexgraf") : T("Block Index Graph", "Blockindexgraf"));
  auto* layout = new QVBoxLayout(this);
  if (total) {
    main_ = Check("chkShowTotalIndex", T("Show &total index", "Visa &totalindex"), false, layout);
    blocks_ = Check("chkShowBlockIndexes", T("Show all &block indexes", "Visa alla &blockindex"), false, layout);
    questions_ =
        Check("chkShowQuestionIndexes", T("Show all &question indexes", "Visa alla fråge&index"), false, layout);
  } else {
    layout->addWidget(new QLabel(document.BlockName(block)));
    main_ = Check("chkShowBlockIndex", T("Show &block index", "Visa &blockindex"), true, layout);
    questions_ = Check("chkShowQuestionIndexes", T("Show block's &question indexes", "Visa blockets fråge&index"),
                       false, layout);
  }
  layout->addWidget(new QLabel(T("&Split by:", "&Fördelat på:")));
  split_ = new QComboBox();
  split_->setObjectName(QStringLiteral("lstSplitBy"));
  split_->addItem(T("(Nothing)", "(Inget)"), -1);
  for (int32_t k = 0; k < document.DimensionCount(); ++k) {
    if (static_cast<size_t>(k) < splitDisabled.size() && splitDisabled[static_cast<size_t>(k)]) continue;
    const int32_t q = document.dimensions[static_cast<size_t>(k)];
    const Question* question = document.QuestionAt(q);
    if (question != nullptr) split_->addItem(document.GetText(question->name), q);
  }
  layout->addWidget(split_);
  empty_ = Check("chkIncludeEmptySplits", T("Include &empty splits", "Ta med &tomma delar"), false, layout);
  auto* frame =
      new QGroupBox(total ? T("Index &lines", "Indexlinjer") : T("Index &lines (max 2)", "Index&linjer (max 2)"));
  auto* frameLayout = new QVBoxLayout(frame);
  const int32_t storedMask = total ? last.totalIndexGraphIndexLines : last.blockIndexGraphIndexLines;
  checks_ = IndexLineChecks(storedMask & (total ? 0x3 : 0xF));
  for (int32_t bit = 0; bit < (total ? 2 : 4); ++bit) {
    lines_[static_cast<size_t>(bit)] = Check("chkIndexLines", T(kLineCaptions[bit][0], kLineCaptions[bit][1]),
                                             (checks_.Mask() & (1 << bit)) != 0, frameLayout);
    lines_[static_cast<size_t>(bit)]->setObjectName(QStringLiteral("chkIndexLines%1").arg(bit));
    // The current selection's lines only while the flex total differs.
    if (bit == 1 || bit == 3) lines_[static_cast<size_t>(bit)]->setEnabled(flexTotalDiffers);
    connect(lines_[static_cast<size_t>(bit)], &QCheckBox::toggled, this,
            [this, bit](bool checked) { LineToggled(bit, checked); });
  }
  explain_ =
      Check("chkIndexLinesShowExplanation", T("Show explanation at lines", "Visa förklaring vid linjerna"),
            total ? last.totalIndexGraphIndexLinesShowExplanation : last.blockIndexGraphIndexLinesShowExplanation,
            frameLayout);
  layout->addWidget(frame);
  horizontal_ = Check("chkHorizontalBars", T("&Horizontal bars", "&Horisontella staplar"),
                      total ? last.totalIndexGraphHasHorizontalBars : last.blockIndexGraphHasHorizontalBars, layout);
  vertical_ = Check("chkVerticalLabels", T("&Vertical labels", "&Vertikala etiketter"),
                    total ? last.totalIndexGraphHasVerticalLabels : last.blockIndexGraphHasVerticalLabels, layout);
  dataLabels_ = Check("chkDataLabels", T("&Data labels", "&Dataetiketter"),
                      total ? last.totalIndexGraphHasDataLabels : last.blockIndexGraphHasDataLabels, layout);
  buttons_ = Buttons(this, layout);
  if (blocks_ != nullptr) {
    connect(blocks_, &QCheckBox::toggled, this, [this](bool on) {
      if (on) questions_->setChecked(false);
    });
    connect(questions_, &QCheckBox::toggled, this, [this](bool on) {
      if (on) blocks_->setChecked(false);
    });
  }
  for (QCheckBox* box : {main_, questions_}) connect(box, &QCheckBox::toggled, this, [this] { UpdateRules(); });
  connect(split_, &QComboBox::currentIndexChanged, this, [this] { UpdateRules(); });
  UpdateRules();
}

QPushButton* IndexGraphDialog::OkButton() const { return buttons_->button(QDialogButtonBox::Ok); }

void IndexGraphDialog::LineToggled(int32_t bit, bool checked) {
  if (updating_) return;
  if (!checked) {
    checks_.Uncheck(bit);
    return;
  }
  const int32_t cleared = checks_.Check(bit);
  if (cleared >= 0) {
    updating_ = true;
    lines_[static_cast<size_t>(cleared)]->setChecked(false);
    updating_ = false;
  }
}

void IndexGraphDialog::UpdateRules() {
  empty_->setEnabled(split_->currentData().toInt() >= 0);
  if (block_ >= 0) OkButton()->setEnabled(main_->isChecked() || questions_->isChecked());
}

IndexGraphRequest IndexGraphDialog::Request() const {
  IndexGraphRequest request;
  const bool total = block_ < 0;
  const int32_t split = split_->currentData().toInt();
  request.block = block_;
  request.showMain = main_->isChecked();
  request.splitQuestion = split;
  request.includeEmptySplits = split >= 0 && empty_->isChecked();
  for (int32_t bit = 0; bit < 4; ++bit) {
    const QCheckBox* line = lines_[static_cast<size_t>(bit)];
    if (line != nullptr && line->isEnabled() && line->isChecked()) request.lineMask |= 1 << bit;
  }
  request.explainLines = explain_->isChecked();
  request.horizontal = horizontal_->isChecked();
  request.verticalLabels = vertical_->isChecked();
  request.dataLabels = dataLabels_->isChecked();
  if (total) {
    request.showBlocksOrQuestions = blocks_->isChecked() || questions_->isChecked();
    request.showQuestions = questions_->isChecked();
    request.title =
        TotalIndexGraphTitle(document_, request.showMain, blocks_->isChecked(), questions_->isChecked(), split);
  } else {
    request.showBlocksOrQuestions = questions_->isChecked();
    request.title = BlockIndexGraphTitle(document_, block_, request.showMain, questions_->isChecked(), split);
  }
  return request;
}

void IndexGraphDialog::Store(LastSettings& last) const {
  int32_t mask = 0;
  for (int32_t bit = 0; bit < 4; ++bit)
    if (lines_[static_cast<size_t>(bit)] != nullptr && lines_[static_cast<size_t>(bit)]->isChecked()) mask |= 1 << bit;
  if (block_ < 0) {
    last.totalIndexGraphIndexLines = mask;
    last.totalIndexGraphIndexLinesShowExplanation = explain_->isChecked();
    last.totalIndexGraphHasHorizontalBars = horizontal_->isChecked();
    last.totalIndexGraphHasVerticalLabels = vertical_->isChecked();
    last.totalIndexGraphHasDataLabels = dataLabels_->isChecked();
  } else {
    last.blockIndexGraphIndexLines = mask;
    last.blockIndexGraphIndexLinesShowExplanation = explain_->isChecked();
    last.blockIndexGraphHasHorizontalBars = horizontal_->isChecked();
    last.blockIndexGraphHasVerticalLabels = vertical_->isChecked();
    last.blockIndexGraphHasDataLabels = dataLabels_->isChecked();
  }
}

}  // namespace kvf::app
