#pragma once
// The user guide: one HTML page per language, shipped with the program and
// opened in the desktop's browser.
#include <QString>
#include <QStringList>

namespace kvf::app {

// "kvf-viewer-sv.html" or "kvf-viewer-en.html".
QString HelpFileName(bool swedish);

// The folders searched, in order: $KVF_HELP_DIR, <program folder>/help,
// <program folder>/../share/kvf-viewer/help, and the source tree's
// docs/help (for runs from a build folder).
QStringList HelpFolders(const QString& programFolder);

// The first existing help file of the language; "" when there is none.
QString FindHelpFile(bool swedish, const QString& programFolder);

}  // namespace kvf::app
