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

TEST(OpenDialog, CaptionAndFiltersInBothLanguages) {
  const OpenDialogSetup english = MakeOpenDialogSetup(false, QString(), QString(), QString(), QStringLiteral("/docs"));
  EXPECT_EQ(english.caption, QStringLiteral("Open Data File"));
  EXPECT_EQ(english.filterLabels,
            (QStringList{QStringLiteral("KVF files (*.kvf)"), QStringLiteral("All files (*.*)")}));
  const OpenDialogSetup swedish = MakeOpenDialogSetup(true, QString(), QString(), QString(), QStringLiteral("/docs"));
  EXPECT_EQ(swedish.caption, QStringLiteral("Öppna datafil"));
  EXPECT_EQ(swedish.filterLabels,
            (QStringList{QStringLiteral("KVF-filer (*.kvf)"), QStringLiteral("Alla filer (*.*)")}));
}

TEST(OpenDialog, AllFilesKeepsItsLabelAndTakesNamesWithoutADot) {
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  ConfigureOpenDialog(dialog, MakeOpenDialogSetup(false, QStringLiteral("a.dat"), QString(), QString(), QString()));
  const QComboBox* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  ASSERT_NE(types, nullptr);
  EXPECT_EQ(types->currentText(), QStringLiteral("All files (*.*)"));
  const QFileSystemModel* files = dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("*")});
}

TEST(OpenDialog, FirstFilterUnlessTheOpenDocumentIsNotKvf) {
  EXPECT_EQ(MakeOpenDialogSetup(false, QString(), QString(), QString(), QString()).selectedFilter, 0);
  EXPECT_EQ(MakeOpenDialogSetup(false, QStringLiteral("a.KVF"), QStringLiteral("a.KVF"), QString(), QString())
                .selectedFilter,
            0);
  EXPECT_EQ(MakeOpenDialogSetup(false, QStringLiteral("a.dat"), QStringLiteral("a.dat"), QString(), QString())
                .selectedFilter,
            1);
}

TEST(OpenDialog, RememberedFolderOnlyWhileItExists) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const OpenDialogSetup there =
      MakeOpenDialogSetup(false, QString(), QStringLiteral("t.kvf"), folder.path(), QStringLiteral("/docs"));
  EXPECT_EQ(there.folder, folder.path());
  EXPECT_EQ(there.fileName, QStringLiteral("t.kvf"));
  const OpenDialogSetup gone =
      MakeOpenDialogSetup(false, QString(), QString(), folder.filePath(QStringLiteral("gone")), QStringLiteral("/docs"));
  EXPECT_EQ(gone.folder, QStringLiteral("/docs"));
}

TEST(HelpFiles, ShippedGuideIsFoundInBothLanguages) {
  const QString english = FindHelpFile(false, QStringLiteral("/nonexistent"));
  const QString swedish = FindHelpFile(true, QStringLiteral("/nonexistent"));
  EXPECT_TRUE(english.endsWith(QStringLiteral("/kvf-viewer-en.html"))) << english.toStdString();
  EXPECT_TRUE(swedish.endsWith(QStringLiteral("/kvf-viewer-sv.html"))) << swedish.toStdString();
}

TEST(HelpFiles, ProgramFolderComesBeforeTheSourceTree) {
  QTemporaryDir program;
  ASSERT_TRUE(program.isValid());
  ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("help")));
  QFile file(program.filePath(QStringLiteral("help/kvf-viewer-en.html")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_EQ(FindHelpFile(false, program.path()), QFileInfo(file).absoluteFilePath());
}

}  // namespace
}  // namespace kvf::app
