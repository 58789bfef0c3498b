#include "app/import/KvfMakeProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

#include "core/text/BiText.h"
#include "core/text/Language.h"

namespace kvf::app {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

QString KvfMakeOutcome::Message() const {
  if (exitCode < 0) {
    return BiText{S("The import program stopped before it finished."),
                  S("Importprogrammet avbröts innan det var klart.")}
        .Get();
  }
  QString text = QString::fromUtf8(err).section(u'\n', 0, 0).trimmed();
  if (text.startsWith(QLatin1String("kvf-make: "))) text = text.mid(10);
  return text;
}

QString KvfMakeProcess::Locate() {
  const QString fromEnvironment = qEnvironmentVariable("KVF_MAKE_PROGRAM");
  if (!fromEnvironment.isEmpty()) return QFileInfo(fromEnvironment).isExecutable() ? fromEnvironment : QString();
  const QDir here(QCoreApplication::applicationDirPath());
  for (const QString& candidate : {here.filePath(S("kvf-make")), here.filePath(S("../../tools/kvf-make/kvf-make")),
                                   here.filePath(S("../tools/kvf-make/kvf-make"))}) {
    if (QFileInfo(candidate).isExecutable()) return QDir::cleanPath(candidate);
  }
  return QStandardPaths::findExecutable(S("kvf-make"));
}

KvfMakeOutcome KvfMakeProcess::Run(const QStringList& arguments, QWidget* parent) {
  KvfMakeOutcome outcome;
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  // The child's messages in the viewer's language.
  environment.insert(S("LC_MESSAGES"), Swedish() ? S("sv_SE.UTF-8") : S("C.UTF-8"));
  environment.remove(S("LC_ALL"));
  environment.remove(S("LANG"));
  process.setProcessEnvironment(environment);
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) loop.quit();
  });
  QProgressDialog progress(BiText{S("Importing..."), S("Importerar...")}.Get(), BiText{S("Cancel"), S("Avbryt")}.Get(),
                           0, 0, parent);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  QObject::connect(&progress, &QProgressDialog::canceled, &process, &QProcess::kill);
  process.start(Locate(), arguments);
  if (process.state() != QProcess::NotRunning) loop.exec();
  progress.reset();
  outcome.out = process.readAllStandardOutput();
  outcome.err = process.readAllStandardError();
  outcome.exitCode = process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::FailedToStart
                         ? process.exitCode()
                         : -1;
  return outcome;
}

}  // namespace kvf::app
