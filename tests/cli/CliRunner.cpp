#include "cli/CliRunner.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace kvf::testing {

CliResult RunKvf(const QStringList& arguments, const QString& language) {
  return RunKvfWithEnvironment(arguments, {}, language);
}

CliResult RunKvfWithEnvironment(const QStringList& arguments, const QList<QPair<QString, QString>>& environment,
                                const QString& language) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const auto& [name, value] : environment) env.insert(name, value);
  env.insert(QStringLiteral("LC_ALL"), language == QStringLiteral("sv") ? QStringLiteral("sv_SE.UTF-8")
                                                                        : QStringLiteral("C.UTF-8"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(KVF_PROGRAM), arguments);
  CliResult result;
  if (!process.waitForFinished(120000)) {
    process.kill();
    process.waitForFinished();
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = process.readAllStandardOutput();
  result.err = process.readAllStandardError();
  return result;
}

QString TempDir() {
  static QTemporaryDir dir;
  return dir.path();
}

}  // namespace kvf::testing
