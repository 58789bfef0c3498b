// What File > Open asks the dialog, and where the user guide is found.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/mainwindow/HelpFiles.h"
#include "app/mainwindow/OpenFileDialog.h"

namespace kvf::app {
namespace {

TEST(OpenDialog, CaptionAndFiltersInBothLanguages) {
  const OpenDialogSetup english = MakeOpenDialogSetup(false, QString(), QString(), QString(), QStringLiteral("/docs"));
  EXPECT_EQ(QStringList{english.caption} + english.filters, (QStringList{"Open Data File", "KVF files (*.kvf)", "All files (*.*)"}));
  const OpenDialogSetup swedish = MakeOpenDialogSetup(true, QString(), QString(), QString(), QStringLiteral("/docs"));
  EXPECT_EQ(QStringList{swedish.caption} + swedish.filters, (QStringList{"Öppna datafil", "KVF-filer (*.kvf)", "Alla filer (*.*)"}));
}

TEST(OpenDialog, FirstFilterUnlessTheOpenDocumentIsNotKvf) {
  for (const auto& [open, filter] : {std::pair{"", 0}, std::pair{"a.KVF", 0}, std::pair{"a.dat", 1}}) {
    const QString name = QString::fromLatin1(open);
    EXPECT_EQ(MakeOpenDialogSetup(false, name, name, QString(), QString()).selectedFilter, filter) << open;
  }
}

TEST(OpenDialog, RememberedFolderOnlyWhileItExists) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const OpenDialogSetup there =
      MakeOpenDialogSetup(false, QString(), QStringLiteral("t.kvf"), folder.path(), QStringLiteral("/docs"));
  EXPECT_EQ(std::make_tuple(there.folder, there.fileName), std::make_tuple(folder.path(), QStringLiteral("t.kvf")));
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
