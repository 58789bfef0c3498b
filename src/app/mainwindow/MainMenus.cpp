#include "app/mainwindow/MainMenus.h"

#include <QActionGroup>
#include <QKeySequence>

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

// clang-format off
// The identifiers, in the order of MenuEntry.
constexpr std::array<const char*, kMenuEntryCount> kEntryNames = {
    "FileMenu", "Open", "SaveAs", "PrintFormat", "Properties", "Recent0", "Recent1", "Recent2", "Recent3", "Recent4",
    "RecentSeparator", "Exit", "EditMenu", "Copy", "CopyHeadersAndTotals", "CopyIndexes", "CopyToMiniOverview",
    "CopyData", "ViewMenu", "Navigator", "DetailInfo", "DistributionGraph", "TotalIndexGraph", "BlockIndexGraphMenu",
    "BlockHistogramMenu", "BlockGraphMenu", "BlockRankingGraphMenu", "Comments", "CloseAllGraphWindows", "ToolsMenu",
    "EditBlocks", "Options", "HelpMenu", "HelpTopics", "About", "PopupRowsComments", "PopupColumnsComments",
    "PopupCopyRowsAnswers", "PopupSeparator1", "PopupTotalIndexGraph", "PopupBlockIndexGraph", "PopupBlockHistogram",
    "PopupBlockGraph", "PopupBlockRankingGraphMenu", "PopupBlockRankingByRanking", "PopupBlockRankingByOption",
    "PopupQuestionHistogramMenu", "PopupHistogramTotal", "PopupHistogramSplitByMenu", "PopupHistogramSplitByQuestion",
    "PopupQuestionGraphMenu", "PopupGraphTotal", "PopupGraphSplitByMenu", "PopupGraphSplitByQuestion",
    "PopupQuestionRankingGraphMenu", "PopupQuestionRankingByRanking", "PopupQuestionRankingByOption",
    "PopupSeparator2", "PopupCopy", "PopupCopyHeadersAndTotals", "PopupCopyIndexes", "PopupSaveAs",
    "PopupCopyToMiniOverview", "PopupCopyData", "PopupSeparator3", "PopupWheelVertical", "PopupWheelHorizontal",
};
static_assert(kEntryNames.back() != nullptr, "a name for every entry");
// clang-format on

}  // namespace

const char* MenuEntryName(MenuEntry entry) {
  const int index = static_cast<int>(entry);
  return index >= 0 && index < kMenuEntryCount ? kEntryNames[static_cast<size_t>(index)] : "?";
}

MenuEntry RecentFileEntry(int index) {
  Q_ASSERT(index >= 0 && index < 5);
  return static_cast<MenuEntry>(static_cast<int>(MenuEntry::Recent0) + index);
}

MenuEntry BlockGraphSubmenu(int kind) {
  Q_ASSERT(kind >= 1 && kind <= 4);
  switch (kind) {
    case 1: return MenuEntry::BlockHistogramMenu;
    case 2: return MenuEntry::BlockGraphMenu;
    case 3: return MenuEntry::BlockRankingGraphMenu;
    default: return MenuEntry::BlockIndexGraphMenu;
  }
}

QMenu* MainMenus::AddMenu(QWidget* parent, MenuEntry id, const BiText& caption, bool visible) {
  QMenu* menu = new QMenu(caption.english, parent);
  menu->setObjectName(QString::fromLatin1(MenuEntryName(id)));
  menu->menuAction()->setObjectName(menu->objectName());
  if (auto* bar = qobject_cast<QMenuBar*>(parent))
    bar->addMenu(menu);
  else if (auto* owner = qobject_cast<QMenu*>(parent))
    owner->addMenu(menu);
  Entry& entry = entries_[static_cast<size_t>(id)];
  entry.action = menu->menuAction();
  entry.menu = menu;
  entry.caption = caption;
  entry.visible = visible;
  entry.connected = true;  // a submenu always opens
  Apply(entry);
  return menu;
}

QAction* MainMenus::Add(QMenu* parent, MenuEntry id, const BiText& caption, bool enabled, bool visible) {
  QAction* action = parent->addAction(caption.english);
  action->setObjectName(QString::fromLatin1(MenuEntryName(id)));
  Entry& entry = entries_[static_cast<size_t>(id)];
  entry.action = action;
  entry.caption = caption;
  entry.enabled = enabled;
  entry.visible = visible;
  Apply(entry);
  return action;
}

void MainMenus::Separator(QMenu* parent, MenuEntry id, bool visible) {
  QAction* action = parent->addSeparator();
  action->setObjectName(QString::fromLatin1(MenuEntryName(id)));
  Entry& entry = entries_[static_cast<size_t>(id)];
  entry.action = action;
  entry.connected = true;
  entry.visible = visible;
  Apply(entry);
}

void MainMenus::Twin(MenuEntry a, MenuEntry b) {
  Entry& first = entries_[static_cast<size_t>(a)];
  Entry& second = entries_[static_cast<size_t>(b)];
  first.twin = b;
  second.twin = a;
  second.visible = first.visible;
  second.enabled = first.enabled;
  Apply(second);
}

void MainMenus::Build(QMenuBar* menuBar, QMenu* popup) {
  // File
  QMenu* file = AddMenu(menuBar, MenuEntry::FileMenu, BiText{S("&File"), S("&Arkiv")});
  Add(file, MenuEntry::Open, BiText{S("&Open..."), S("&Öppna...")});
  file->addSeparator();
  Add(file, MenuEntry::SaveAs, BiText{S("Save Overview &As..."), S("Spara översikt so&m...")}, false);
  file->addSeparator();
  Add(file, MenuEntry::PrintFormat, BiText{S("Print &Format..."), S("Utskrifts&format...")}, false);
  file->addSeparator();
  Add(file, MenuEntry::Properties, BiText{S("P&roperties"), S("&Egenskaper")}, false);
  file->addSeparator();
  for (int i = 0; i < 5; ++i) Add(file, RecentFileEntry(i), BiText{}, true, false);
  Separator(file, MenuEntry::RecentSeparator, false);
  Add(file, MenuEntry::Exit, BiText{S("E&xit"), S("&Avsluta")});

  // Edit
  QMenu* edit = AddMenu(menuBar, MenuEntry::EditMenu, BiText{S("&Edit"), S("&Redigera")});
  Add(edit, MenuEntry::Copy, BiText{S("&Copy Overview"), S("K&opiera översikt")}, false)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  Add(edit, MenuEntry::CopyHeadersAndTotals, BiText{S("Copy Headers and &Totals"), S("Kopiera rubriker och &totaler")},
      false);
  Add(edit, MenuEntry::CopyIndexes, BiText{S("Copy &Indexes..."), S("Kopiera &index...")}, true, false);
  Add(edit, MenuEntry::CopyToMiniOverview, BiText{S("Copy to &Mini-overview"), S("Kopiera till &miniöversikt")}, false)
      ->setShortcut(QKeySequence(Qt::Key_F4));
  Add(edit, MenuEntry::CopyData, BiText{S("Copy Overview as &Data"), S("Kopiera översikt som &data")}, true, false);

  // View
  QMenu* view = AddMenu(menuBar, MenuEntry::ViewMenu, BiText{S("&View"), S("&Visa")});
  Add(view, MenuEntry::Navigator, BiText{S("&Navigator"), S("&Navigatör")}, false)->setCheckable(true);
  Add(view, MenuEntry::DetailInfo, BiText{S("Detail &Information"), S("Detalj&information")}, false)
      ->setCheckable(true);
  view->addSeparator();
  Add(view, MenuEntry::DistributionGraph, BiText{S("&Distribution Graph..."), S("&Fördelningsgraf...")}, false);
  Add(view, MenuEntry::TotalIndexGraph, BiText{S("&Total Index Graph..."), S("&Totalindexgraf...")}, true, false);
  AddMenu(view, MenuEntry::BlockIndexGraphMenu, BiText{S("&Block Index Graph"), S("&Blockindexgraf")}, false);
  AddMenu(view, MenuEntry::BlockHistogramMenu, BiText{S("Block &Histogram"), S("Block&histogram")}, false);
  AddMenu(view, MenuEntry::BlockGraphMenu, BiText{S("Block &Graph"), S("Block&graf")}, false);
  AddMenu(view, MenuEntry::BlockRankingGraphMenu, BiText{S("Block &Ranking Graph"), S("Block&rankningsgraf")}, false);
  Add(view, MenuEntry::Comments, BiText{S("&Comments"), S("&Kommentarer")}, false);
  view->addSeparator();
  Add(view, MenuEntry::CloseAllGraphWindows, BiText{S("Close &All Graph Windows"), S("Stäng &alla diagramfönster")},
      false);

  // Tools
  QMenu* tools = AddMenu(menuBar, MenuEntry::ToolsMenu, BiText{S("&Tools"), S("Verkt&yg")});
  Add(tools, MenuEntry::EditBlocks, BiText{S("Edit &Blocks..."), S("Redigera &block...")}, false);
  tools->addSeparator();
  Add(tools, MenuEntry::Options, BiText{S("&Options..."), S("&Alternativ...")});

  // Help
  QMenu* help = AddMenu(menuBar, MenuEntry::HelpMenu, BiText{S("&Help"), S("&Hjälp")});
  Add(help, MenuEntry::HelpTopics, BiText{S("&Help Topics"), S("&Hjälpavsnitt")});
  help->addSeparator();
  Add(help, MenuEntry::About, BiText{S("&About KVF Viewer..."), S("&Om ") + ApplicationTitle() + S("...")});

  // The pop-up menu of the sheet.
  popup->setObjectName(S("SheetPopupMenu"));
  Add(popup, MenuEntry::PopupRowsComments, BiText{S("Show R&ow's Comments"), S("Visa r&adens kommentarer")});
  Add(popup, MenuEntry::PopupColumnsComments, BiText{S("Show Co&lumn's Comments"), S("Visa &kolumnens kommentarer")});
  Add(popup, MenuEntry::PopupCopyRowsAnswers, BiText{S("Copy this Row's Ans&wers"), S("Kopiera den här radens &svar")});
  Separator(popup, MenuEntry::PopupSeparator1);
  Add(popup, MenuEntry::PopupTotalIndexGraph, BiText{S("Show &Total Index Graph..."), S("Visa &totalindexgraf...")});
  Add(popup, MenuEntry::PopupBlockIndexGraph, BiText{S("Show &Block Index Graph..."), S("Visa block&indexgraf...")});
  Add(popup, MenuEntry::PopupBlockHistogram, BiText{S("Show Block &Histogram"), S("Visa block&histogram")});
  Add(popup, MenuEntry::PopupBlockGraph, BiText{S("Show Block &Graph"), S("Visa block&graf")});
  QMenu* blockRanking = AddMenu(popup, MenuEntry::PopupBlockRankingGraphMenu,
                                BiText{S("Show Block &Ranking Graph"), S("Visa block&rankningsgraf")});
  Add(blockRanking, MenuEntry::PopupBlockRankingByRanking,
      BiText{S("Sorted by &Ranking"), S("Sorterad efter &rankning")});
  Add(blockRanking, MenuEntry::PopupBlockRankingByOption,
      BiText{S("Sorted by &Option"), S("Sorterad efter &alternativ")});
  QMenu* histogram = AddMenu(popup, MenuEntry::PopupQuestionHistogramMenu,
                             BiText{S("Show Question &Histogram"), S("Visa fråge&histogram")});
  Add(histogram, MenuEntry::PopupHistogramTotal,
      BiText{S("&Total for Current Selection"), S("&Totalt för aktuellt urval")});
  AddMenu(histogram, MenuEntry::PopupHistogramSplitByMenu, BiText{S("&Split by"), S("&Fördelat på")}, false);
  Add(histogram, MenuEntry::PopupHistogramSplitByQuestion,
      BiText{S("Split by &Another Question..."), S("Fördelat på en &annan fråga...")});
  QMenu* graph =
      AddMenu(popup, MenuEntry::PopupQuestionGraphMenu, BiText{S("Show Question &Graph"), S("Visa fråge&graf")});
  Add(graph, MenuEntry::PopupGraphTotal, BiText{S("&Total for Current Selection"), S("&Totalt för aktuellt urval")});
  AddMenu(graph, MenuEntry::PopupGraphSplitByMenu, BiText{S("&Split by"), S("&Fördelad på")}, false);
  Add(graph, MenuEntry::PopupGraphSplitByQuestion,
      BiText{S("Split by &Another Question..."), S("Fördelad på en &annan fråga...")});
  QMenu* questionRanking = AddMenu(popup, MenuEntry::PopupQuestionRankingGraphMenu,
                                   BiText{S("Show Question &Ranking Graph"), S("Visa fråge&rankningsgraf")});
  Add(questionRanking, MenuEntry::PopupQuestionRankingByRanking,
      BiText{S("Sorted by &Ranking"), S("Sorterad efter &rankning")});
  Add(questionRanking, MenuEntry::PopupQuestionRankingByOption,
      BiText{S("Sorted by &Option"), S("Sorterad efter &alternativ")});
  Separator(popup, MenuEntry::PopupSeparator2);
  Add(popup, MenuEntry::PopupCopy, BiText{S("&Copy Overview"), S("K&opiera översikt")});
  Add(popup, MenuEntry::PopupCopyHeadersAndTotals,
      BiText{S("Copy Headers a&nd Totals"), S("Kopiera rubriker o&ch totaler")});
  Add(popup, MenuEntry::PopupCopyIndexes, BiText{S("Copy &Indexes..."), S("Kopiera i&ndex...")});
  Add(popup, MenuEntry::PopupSaveAs, BiText{S("Save Overview &As..."), S("Spara översikt so&m...")});
  Add(popup, MenuEntry::PopupCopyToMiniOverview, BiText{S("Copy to &Mini-overview"), S("Kopiera till mini&översikt")});
  Add(popup, MenuEntry::PopupCopyData, BiText{S("Copy Overview as &Data"), S("Kopiera översikt som &data")});
  Separator(popup, MenuEntry::PopupSeparator3, false);
  wheelGroup_ = new QActionGroup(popup);
  for (int i = 0; i < 2; ++i) {
    QAction* action = Add(popup, i == 0 ? MenuEntry::PopupWheelVertical : MenuEntry::PopupWheelHorizontal,
                          i == 0 ? BiText{S("Mouse Wheel Scrolls &Vertically"), S("Mushjulet bläddrar &vertikalt")}
                                 : BiText{S("Mouse Wheel Scrolls Hori&zontally"), S("Mushjulet bläddrar horisonta&lt")},
                          true, false);
    action->setCheckable(true);
    action->setChecked(i == 0);
    wheelGroup_->addAction(action);
  }

  Twin(MenuEntry::Copy, MenuEntry::PopupCopy);
  Twin(MenuEntry::CopyHeadersAndTotals, MenuEntry::PopupCopyHeadersAndTotals);
  Twin(MenuEntry::CopyIndexes, MenuEntry::PopupCopyIndexes);
  Twin(MenuEntry::SaveAs, MenuEntry::PopupSaveAs);
  Twin(MenuEntry::CopyToMiniOverview, MenuEntry::PopupCopyToMiniOverview);
  Twin(MenuEntry::CopyData, MenuEntry::PopupCopyData);
  Twin(MenuEntry::TotalIndexGraph, MenuEntry::PopupTotalIndexGraph);

#ifndef QT_NO_DEBUG
  for (int i = 0; i < kMenuEntryCount; ++i)
    Q_ASSERT_X(entries_[static_cast<size_t>(i)].action != nullptr, "MainMenus::Build",
               MenuEntryName(static_cast<MenuEntry>(i)));
#endif
}

void MainMenus::ApplyLanguage(bool swedish) {
  swedish_ = swedish;
  for (int i = 0; i < kMenuEntryCount; ++i) {
    const Entry& entry = entries_[static_cast<size_t>(i)];
    if (entry.action == nullptr || entry.action->isSeparator()) continue;
    if (entry.caption.english.isEmpty()) continue;  // recent files: the captions are file names
    const QString text = entry.caption.Get(swedish);
    if (entry.menu != nullptr) entry.menu->setTitle(text);
    entry.action->setText(text);
  }
}

MainMenus::Entry* MainMenus::Find(MenuEntry entry) {
  return const_cast<Entry*>(static_cast<const MainMenus*>(this)->Find(entry));
}

const MainMenus::Entry* MainMenus::Find(MenuEntry entry) const {
  const int index = static_cast<int>(entry);
  const bool known = index >= 0 && index < kMenuEntryCount && entries_[static_cast<size_t>(index)].action != nullptr;
  Q_ASSERT_X(known, "MainMenus", "an entry that was not built");
  return known ? &entries_[static_cast<size_t>(index)] : nullptr;
}

QAction* MainMenus::Action(MenuEntry entry) const {
  const Entry* found = Find(entry);
  return found == nullptr ? nullptr : found->action;
}

QMenu* MainMenus::Menu(MenuEntry entry) const {
  const Entry* found = Find(entry);
  return found == nullptr ? nullptr : found->menu;
}

void MainMenus::Apply(const Entry& entry) {
  entry.action->setVisible(entry.visible);
  entry.action->setEnabled(entry.enabled && entry.connected);
}

void MainMenus::SetVisible(MenuEntry entry, bool visible) {
  Entry* found = Find(entry);
  if (found == nullptr) return;
  found->visible = visible;
  Apply(*found);
  if (Entry* twin = found->twin == MenuEntry::Count ? nullptr : Find(found->twin)) {
    twin->visible = visible;
    Apply(*twin);
  }
}

void MainMenus::SetEnabled(MenuEntry entry, bool enabled) {
  Entry* found = Find(entry);
  if (found == nullptr) return;
  found->enabled = enabled;
  Apply(*found);
  if (Entry* twin = found->twin == MenuEntry::Count ? nullptr : Find(found->twin)) {
    twin->enabled = enabled;
    Apply(*twin);
  }
}

void MainMenus::SetChecked(MenuEntry entry, bool checked) {
  if (QAction* action = Action(entry)) action->setChecked(checked);
}

bool MainMenus::LogicalVisible(MenuEntry entry) const {
  const Entry* found = Find(entry);
  return found != nullptr && found->visible;
}

bool MainMenus::LogicalEnabled(MenuEntry entry) const {
  const Entry* found = Find(entry);
  return found != nullptr && found->enabled;
}

void MainMenus::Connect(MenuEntry entry, std::function<void()> command) {
  Entry* found = Find(entry);
  if (found == nullptr) return;
  QObject::connect(found->action, &QAction::triggered, found->action, [command] { command(); });
  found->connected = true;
  Apply(*found);
  if (found->twin != MenuEntry::Count && !Connected(found->twin)) Connect(found->twin, command);
}

bool MainMenus::Connected(MenuEntry entry) const {
  const Entry* found = Find(entry);
  return found != nullptr && found->connected;
}

std::vector<QAction*> MainMenus::SetDynamicItems(MenuEntry submenu, const QStringList& captions,
                                                 const std::function<void(int)>& command) {
  Entry* found = Find(submenu);
  if (found == nullptr || found->menu == nullptr) return {};
  std::vector<QAction*>& items = found->dynamicItems;
  for (QAction* item : items) delete item;
  items.clear();
  const QString prefix = QString::fromLatin1(MenuEntryName(submenu)) + QStringLiteral("Item");
  for (qsizetype k = 0; k < captions.size(); ++k) {
    QAction* action = found->menu->addAction(captions[k]);
    action->setObjectName(prefix + QString::number(k));
    const int index = static_cast<int>(k);
    if (command) QObject::connect(action, &QAction::triggered, action, [command, index] { command(index); });
    action->setEnabled(static_cast<bool>(command));
    items.push_back(action);
  }
  return items;
}

}  // namespace kvf::app
