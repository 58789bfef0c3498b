#pragma once
// Runs the kvf program and collects what it printed.
#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "kvfwriter/KvfDescription.h"

namespace kvf::testing {

struct CliResult {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

// Runs kvf with the arguments. language: "en" or "sv" sets LC_ALL;
// configHome, when given, is this run's XDG_CONFIG_HOME.
CliResult RunKvf(const QStringList& arguments, const QString& language = QStringLiteral("en"),
                 const QString& configHome = QString());
// Runs a kvf command that prints JSON, expects exit 0 and valid JSON, and
// returns the object.
QJsonObject RunJson(const QStringList& arguments, const QString& language = QStringLiteral("en"));
// Expects each "key" of the space-separated keys in out after the one before it.
void ExpectKeysInOrder(const QByteArray& out, const char* keys);

// A fresh temporary folder for one test's files (removed with the process).
QString TempDir();
// Writes a document into TempDir() as "<name>-<n>.kvf" (exactly name when it
// ends in ".kvf") and returns its path; a failure to write fails the test.
QString SaveFixture(const writer::KvfDescription& description, const QString& name);
// A document from its JSON description (the kvf-make format); a parse error
// is a test failure.
writer::KvfDescription FromJson(const char* json);

}  // namespace kvf::testing
