#include "app/selection/NavigatorWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "app/selection/ToolWindowPlacement.h"
#include "core/settings/WindowPlacement.h"
#include "core/text/Language.h"

namespace kvf::app {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kAlternativeRole = Qt::UserRole;
constexpr int32_t kMinimumHeightTwips = 2240;
constexpr int32_t kDesignFlexHeightTwips = 1200;
const QString kWindowName = QStringLiteral("Navigator");

int Pixels(int32_t twips, double twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

}  // namespace

NavigatorWindow::NavigatorWindow(DocumentSession& session, NavigatorHost host, platform::RegistryKey programKey,
                                 Policies policies, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      session_(session),
      host_(std::move(host)),
      programKey_(std::move(programKey)),
      policies_(policies) {
  setObjectName(QStringLiteral("NavigatorWindow"));
  tree_ = new QTreeWidget;
  tree_->setObjectName(QStringLiteral("tree"));
  tree_->setColumnCount(2);
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(true);
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  tree_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  connect(tree_, &QTreeWidget::itemChanged, this, &NavigatorWindow::TreeItemChanged);

  flexList_ = new QListWidget;
  flexList_->setObjectName(QStringLiteral("flexList"));
  flexList_->setSelectionMode(QAbstractItemView::MultiSelection);
  flexList_->viewport()->installEventFilter(this);
  connect(flexList_, &QListWidget::itemSelectionChanged, this, &NavigatorWindow::FlexSelectionChanged);
  flexCheck_ = new QCheckBox;
  flexCheck_->setObjectName(QStringLiteral("flexOnSelection"));
  connect(flexCheck_, &QCheckBox::toggled, this, [this](bool on) {
    if (!refreshing_) model_.SetFlexBasedOnSelection(on);
  });
  flexPane_ = new QWidget;
  auto* flexLayout = new QVBoxLayout(flexPane_);
  flexLayout->setContentsMargins(0, 0, 0, 0);
  flexLayout->addWidget(flexList_, 1);
  flexLayout->addWidget(flexCheck_);

  // The boundary between the tree and the flex-total list can be dragged.
  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(tree_);
  splitter_->addWidget(flexPane_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);

  totalLabel_ = new QLabel;
  totalLabel_->setObjectName(QStringLiteral("totalLabel"));
  showButton_ = new QPushButton;
  showButton_->setObjectName(QStringLiteral("showButton"));
  showButton_->setEnabled(false);
  connect(showButton_, &QPushButton::clicked, this, &NavigatorWindow::ShowOverview);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(totalLabel_, 1);
  bottom->addWidget(showButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(splitter_, 1);
  layout->addLayout(bottom);

  reminderTimer_ = new QTimer(this);
  reminderTimer_->setObjectName(QStringLiteral("reminderTimer"));
  reminderTimer_->setInterval(NavigatorReminder::kBlinkMilliseconds);
  connect(reminderTimer_, &QTimer::timeout, this, [this] {
    reminder_.Tick();
    PaintShowButton(reminder_.Highlighted());
  });

  // Back from another application to one of our other windows.
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
    if (awaitingOwnWindow_ && now != nullptr && now != windowHandle()) StartReminder();
  });

  ApplyLanguage();
  flexPane_->hide();
  const double twips = TwipsPerPixelOf(this);
  setMinimumHeight(Pixels(kMinimumHeightTwips, twips));
  resize(Pixels(3600, twips), Pixels(6000, twips));
  placementKnown_ = RestoreToolWindowPlacement(this, programKey_, kWindowName, 0, 0);
}

void NavigatorWindow::ApplyLanguage() {
  const bool swedish = Swedish();
  setWindowTitle(BiText{QStringLiteral("Navigator"), QStringLiteral("Navigatör")}.Get(swedish));
  showButton_->setText(BiText{QStringLiteral("Show"), QStringLiteral("Visa")}.Get(swedish));
  flexCheck_->setText(
      BiText{QStringLiteral("Base total on &current selection"), QStringLiteral("Basera totalen på &aktuellt urval")}
          .Get(swedish));
  flexCheck_->setToolTip(BiText{
      QStringLiteral("Total should be the same as the current selection except for the settings made above."),
      QStringLiteral("Totalen ska vara den samma som det aktuella urvalet med undantag för inställningarna ovan.")}
                             .Get(swedish));
  flexList_->setToolTip(
      BiText{QStringLiteral("Defines, together with the check box below, what should be considered total."),
             QStringLiteral("Definierar, tillsammans med kryssrutan under, vad som ska anses vara totalen.")}
          .Get(swedish));
  totalLabel_->setText(model_.TotalText(swedish));
}

// ---------------------------------------------------------------- set-up

bool NavigatorWindow::SetUpDimensions(const SurveyDocument& document) {
  Reset();
  if (document.DimensionCount() < 1) return false;
  model_.SetUp(document);
  refreshing_ = true;
  for (const NavigatorDimensionNode& dimension : model_.Dimensions()) {
    auto* node = new QTreeWidgetItem(tree_, QStringList{dimension.text});
    node->setData(0, kKeyRole, dimension.key);
    node->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    for (const NavigatorAlternativeNode& alternative : dimension.alternatives) {
      auto* child = new QTreeWidgetItem(node, QStringList{alternative.text});
      child->setData(0, kKeyRole, alternative.key);
      child->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren);
      child->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  tree_->expandAll();
  for (const FlexTotalItem& entry : model_.FlexItems()) {
    auto* item = new QListWidgetItem(entry.text, flexList_);
    item->setData(kAlternativeRole, entry.alternative);
    item->setSelected(true);
  }
  flexCheck_->setChecked(false);
  flexPane_->setVisible(model_.FlexControlsVisible());
  refreshing_ = false;
  if (model_.FlexControlsVisible()) {
    // A stored list height larger than the designed one replaces it.
    const double twips = TwipsPerPixelOf(this);
    const int stored = Pixels(ReadFlexTotalHeight(programKey_, kDesignFlexHeightTwips), twips);
    const int list = std::max(stored, Pixels(kDesignFlexHeightTwips, twips));
    const int pane = list + flexCheck_->sizeHint().height();
    const int whole = std::max(splitter_->height(), pane + 40);
    splitter_->setSizes({whole - pane, pane});
  }
  Recount(-1);
  return true;
}

void NavigatorWindow::Reset() {
  reminderTimer_->stop();
  reminder_.Activated();
  PaintShowButton(false);
  refreshing_ = true;
  tree_->clear();
  flexList_->clear();
  flexCheck_->setChecked(false);
  refreshing_ = false;
  flexPane_->hide();
  model_.Clear();
  showButton_->setEnabled(false);
  totalLabel_->setText(model_.TotalText(Swedish()));
}

QTreeWidgetItem* NavigatorWindow::Item(const QString& key) const {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* node = tree_->topLevelItem(i);
    if (node->data(0, kKeyRole).toString() == key) return node;
    for (int j = 0; j < node->childCount(); ++j)
      if (node->child(j)->data(0, kKeyRole).toString() == key) return node->child(j);
  }
  return nullptr;
}

// ---------------------------------------------------------------- checking and counting

void NavigatorWindow::TreeItemChanged(QTreeWidgetItem* item, int column) {
  if (refreshing_ || column != 0 || !session_.IsOpen()) return;
  const QString key = item->data(0, kKeyRole).toString();
  const bool checked = item->checkState(0) == Qt::Checked;
  if (model_.IsChecked(key) == checked) return;  // not a check change
  model_.SetChecked(session_.Document(), key, checked);
  RefreshTree();
}

void NavigatorWindow::Recount(int32_t dimension) {
  if (!session_.IsOpen()) return;
  model_.Recount(session_.Document(), dimension);
  RefreshTree();
}

void NavigatorWindow::RefreshTree() {
  refreshing_ = true;
  const QLocale locale = QLocale::system();
  const QBrush greyed = palette().button();
  const QBrush normal = palette().base();
  for (int d = 0; d < tree_->topLevelItemCount(); ++d) {
    QTreeWidgetItem* node = tree_->topLevelItem(d);
    const QBrush& background = model_.IsGreyed(d) ? greyed : normal;
    node->setCheckState(0, model_.IsChecked(node->data(0, kKeyRole).toString()) ? Qt::Checked : Qt::Unchecked);
    node->setBackground(0, background);
    node->setBackground(1, background);
    const NavigatorDimensionNode& dimension = model_.Dimensions()[static_cast<size_t>(d)];
    for (int j = 0; j < node->childCount() && static_cast<size_t>(j) < dimension.alternatives.size(); ++j) {
      QTreeWidgetItem* child = node->child(j);
      const NavigatorAlternativeNode& alternative = dimension.alternatives[static_cast<size_t>(j)];
      child->setCheckState(0, alternative.checked ? Qt::Checked : Qt::Unchecked);
      child->setText(1, locale.toString(model_.Count(d, alternative.alternative)));
      child->setBackground(0, background);
      child->setBackground(1, background);
    }
  }
  refreshing_ = false;
  totalLabel_->setText(model_.TotalText(Swedish()));
  showButton_->setEnabled(model_.ShowEnabled());
}

void NavigatorWindow::FlexSelectionChanged() {
  if (refreshing_) return;
  for (int i = 0; i < flexList_->count(); ++i) {
    const QListWidgetItem* item = flexList_->item(i);
    model_.SetFlexChoice(item->data(kAlternativeRole).toInt(), item->isSelected());
  }
}

// ---------------------------------------------------------------- Show

void NavigatorWindow::ShowOverview() {
  if (!session_.IsOpen()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (host_.setStatus) host_.setStatus(BuildingOverviewText(), false);
  const ShowOutcome outcome = model_.Show(session_.MutableDocument(), session_.View());
  if (outcome.sheet) {
    if (host_.setStatus) host_.setStatus(OverviewBuiltText(), true);
  } else {
    if (host_.showError) host_.showError(outcome.sheet.Text());
    if (host_.clearStatus) host_.clearStatus();
  }
  QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------- events

void NavigatorWindow::PaintShowButton(bool highlighted) {
  QPalette colours = showButton_->palette();
  colours.setColor(QPalette::Button, palette().color(highlighted ? QPalette::Highlight : QPalette::Button));
  showButton_->setAutoFillBackground(highlighted);
  showButton_->setPalette(colours);
}

void NavigatorWindow::StartReminder() {
  awaitingOwnWindow_ = false;
  if (!session_.IsOpen()) return;
  const ProgramOptions options = host_.options ? host_.options() : ProgramOptions();
  bool beep = false;
  if (reminder_.Deactivated(options.navigatorRemindToClickShow, options.navigatorAddBeepToReminder,
                            model_.HasUnappliedChanges(), &beep)) {
    PaintShowButton(true);
    reminderTimer_->start();
    if (beep) host_.beep ? host_.beep() : QApplication::beep();
  }
}

bool NavigatorWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    awaitingOwnWindow_ = false;
    reminderTimer_->stop();
    reminder_.Activated();
    PaintShowButton(false);
  } else if (event->type() == QEvent::WindowDeactivate) {
    // The active window has already changed: another window of the program
    // starts the reminder; another application (none of ours active) does
    // not, until the user comes back to one of our other windows.
    const QWidget* next = QApplication::activeWindow();
    if (next == nullptr)
      awaitingOwnWindow_ = true;
    else if (next != this)
      StartReminder();
  }
  return QWidget::event(event);
}

bool NavigatorWindow::eventFilter(QObject* watched, QEvent* event) {
  // Leaving the list clears its highlighted row (the selection stays).
  if (watched == flexList_->viewport() && event->type() == QEvent::Leave)
    flexList_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  return QWidget::eventFilter(watched, event);
}

void NavigatorWindow::showEvent(QShowEvent* event) {
  shownInSession_ = true;
  QWidget::showEvent(event);
}

void NavigatorWindow::StoreSettings() {
  // A window never shown has no placement of its own to keep; what an
  // earlier run stored stays.
  if (!shownInSession_) return;
  SaveToolWindowPlacement(this, programKey_, policies_, kWindowName);
  if (!flexPane_->isHidden())
    WriteFlexTotalHeight(programKey_, policies_,
                         static_cast<int32_t>(std::lround(flexList_->height() * TwipsPerPixelOf(this))));
}

void NavigatorWindow::closeEvent(QCloseEvent* event) {
  StoreSettings();
  placementKnown_ = true;
  reminderTimer_->stop();
  event->accept();  // hidden, not destroyed
}

}  // namespace kvf::app
