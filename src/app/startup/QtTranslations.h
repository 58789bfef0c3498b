#pragma once
// The toolkit's own texts (buttons of message boxes, the file dialog) in
// the interface language.
#include <QCoreApplication>
#include <QString>

namespace kvf::app {

// Loads qtbase's Swedish catalogue (Debian package qt6-translations-l10n)
// when swedish is true and installs it on the application. Returns true when
// a catalogue was installed; false (English texts) otherwise.
// REQUIRES: a QCoreApplication exists; the translator lives as long as it.
bool InstallToolkitTranslation(bool swedish);

// The folder the catalogues are read from.
QString ToolkitTranslationsFolder();

}  // namespace kvf::app
