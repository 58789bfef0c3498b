#include "app/startup/QtTranslations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kvf::app {

QString ToolkitTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool InstallToolkitTranslation(bool swedish) {
  if (!swedish) return false;
  auto* translator = new QTranslator(QCoreApplication::instance());
  const QLocale swedishLocale(QLocale::Swedish, QLocale::Sweden);
  for (const char* name : {"qtbase", "qt"}) {
    if (translator->load(swedishLocale, QString::fromLatin1(name), QStringLiteral("_"), ToolkitTranslationsFolder())) {
      QCoreApplication::installTranslator(translator);
      return true;
    }
  }
  delete translator;
  return false;
}

}  // namespace kvf::app
