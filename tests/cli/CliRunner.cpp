#include "cli/CliRunner.h"

#include "kvfwriter/JsonDescription.h"
#include "kvfwriter/KvfWriter.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace kvf::testing {

CliResult RunKvf(const QStringList& arguments, const QString& language, const QString& configHome) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!configHome.isEmpty()) env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
  env.insert(QStringLiteral("LC_ALL"),
             language == QStringLiteral("sv") ? QStringLiteral("sv_SE.UTF-8") : QStringLiteral("C.UTF-8"));
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

QString SaveFixture(const writer::KvfDescription& description, const QString& name) {
  static int counter = 0;
  const QString file =
      name.endsWith(QStringLiteral(".kvf")) ? name : QStringLiteral("%1-%2.kvf").arg(name).arg(++counter);
  const QString path = TempDir() + QLatin1Char('/') + file;
  QString error;
  EXPECT_TRUE(writer::SaveKvf(description, path, &error)) << error.toStdString();
  return path;
}

writer::KvfDescription FromJson(const char* json) {
  writer::KvfDescription description;
  QString error;
  EXPECT_TRUE(writer::ParseJsonDescription(QByteArray(json), &description, &error)) << error.toStdString();
  return description;
}

QJsonObject RunJson(const QStringList& arguments, const QString& language) {
  const CliResult result = RunKvf(arguments, language);
  EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
  QJsonParseError error;
  const QJsonDocument json = QJsonDocument::fromJson(result.out, &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  return json.object();
}

void ExpectKeysInOrder(const QByteArray& out, const char* keys) {
  qsizetype last = -1;
  for (const QByteArray& key : QByteArray(keys).split(' ')) {
    const qsizetype at = out.indexOf('"' + key + '"');
    ASSERT_GT(at, last) << key.toStdString();
    last = at;
  }
}

}  // namespace kvf::testing
