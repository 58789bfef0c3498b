#include "app/mainwindow/HelpFiles.h"

#include <QDir>
#include <QFileInfo>

#include "core/text/BiText.h"

namespace kvf::app {

QString HelpFileName(bool swedish) {
  return BiText{QStringLiteral("kvf-viewer-en.html"), QStringLiteral("kvf-viewer-sv.html")}.Get(swedish);
}

QStringList HelpFolders(const QString& programFolder) {
  QStringList folders;
  const QString fromEnvironment = qEnvironmentVariable("KVF_HELP_DIR");
  if (!fromEnvironment.isEmpty()) folders << fromEnvironment;
  folders << programFolder + QStringLiteral("/help");
  folders << QDir::cleanPath(programFolder + QStringLiteral("/../share/kvf-viewer/help"));
#ifdef KVF_SOURCE_HELP_DIR
  folders << QStringLiteral(KVF_SOURCE_HELP_DIR);
#endif
  return folders;
}

QString FindHelpFile(bool swedish, const QString& programFolder) {
  for (const QString& folder : HelpFolders(programFolder)) {
    const QFileInfo file(folder + QLatin1Char('/') + HelpFileName(swedish));
    if (file.isFile()) return file.absoluteFilePath();
  }
  return QString();
}

}  // namespace kvf::app
