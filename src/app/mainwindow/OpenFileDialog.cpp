#include "app/mainwindow/OpenFileDialog.h"

#include <QFileInfo>

namespace kvf::app {

QString OpenDialogCaption(bool swedish) {
  return swedish ? QStringLiteral("Öppna datafil") : QStringLiteral("Open Data File");
}

OpenDialogSetup MakeOpenDialogSetup(bool swedish, const QString& openDocumentName, const QString& documentTitle,
                                    const QString& dataOpenFolder, const QString& documentsFolder) {
  OpenDialogSetup setup;
  setup.caption = OpenDialogCaption(swedish);
  // Desktops on Linux always show extensions, so the patterns are shown.
  if (swedish)
    setup.filters = {QStringLiteral("KVF-filer (*.kvf)"), QStringLiteral("Alla filer (*.*)")};
  else
    setup.filters = {QStringLiteral("KVF files (*.kvf)"), QStringLiteral("All files (*.*)")};
  setup.selectedFilter =
      openDocumentName.isEmpty() || openDocumentName.endsWith(QStringLiteral(".kvf"), Qt::CaseInsensitive) ? 0 : 1;
  const QFileInfo folder(dataOpenFolder);
  setup.folder = !dataOpenFolder.isEmpty() && folder.isDir() ? dataOpenFolder : documentsFolder;
  setup.fileName = documentTitle;
  return setup;
}

}  // namespace kvf::app
