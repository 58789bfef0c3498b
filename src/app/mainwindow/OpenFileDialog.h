#pragma once
// What File > Open asks the file dialog: caption, filters and the folder and
// name it starts with.
#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "core/text/BiText.h"

namespace kvf::app {

struct OpenDialogSetup {
  QString caption;        // "Open Data File" / "Öppna datafil"
  // KVF files first, then all files. Each filter is its label followed by
  // its pattern in parentheses ("All files (*.*) (*)"); the dialog shows
  // the labels only (QFileDialog::HideNameFilterDetails).
  QStringList filters;
  QStringList filterLabels;  // "KVF files (*.kvf)", "All files (*.*)"
  int selectedFilter = 0; // 0 or 1
  QString folder;
  QString fileName;       // the open document's title, "" without one
};

// openDocumentName: the open document's file name ("" when none);
// dataOpenFolder: the remembered folder, used when it exists, else
// documentsFolder. The first filter is chosen when no document is open or
// its name ends in ".kvf" in any letter case.
OpenDialogSetup MakeOpenDialogSetup(bool swedish, const QString& openDocumentName, const QString& documentTitle,
                                    const QString& dataOpenFolder, const QString& documentsFolder);

// Gives the dialog the caption, folder, filters (labels shown) and file.
void ConfigureOpenDialog(QFileDialog& dialog, const OpenDialogSetup& setup);

// "Open Data File" / "Öppna datafil".
BiText OpenDialogCaption();

}  // namespace kvf::app
