#pragma once
// The toolkit's own texts (buttons of message boxes, the file dialog) in
// the interface language.
#include <QCoreApplication>
#include <QString>

namespace kvf::app {

// When swedish is true, installs qtbase's Swedish catalogue (Debian package
// qt6-translations-l10n: qtbase_sv.qm, or the older qt_sv.qm, which covers
// the file dialog but not Qt 6's standard buttons) and a small translator
// for the standard buttons (Yes, No, Cancel...). Returns true when Swedish
// texts were installed; false (English texts) otherwise.
// REQUIRES: a QCoreApplication exists; the translator lives as long as it.
bool InstallToolkitTranslation(bool swedish);

// The folder the catalogues are read from.
QString ToolkitTranslationsFolder();

}  // namespace kvf::app
