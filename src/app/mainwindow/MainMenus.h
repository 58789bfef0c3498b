#pragma once
// The main window's menu bar and pop-up menu: every entry as a named QAction
// (objectName = the entry's name, "mnuFOpen"), with its English and Swedish
// caption, its shortcut and its state.
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
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/text/BiText.h"

namespace kvf::app {

class MainMenus {
 public:
  // Builds every entry with its English caption and design state.
  void Build(QMenuBar* menuBar, QMenu* popup);
  // Replaces every caption by the Swedish (true) or English text.
  void ApplyLanguage(bool swedish);

  QAction* Action(const QString& name) const;
  QMenu* Menu(const QString& name) const;  // submenus and top menus
  bool Has(const QString& name) const { return entries_.contains(name); }

  // Logical state; each call updates the action (and its twin).
  void SetVisible(const QString& name, bool visible);
  void SetEnabled(const QString& name, bool enabled);
  void SetChecked(const QString& name, bool checked);
  bool LogicalVisible(const QString& name) const;
  bool LogicalEnabled(const QString& name) const;

  // Connects the command of an entry (and of its twin); from now on the
  // entry is enabled when its logical state says so.
  void Connect(const QString& name, std::function<void()> command);
  bool Connected(const QString& name) const;

  // Replaces the items of a submenu that are made at run time (split-by
  // and block-graph items) by one item per caption, named itemPrefix + k;
  // command(k) runs item k. Without a command the items are greyed.
  std::vector<QAction*> SetDynamicItems(const QString& submenu, const QString& itemPrefix, const QStringList& captions,
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
    QString twin;
  };
  QAction* Add(QMenu* parent, const QString& name, const QString& english, const QString& swedish,
               bool enabled = true, bool visible = true);
  QMenu* AddMenu(QWidget* parent, const QString& name, const QString& english, const QString& swedish,
                 bool visible = true);
  void Separator(QMenu* parent, const QString& name = QString());
  void Twin(const QString& a, const QString& b);
  void Apply(const QString& name);

  QHash<QString, Entry> entries_;
  QHash<QString, std::vector<QAction*>> dynamicItems_;
  QActionGroup* wheelGroup_ = nullptr;
  bool swedish_ = false;
};

}  // namespace kvf::app
