#pragma once
// A main window for widget tests: an in-memory registry, a memory clipboard,
// message boxes recorded instead of shown, and the sample document. The
// tests share one application object and run headless unless told otherwise.
#include <gtest/gtest.h>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "app/mainwindow/MainWindow.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/registry/MemoryRegistryStore.h"

namespace kvf::testing {

struct RecordedMessage {
  QMessageBox::Icon icon;
  QString caption;
};

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
  void TearDown() override { window_.reset(); }

  // A new window on the fixture's store (Load is not called).
  app::MainWindow& MakeWindow();
  // Makes the window, loads it with arguments and waits for a command-line
  // document to be opened.
  app::MainWindow& StartWith(const QStringList& arguments);
  // Sends a pointer move over widget at (in widget coordinates).
  static void MoveOver(QWidget* widget, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  static QString EnglishSample() { return QStringLiteral(KVF_SAMPLES_DIR "/staff-survey-en.kvf"); }

  bool Visible(app::MenuEntry name) { return window_->Menus().Action(name)->isVisible(); }
  bool Enabled(app::MenuEntry name) { return window_->Menus().Action(name)->isEnabled(); }

  platform::MemoryRegistryStore store_;
  platform::MemoryClipboard clipboard_;
  std::vector<RecordedMessage> messages_;
  std::unique_ptr<app::MainWindow> window_;
  bool printerAvailable_ = false;  // the environment's default printer exists
  QTemporaryDir folder_;
};

}  // namespace kvf::testing
