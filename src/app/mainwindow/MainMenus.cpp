#include "app/mainwindow/MainMenus.h"

#include <QActionGroup>
#include <QKeySequence>

namespace kvf::app {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

QMenu* MainMenus::AddMenu(QWidget* parent, const QString& name, const QString& english, const QString& swedish,
                          bool visible) {
  QMenu* menu = new QMenu(english, parent);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  if (auto* bar = qobject_cast<QMenuBar*>(parent))
    bar->addMenu(menu);
  else if (auto* owner = qobject_cast<QMenu*>(parent))
    owner->addMenu(menu);
  Entry entry;
  entry.action = menu->menuAction();
  entry.menu = menu;
  entry.caption = BiText{english, swedish};
  entry.visible = visible;
  entry.connected = true;  // a submenu always opens
  entries_.insert(name, entry);
  Apply(name);
  return menu;
}

QAction* MainMenus::Add(QMenu* parent, const QString& name, const QString& english, const QString& swedish,
                        bool enabled, bool visible) {
  QAction* action = parent->addAction(english);
  action->setObjectName(name);
  Entry entry;
  entry.action = action;
  entry.caption = BiText{english, swedish};
  entry.enabled = enabled;
  entry.visible = visible;
  entries_.insert(name, entry);
  Apply(name);
  return action;
}

void MainMenus::Separator(QMenu* parent, const QString& name) {
  QAction* action = parent->addSeparator();
  if (name.isEmpty()) return;
  action->setObjectName(name);
  Entry entry;
  entry.action = action;
  entry.connected = true;
  entries_.insert(name, entry);
}

void MainMenus::Twin(const QString& a, const QString& b) {
  entries_[a].twin = b;
  entries_[b].twin = a;
  entries_[b].visible = entries_[a].visible;
  entries_[b].enabled = entries_[a].enabled;
  Apply(b);
}

void MainMenus::Build(QMenuBar* menuBar, QMenu* popup) {
  // File
  QMenu* file = AddMenu(menuBar, S("mnuFile"), S("&File"), S("&Arkiv"));
  Add(file, S("mnuFOpen"), S("&Open..."), S("&Öppna..."));
  file->addSeparator();
  Add(file, S("mnuFSaveAs"), S("Save Overview &As..."), S("Spara översikt so&m..."), false);
  file->addSeparator();
  Add(file, S("mnuFPrintFormat"), S("Print &Format..."), S("Utskrifts&format..."), false);
  file->addSeparator();
  Add(file, S("mnuFProperties"), S("P&roperties"), S("&Egenskaper"), false);
  file->addSeparator();
  for (int i = 0; i < 5; ++i) Add(file, S("mnuFMRU") + QString::number(i), QString(), QString(), true, false);
  Separator(file, S("mnuFMRUBar"));
  entries_[S("mnuFMRUBar")].visible = false;
  Apply(S("mnuFMRUBar"));
  Add(file, S("mnuFExit"), S("E&xit"), S("&Avsluta"));

  // Edit
  QMenu* edit = AddMenu(menuBar, S("mnuEdit"), S("&Edit"), S("&Redigera"));
  Add(edit, S("mnuECopy"), S("&Copy Overview"), S("K&opiera översikt"), false)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  Add(edit, S("mnuECopyHeadersAndTotals"), S("Copy Headers and &Totals"), S("Kopiera rubriker och &totaler"), false);
  Add(edit, S("mnuECopyIndexes"), S("Copy &Indexes..."), S("Kopiera &index..."), true, false);
  Add(edit, S("mnuECopyToMiniOverview"), S("Copy to &Mini-overview"), S("Kopiera till &miniöversikt"), false)
      ->setShortcut(QKeySequence(Qt::Key_F4));
  Add(edit, S("mnuECopyData"), S("Copy Overview as &Data"), S("Kopiera översikt som &data"), true, false);

  // View
  QMenu* view = AddMenu(menuBar, S("mnuView"), S("&View"), S("&Visa"));
  Add(view, S("mnuVNavigator"), S("&Navigator"), S("&Navigatör"), false)->setCheckable(true);
  Add(view, S("mnuVDetailInfo"), S("Detail &Information"), S("Detalj&information"), false)->setCheckable(true);
  view->addSeparator();
  Add(view, S("mnuVDistributionGraph"), S("&Distribution Graph..."), S("&Fördelningsgraf..."), false);
  Add(view, S("mnuVTotalGraph1"), S("&Total Index Graph..."), S("&Totalindexgraf..."), true, false);
  AddMenu(view, S("mnuVBlockGraph4"), S("&Block Index Graph"), S("&Blockindexgraf"), false);
  AddMenu(view, S("mnuVBlockGraph1"), S("Block &Histogram"), S("Block&histogram"), false);
  AddMenu(view, S("mnuVBlockGraph2"), S("Block &Graph"), S("Block&graf"), false);
  AddMenu(view, S("mnuVBlockGraph3"), S("Block &Ranking Graph"), S("Block&rankningsgraf"), false);
  Add(view, S("mnuVComments"), S("&Comments"), S("&Kommentarer"), false);
  view->addSeparator();
  Add(view, S("mnuVCloseAllGraphWindows"), S("Close &All Graph Windows"), S("Stäng &alla diagramfönster"), false);

  // Tools
  QMenu* tools = AddMenu(menuBar, S("mnuTools"), S("&Tools"), S("Verkt&yg"));
  Add(tools, S("mnuTEditBlocks"), S("Edit &Blocks..."), S("Redigera &block..."), false);
  tools->addSeparator();
  Add(tools, S("mnuTOptions"), S("&Options..."), S("&Alternativ..."));

  // Help
  QMenu* help = AddMenu(menuBar, S("mnuHelp"), S("&Help"), S("&Hjälp"));
  Add(help, S("mnuHHelpTopics"), S("&Help Topics"), S("&Hjälpavsnitt"));
  help->addSeparator();
  Add(help, S("mnuHAbout"), S("&About KVF Viewer..."), S("&Om ") + ApplicationTitle() + S("..."));

  // The pop-up menu of the sheet.
  popup->setObjectName(S("mnuPopUp"));
  Add(popup, S("mnuPShowRowsComments"), S("Show R&ow's Comments"), S("Visa r&adens kommentarer"));
  Add(popup, S("mnuPShowColumnsComments"), S("Show Co&lumn's Comments"), S("Visa &kolumnens kommentarer"));
  Add(popup, S("mnuPCopyThisRowsAnswers"), S("Copy this Row's Ans&wers"), S("Kopiera den här radens &svar"));
  Separator(popup, S("mnuPBar1"));
  Add(popup, S("mnuPShowTotalGraph1"), S("Show &Total Index Graph..."), S("Visa &totalindexgraf..."));
  Add(popup, S("mnuPShowBlockGraph4"), S("Show &Block Index Graph..."), S("Visa block&indexgraf..."));
  Add(popup, S("mnuPShowBlockGraph1"), S("Show Block &Histogram"), S("Visa block&histogram"));
  Add(popup, S("mnuPShowBlockGraph2"), S("Show Block &Graph"), S("Visa block&graf"));
  QMenu* blockRanking =
      AddMenu(popup, S("mnuPShowBlockGraph3"), S("Show Block &Ranking Graph"), S("Visa block&rankningsgraf"));
  Add(blockRanking, S("mnuPSB3SortedBy0"), S("Sorted by &Ranking"), S("Sorterad efter &rankning"));
  Add(blockRanking, S("mnuPSB3SortedBy1"), S("Sorted by &Option"), S("Sorterad efter &alternativ"));
  QMenu* histogram =
      AddMenu(popup, S("mnuPShowQuestionGraph1"), S("Show Question &Histogram"), S("Visa fråge&histogram"));
  Add(histogram, S("mnuPS1Total"), S("&Total for Current Selection"), S("&Totalt för aktuellt urval"));
  AddMenu(histogram, S("mnuPS1SplitBy"), S("&Split by"), S("&Fördelat på"), false);
  Add(histogram, S("mnuPS1Split"), S("Split by &Another Question..."), S("Fördelat på en &annan fråga..."));
  QMenu* graph = AddMenu(popup, S("mnuPShowQuestionGraph2"), S("Show Question &Graph"), S("Visa fråge&graf"));
  Add(graph, S("mnuPS2Total"), S("&Total for Current Selection"), S("&Totalt för aktuellt urval"));
  AddMenu(graph, S("mnuPS2SplitBy"), S("&Split by"), S("&Fördelad på"), false);
  Add(graph, S("mnuPS2Split"), S("Split by &Another Question..."), S("Fördelad på en &annan fråga..."));
  QMenu* questionRanking = AddMenu(popup, S("mnuPShowQuestionGraph3"), S("Show Question &Ranking Graph"),
                                   S("Visa fråge&rankningsgraf"));
  Add(questionRanking, S("mnuPSQ3SortedBy0"), S("Sorted by &Ranking"), S("Sorterad efter &rankning"));
  Add(questionRanking, S("mnuPSQ3SortedBy1"), S("Sorted by &Option"), S("Sorterad efter &alternativ"));
  Separator(popup, S("mnuPBar2"));
  Add(popup, S("mnuPCopy"), S("&Copy Overview"), S("K&opiera översikt"));
  Add(popup, S("mnuPCopyHeadersAndTotals"), S("Copy Headers a&nd Totals"), S("Kopiera rubriker o&ch totaler"));
  Add(popup, S("mnuPCopyIndexes"), S("Copy &Indexes..."), S("Kopiera i&ndex..."));
  Add(popup, S("mnuPSaveAs"), S("Save Overview &As..."), S("Spara översikt so&m..."));
  Add(popup, S("mnuPCopyToMiniOverview"), S("Copy to &Mini-overview"), S("Kopiera till mini&översikt"));
  Add(popup, S("mnuPCopyData"), S("Copy Overview as &Data"), S("Kopiera översikt som &data"));
  Separator(popup, S("mnuPBar3"));
  entries_[S("mnuPBar3")].visible = false;
  Apply(S("mnuPBar3"));
  wheelGroup_ = new QActionGroup(popup);
  for (int i = 0; i < 2; ++i) {
    QAction* action =
        Add(popup, S("mnuPMouseWheelScrollDirection") + QString::number(i),
            i == 0 ? S("Mouse Wheel Scrolls &Vertically") : S("Mouse Wheel Scrolls Hori&zontally"),
            i == 0 ? S("Mushjulet bläddrar &vertikalt") : S("Mushjulet bläddrar horisonta&lt"), true, false);
    action->setCheckable(true);
    action->setChecked(i == 0);
    wheelGroup_->addAction(action);
  }

  Twin(S("mnuECopy"), S("mnuPCopy"));
  Twin(S("mnuECopyHeadersAndTotals"), S("mnuPCopyHeadersAndTotals"));
  Twin(S("mnuECopyIndexes"), S("mnuPCopyIndexes"));
  Twin(S("mnuFSaveAs"), S("mnuPSaveAs"));
  Twin(S("mnuECopyToMiniOverview"), S("mnuPCopyToMiniOverview"));
  Twin(S("mnuECopyData"), S("mnuPCopyData"));
  Twin(S("mnuVTotalGraph1"), S("mnuPShowTotalGraph1"));
}

void MainMenus::ApplyLanguage(bool swedish) {
  swedish_ = swedish;
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    const Entry& entry = it.value();
    if (entry.action == nullptr || entry.action->isSeparator()) continue;
    if (it.key().startsWith(QStringLiteral("mnuFMRU"))) continue;  // captions are file names
    const QString text = entry.caption.Get(swedish);
    if (entry.menu != nullptr) entry.menu->setTitle(text);
    entry.action->setText(text);
  }
}

QAction* MainMenus::Action(const QString& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : it->action;
}

QMenu* MainMenus::Menu(const QString& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : it->menu;
}

void MainMenus::Apply(const QString& name) {
  auto it = entries_.find(name);
  if (it == entries_.end() || it->action == nullptr) return;
  it->action->setVisible(it->visible);
  it->action->setEnabled(it->enabled && it->connected);
}

void MainMenus::SetVisible(const QString& name, bool visible) {
  auto it = entries_.find(name);
  if (it == entries_.end()) return;
  it->visible = visible;
  Apply(name);
  if (!it->twin.isEmpty()) {
    entries_[it->twin].visible = visible;
    Apply(it->twin);
  }
}

void MainMenus::SetEnabled(const QString& name, bool enabled) {
  auto it = entries_.find(name);
  if (it == entries_.end()) return;
  it->enabled = enabled;
  Apply(name);
  if (!it->twin.isEmpty()) {
    entries_[it->twin].enabled = enabled;
    Apply(it->twin);
  }
}

void MainMenus::SetChecked(const QString& name, bool checked) {
  if (QAction* action = Action(name)) action->setChecked(checked);
}

bool MainMenus::LogicalVisible(const QString& name) const {
  auto it = entries_.find(name);
  return it != entries_.end() && it->visible;
}

bool MainMenus::LogicalEnabled(const QString& name) const {
  auto it = entries_.find(name);
  return it != entries_.end() && it->enabled;
}

void MainMenus::Connect(const QString& name, std::function<void()> command) {
  auto it = entries_.find(name);
  if (it == entries_.end()) return;
  QObject::connect(it->action, &QAction::triggered, it->action, [command] { command(); });
  it->connected = true;
  Apply(name);
  const QString twin = it->twin;
  if (!twin.isEmpty() && !entries_[twin].connected) Connect(twin, command);
}

bool MainMenus::Connected(const QString& name) const {
  auto it = entries_.find(name);
  return it != entries_.end() && it->connected;
}

std::vector<QAction*> MainMenus::SetDynamicItems(const QString& submenu, const QString& itemPrefix,
                                                 const QStringList& captions,
                                                 const std::function<void(int)>& command) {
  QMenu* menu = Menu(submenu);
  std::vector<QAction*>& items = dynamicItems_[submenu];
  if (menu == nullptr) return items;
  for (QAction* item : items) delete item;
  items.clear();
  for (qsizetype k = 0; k < captions.size(); ++k) {
    QAction* action = menu->addAction(captions[k]);
    action->setObjectName(itemPrefix + QString::number(k));
    const int index = static_cast<int>(k);
    if (command) QObject::connect(action, &QAction::triggered, action, [command, index] { command(index); });
    action->setEnabled(static_cast<bool>(command));
    items.push_back(action);
  }
  return items;
}

}  // namespace kvf::app
