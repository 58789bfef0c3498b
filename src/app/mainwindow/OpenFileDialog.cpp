#include "app/mainwindow/OpenFileDialog.h"

#include <QFileInfo>

namespace kvf::app {

BiText OpenDialogCaption() { return BiText{QStringLiteral("Open Data File"), QStringLiteral("Öppna datafil")}; }

OpenDialogSetup MakeOpenDialogSetup(bool swedish, const QString& openDocumentName, const QString& documentTitle,
                                    const QString& dataOpenFolder, const QString& documentsFolder) {
  OpenDialogSetup setup;
  setup.caption = OpenDialogCaption().Get(swedish);
  // Desktops on Linux always show extensions, so the labels name the
  // patterns. "All files" must match names without a dot too: its pattern
  // is "*", whatever the label says.
  const BiText kvfFiles{QStringLiteral("KVF files (*.kvf)"), QStringLiteral("KVF-filer (*.kvf)")};
  const BiText allFiles{QStringLiteral("All files (*.*)"), QStringLiteral("Alla filer (*.*)")};
  setup.filterLabels = {kvfFiles.Get(swedish), allFiles.Get(swedish)};
  setup.filters = {setup.filterLabels[0] + QStringLiteral(" (*.kvf)"), setup.filterLabels[1] + QStringLiteral(" (*)")};
  setup.selectedFilter =
      openDocumentName.isEmpty() || openDocumentName.endsWith(QStringLiteral(".kvf"), Qt::CaseInsensitive) ? 0 : 1;
  const QFileInfo folder(dataOpenFolder);
  setup.folder = !dataOpenFolder.isEmpty() && folder.isDir() ? dataOpenFolder : documentsFolder;
  setup.fileName = documentTitle;
  return setup;
}

void ConfigureOpenDialog(QFileDialog& dialog, const OpenDialogSetup& setup) {
  dialog.setWindowTitle(setup.caption);
  dialog.setDirectory(setup.folder);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(setup.filters);
  dialog.selectNameFilter(setup.filters.value(setup.selectedFilter));
  if (!setup.fileName.isEmpty()) dialog.selectFile(setup.fileName);
}

}  // namespace kvf::app
