#pragma once
// The main window's menu bar and pop-up menu. Every entry is addressed by a
// MenuEntry, checked by the compiler; each has its English and Swedish
// caption, its shortcut and its state. Asking for an entry that was not built
// asserts in debug builds (and does nothing in release builds).
//
// An entry has a logical state (what the document allows: visible, enabled,
// checked) and a flag that its command is connected. The action shows the
// logical visibility and is enabled only when the logical state allows it
// AND a command is connected, so an entry whose window does not exist yet
// never does nothing: it is greyed. Entries of the pop-up that repeat a
// menu-bar entry are twins: setting one sets both.
//
// Ownership: the menus and actions are children of the menu bar / pop-up
// given to Build; MainMenus only keeps pointers.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "core/text/BiText.h"

namespace kvf::app {

// Every entry of the menu bar and the pop-up menu, in menu order. Entries
// named ...Menu are submenus (Menu() gives the QMenu); ...Separator entries
// are separators whose visibility changes.
enum class MenuEntry : int {
  FileMenu,
  Open,
  SaveAs,
  PrintFormat,
  Properties,
  Recent0,
  Recent1,
  Recent2,
  Recent3,
  Recent4,
  RecentSeparator,
  Exit,
  EditMenu,
  Copy,
  CopyHeadersAndTotals,
  CopyIndexes,
  CopyToMiniOverview,
  CopyData,
  ViewMenu,
  Navigator,
  DetailInfo,
  DistributionGraph,
  TotalIndexGraph,
  BlockIndexGraphMenu,
  BlockHistogramMenu,
  BlockGraphMenu,
  BlockRankingGraphMenu,
  Comments,
  CloseAllGraphWindows,
  ToolsMenu,
  EditBlocks,
  Options,
  HelpMenu,
  HelpTopics,
  About,
  PopupRowsComments,
  PopupColumnsComments,
  PopupCopyRowsAnswers,
  PopupSeparator1,
  PopupTotalIndexGraph,
  PopupBlockIndexGraph,
  PopupBlockHistogram,
  PopupBlockGraph,
  PopupBlockRankingGraphMenu,
  PopupBlockRankingByRanking,
  PopupBlockRankingByOption,
  PopupQuestionHistogramMenu,
  PopupHistogramTotal,
  PopupHistogramSplitByMenu,
  PopupHistogramSplitByQuestion,
  PopupQuestionGraphMenu,
  PopupGraphTotal,
  PopupGraphSplitByMenu,
  PopupGraphSplitByQuestion,
  PopupQuestionRankingGraphMenu,
  PopupQuestionRankingByRanking,
  PopupQuestionRankingByOption,
  PopupSeparator2,
  PopupCopy,
  PopupCopyHeadersAndTotals,
  PopupCopyIndexes,
  PopupSaveAs,
  PopupCopyToMiniOverview,
  PopupCopyData,
  PopupSeparator3,
  PopupWheelVertical,
  PopupWheelHorizontal,
  Count  // not an entry
};
inline constexpr int kMenuEntryCount = static_cast<int>(MenuEntry::Count);

// The entry's identifier ("Open"); also the object name of its action.
const char* MenuEntryName(MenuEntry entry);
// File > recent file `index` (0-based). REQUIRES: 0 <= index < 5.
MenuEntry RecentFileEntry(int index);
// View > block graph submenu by graph kind 1..4 (histogram, graph, ranking,
// index). REQUIRES: 1 <= kind <= 4.
MenuEntry BlockGraphSubmenu(int kind);

class MainMenus {
 public:
  // Builds every entry with its English caption and design state.
  void Build(QMenuBar* menuBar, QMenu* popup);
  // Replaces every caption by the Swedish (true) or English text.
  void ApplyLanguage(bool swedish);

  QAction* Action(MenuEntry entry) const;
  QMenu* Menu(MenuEntry entry) const;  // submenus and top menus; nullptr for the others

  // Logical state; each call updates the action (and its twin).
  void SetVisible(MenuEntry entry, bool visible);
  void SetEnabled(MenuEntry entry, bool enabled);
  void SetChecked(MenuEntry entry, bool checked);
  bool LogicalVisible(MenuEntry entry) const;
  bool LogicalEnabled(MenuEntry entry) const;

  // Connects the command of an entry (and of its twin); from now on the
  // entry is enabled when its logical state says so.
  void Connect(MenuEntry entry, std::function<void()> command);
  bool Connected(MenuEntry entry) const;

  // Replaces the items of a submenu that are made at run time (split-by
  // and block-graph items) by one item per caption; command(k) runs item k.
  // Without a command the items are greyed.
  std::vector<QAction*> SetDynamicItems(MenuEntry submenu, const QStringList& captions,
                                        const std::function<void(int)>& command);

  // The pop-up's radio items: exactly one of the two is checked.
  QActionGroup* WheelDirectionGroup() const { return wheelGroup_; }

 private:
  struct Entry {
    QAction* action = nullptr;
    QMenu* menu = nullptr;  // for submenus and top menus
    BiText caption;
    bool visible = true;
    bool enabled = true;
    bool connected = false;
    MenuEntry twin = MenuEntry::Count;  // Count: none
    std::vector<QAction*> dynamicItems;
  };
  // The built entry; asserts (debug) that it exists, else nullptr.
  Entry* Find(MenuEntry entry);
  const Entry* Find(MenuEntry entry) const;
  QAction* Add(QMenu* parent, MenuEntry entry, const BiText& caption, bool enabled = true, bool visible = true);
  QMenu* AddMenu(QWidget* parent, MenuEntry entry, const BiText& caption, bool visible = true);
  void Separator(QMenu* parent, MenuEntry entry, bool visible = true);
  void Twin(MenuEntry a, MenuEntry b);
  void Apply(const Entry& entry);

  std::array<Entry, kMenuEntryCount> entries_;
  QActionGroup* wheelGroup_ = nullptr;
  bool swedish_ = false;
};

}  // namespace kvf::app
