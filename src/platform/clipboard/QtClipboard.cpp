#include "platform/clipboard/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kvf::platform {

bool QtClipboard::Set(const ClipboardEntry& entry) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  auto* data = new QMimeData;
  if (entry.hasText) data->setText(entry.text);
  for (const ClipboardFormat& format : entry.formats) data->setData(format.mimeType, format.bytes);
  clipboard->clear();
  clipboard->setMimeData(data);  // the clipboard owns the data from here
  // The clipboard serves the data it holds; a platform that did not take it
  // (no selection ownership) serves something else.
  return clipboard->mimeData() == data;
}

}  // namespace kvf::platform
