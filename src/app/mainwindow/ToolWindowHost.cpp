#include "app/mainwindow/ToolWindowHost.h"

#include <QEvent>
#include <QScreen>
#include <algorithm>
#include <utility>

namespace kvf::app {

ToolWindowHost::ToolWindowHost(QWidget& main, MainMenus& menus) : QObject(&main), main_(main), menus_(menus) {
  showLaterTimer_ = new QTimer(this);
  showLaterTimer_->setObjectName(QStringLiteral("showLaterTimer"));
  showLaterTimer_->setSingleShot(true);
  showLaterTimer_->setInterval(300);
  connect(showLaterTimer_, &QTimer::timeout, this, [this] {
    const QList<QPointer<QWidget>> windows = std::exchange(toShow_, {});
    for (const QPointer<QWidget>& window : windows)
      if (!window.isNull()) window->show();
  });
}

ToolWindowHost::~ToolWindowHost() { UnloadPools(); }

void ToolWindowHost::Attach(MenuEntry entry, ToolWindow* window) {
  tools_.push_back(Attached{entry, window, window->Widget()});
  window->Widget()->installEventFilter(this);
  menus_.Connect(entry, [this, entry] { Toggle(entry); });
  menus_.SetEnabled(entry, false);
}

void ToolWindowHost::Toggle(MenuEntry entry) {
  for (const Attached& tool : tools_) {
    if (tool.entry != entry || tool.widget.isNull()) continue;
    const bool show = tool.widget->isHidden();
    tool.widget->setVisible(show);
    menus_.SetChecked(entry, show);
  }
}

void ToolWindowHost::PlaceBeside(ToolWindow& tool, int offsetY) {
  tool.SetPlacementKnown();
  QWidget* widget = tool.Widget();
  const QRect frame = main_.frameGeometry();
  QPoint place(frame.right() + 1, frame.top() + offsetY);
  if (const QScreen* screen = main_.screen()) {
    const QRect area = screen->availableGeometry();
    place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - widget->frameGeometry().width())));
    place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - widget->frameGeometry().height())));
  }
  widget->move(place);
}

void ToolWindowHost::DocumentLoaded(const SurveyDocument& document) {
  int offsetY = 0;  // below the tool windows offered before
  for (const Attached& tool : tools_) {
    const bool offered = !tool.widget.isNull() && tool.tool->SetUpForDocument(document);
    if (offered) {
      if (!tool.tool->PlacementKnown()) PlaceBeside(*tool.tool, offsetY);
      offsetY += tool.widget->frameGeometry().height();
      tool.widget->show();
    }
    menus_.SetChecked(tool.entry, offered);
    menus_.SetEnabled(tool.entry, offered);
  }
}

void ToolWindowHost::ResetForNoDocument() {
  for (const Attached& tool : tools_) {
    if (!tool.widget.isNull()) {
      tool.tool->ResetForNoDocument();
      tool.widget->hide();
    }
    menus_.SetChecked(tool.entry, false);
    menus_.SetEnabled(tool.entry, false);
  }
}

void ToolWindowHost::MainWindowStateChanged(bool minimized) {
  for (const Attached& tool : tools_) {
    if (tool.widget.isNull()) continue;
    if (minimized)
      tool.widget->hide();
    else if (menus_.Action(tool.entry)->isChecked())
      tool.widget->show();
  }
}

void ToolWindowHost::CloseAll() {
  UnloadPools();
  for (const Attached& tool : tools_)
    if (!tool.widget.isNull()) tool.widget->close();
}

void ToolWindowHost::UnloadPools() {
  overviewPool_.UnloadAll();
  basicGraphPool_.UnloadAll();
  graphPool_.UnloadAll();
}

void ToolWindowHost::ShowLater(QWidget* window) {
  if (window == nullptr) return;
  toShow_.append(window);
  showLaterTimer_->start();
}

bool ToolWindowHost::eventFilter(QObject* watched, QEvent* event) {
  // The close box only hides a tool window; its View entry follows.
  if (event->type() == QEvent::Close)
    for (const Attached& tool : tools_)
      if (tool.widget == watched) menus_.SetChecked(tool.entry, false);
  return QObject::eventFilter(watched, event);
}

}  // namespace kvf::app
