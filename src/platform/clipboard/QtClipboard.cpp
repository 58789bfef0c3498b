#include "platform/clipboard/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kvf::platform {

bool QtClipboard::SetText(const QString& text) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->clear();
  clipboard->setText(text);
  return true;
}

}  // namespace kvf::platform
