// What File > Open asks the dialog, and where the user guide is found.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QTemporaryDir>

#include "app/mainwindow/HelpFiles.h"
#include "app/mainwindow/OpenFileDialog.h"

namespace kvf::app {
namespace {

TEST(OpenDialog, AllFilesKeepsItsLabelAndTakesNamesWithoutADot) {
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  ConfigureOpenDialog(dialog, MakeOpenDialogSetup(false, QStringLiteral("a.dat"), QString(), QString(), QString()));
  const QComboBox* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  const QFileSystemModel* files = dialog.findChild<QFileSystemModel*>();
  ASSERT_TRUE(types != nullptr && files != nullptr);
  EXPECT_EQ(types->currentText(), QStringLiteral("All files (*.*)"));
  EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("*")});
}

TEST(OpenDialog, FilterByTheOpenDocumentAndTheRememberedFolderWhileItExists) {
  EXPECT_EQ(MakeOpenDialogSetup(false, QString(), QString(), QString(), QString()).selectedFilter, 0);
  EXPECT_EQ(MakeOpenDialogSetup(false, "a.KVF", "a.KVF", QString(), QString()).selectedFilter, 0);
  EXPECT_EQ(MakeOpenDialogSetup(false, "a.dat", "a.dat", QString(), QString()).selectedFilter, 1);
  QTemporaryDir folder;
  const OpenDialogSetup there = MakeOpenDialogSetup(false, QString(), "t.kvf", folder.path(), "/docs");
  EXPECT_EQ(std::make_tuple(there.folder, there.fileName), std::make_tuple(folder.path(), QStringLiteral("t.kvf")));
  EXPECT_EQ(MakeOpenDialogSetup(false, QString(), QString(), folder.filePath("gone"), "/docs").folder, "/docs");
}

TEST(HelpFiles, ProgramFolderComesBeforeTheShippedGuide) {
  EXPECT_TRUE(FindHelpFile(true, QStringLiteral("/nonexistent")).endsWith(QStringLiteral("/kvf-viewer-sv.html")));
  QTemporaryDir program;
  ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("help")));
  QFile file(program.filePath(QStringLiteral("help/kvf-viewer-en.html")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_EQ(FindHelpFile(false, program.path()), QFileInfo(file).absoluteFilePath());
}

}  // namespace
}  // namespace kvf::app
