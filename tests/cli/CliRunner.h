#pragma once
// Runs the kvf program and collects what it printed.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvf::testing {

struct CliResult {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

// Runs kvf with the arguments. language: "en" or "sv" sets LC_ALL.
CliResult RunKvf(const QStringList& arguments, const QString& language = QStringLiteral("en"));
// The same with extra environment variables (name, value) for this run.
CliResult RunKvfWithEnvironment(const QStringList& arguments, const QList<QPair<QString, QString>>& environment,
                                const QString& language = QStringLiteral("en"));

// A fresh temporary folder for one test's files (removed with the process).
QString TempDir();

}  // namespace kvf::testing
