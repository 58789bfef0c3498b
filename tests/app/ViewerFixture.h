#pragma once
// A main window for widget tests: an in-memory registry, a memory clipboard,
// message boxes recorded instead of shown, and the sample documents.
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "app/mainwindow/MainWindow.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/registry/MemoryRegistryStore.h"

namespace kvf::testing {

struct RecordedMessage {
  QMessageBox::Icon icon;
  QString caption;
  QString text;
};

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A new window on the fixture's store (Load is not called).
  app::MainWindow& MakeWindow();
  // Makes the window, loads it with arguments and waits for a command-line
  // document to be opened.
  app::MainWindow& StartWith(const QStringList& arguments);

  static QString SamplePath(const QString& name);  // "staff-survey-en"
  static QString EnglishSample() { return SamplePath(QStringLiteral("staff-survey-en")); }
  // A synthetic document written to the temporary folder.
  QString SyntheticDocument(const QString& name, int respondents, int questions, int dimensions);

  // Text of a menu entry and whether it shows and can be chosen.
  QString Caption(app::MenuEntry name);
  bool Visible(app::MenuEntry name);
  bool Enabled(app::MenuEntry name);

  platform::MemoryRegistryStore store_;
  platform::MemoryClipboard clipboard_;
  std::vector<RecordedMessage> messages_;
  std::unique_ptr<app::MainWindow> window_;
  QTemporaryDir folder_;
};

}  // namespace kvf::testing
