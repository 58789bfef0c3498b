#include "app/mainwindow/OpenFileDialog.h"

#include <QFileInfo>

namespace kvf::app {

BiText OpenDialogCaption() { return BiText{QStringLiteral("Open Data File"), QStringLiteral("Öppna datafil")}; }

OpenDialogSetup MakeOpenDialogSetup(bool swedish, const QString& openDocumentName, const QString& documentTitle,
                                    const QString& dataOpenFolder, const QString& documentsFolder) {
  OpenDialogSetup setup;
  setup.caption = OpenDialogCaption().Get(swedish);
  // Desktops on Linux always show extensions, so the patterns are shown.
  const BiText kvfFiles{QStringLiteral("KVF files (*.kvf)"), QStringLiteral("KVF-filer (*.kvf)")};
  const BiText allFiles{QStringLiteral("All files (*.*)"), QStringLiteral("Alla filer (*.*)")};
  setup.filters = {kvfFiles.Get(swedish), allFiles.Get(swedish)};
  setup.selectedFilter =
      openDocumentName.isEmpty() || openDocumentName.endsWith(QStringLiteral(".kvf"), Qt::CaseInsensitive) ? 0 : 1;
  const QFileInfo folder(dataOpenFolder);
  setup.folder = !dataOpenFolder.isEmpty() && folder.isDir() ? dataOpenFolder : documentsFolder;
  setup.fileName = documentTitle;
  return setup;
}

}  // namespace kvf::app
