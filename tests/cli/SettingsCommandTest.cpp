// kvf reads the viewer's settings file: `kvf settings` prints the effective
// values, and every command applies the user's blocks of a document.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

const QByteArray kRegHead = "Windows Registry Editor Version 5.00\r\n\r\n";
const QByteArray kKey = "[HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer";

// A private configuration home holding the given .reg text (none when empty).
QString ConfigHome(const QString& name, const QByteArray& regText) {
  const QString home = TempDir() + "/config-" + name;
  QDir().mkpath(home + "/Brennvik AB");
  QFile file(home + "/Brennvik AB/KVF Viewer.reg");
  EXPECT_TRUE(regText.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(regText) == regText.size()));
  return home;
}

QStringList Lines(const QByteArray& out) { return QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts); }

TEST(KvfSettings, PrintsEachValueWithItsSource) {
  const CliResult defaults = RunKvf({"settings"}, "en", ConfigHome("none", {}));
  ASSERT_EQ(defaults.exitCode, 0) << defaults.err.toStdString();
  EXPECT_TRUE(Lines(defaults.out).contains("Settings\\Overview Max Rows\t300\tdefault"));
  for (const QString& line : Lines(defaults.out)) EXPECT_TRUE(line.endsWith("\tdefault")) << line.toStdString();
  const QByteArray reg = kRegHead + kKey + "\\Settings]\r\n\"Overview Max Rows\"=dword:00000064\r\n";
  const CliResult stored = RunKvf({"settings"}, "en", ConfigHome("typed", reg));
  EXPECT_TRUE(Lines(stored.out).contains("Settings\\Overview Max Rows\t100\tstore"));
}

TEST(KvfSettings, UserBlocksApplyToEveryCommand) {
  // Question 1 is answered with value 3 twice.
  const QString path = SaveFixture(FromJson(R"({
  "info": {"indexDivisor": 1, "allowSave": true, "guid": "{12345678-1234-5678-0102-030405060708}"},
  "questions": [{"name": "Q1", "isOverviewQuestion": true, "alternatives": [{"value": 1}, {"value": 3}]},
                {"name": "Q2", "isOverviewQuestion": true, "alternatives": [{"value": 1}, {"value": 3}]}],
  "answers": [[0, 1], [1, 1]],
  "blocks": [{"name": "File block"}]})"),
                                   "blocks");
  const QByteArray document = kKey + "\\Documents\\{12345678-1234-5678-0102-030405060708}";
  const QByteArray reg = kRegHead + document + "]\r\n\"Block Items\"=dword:00000002\r\n\r\n" + document +
                         "\\Block 001]\r\n\"Name\"=\"Mine\"\r\n\"Include In Copy\"=dword:00000001\r\n"
                         "\"Included Data Headers\"=\"1\"\r\n";
  const QString home = ConfigHome("blocks", reg);
  const CliResult result = RunKvf({"dump", path}, "en", home);
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  const QJsonObject dump = QJsonDocument::fromJson(result.out).object();
  const QJsonObject mine = dump["blocks"].toArray().at(1).toObject();
  EXPECT_EQ(std::make_tuple(mine["name"].toString(), mine["fromFile"], mine["storedIndex"].toDouble()),
            std::make_tuple(QStringLiteral("Mine"), QJsonValue(false), 3.0));
  EXPECT_EQ(dump["blockItems"].toArray(), QJsonArray({QJsonArray({1, 1})}));

  // Commands only read the settings file: a valid one and a damaged one stay
  // byte for byte as they were, and no copy is made.
  const QByteArray garbage = "garbage";
  for (const auto& [folder, bytes] : {std::pair{home, reg}, std::pair{ConfigHome("bad", garbage), garbage}}) {
    for (const QStringList& command : {QStringList{"settings"}, QStringList{"overview", path, "--out", home + ".png"}})
      EXPECT_EQ(RunKvf(command, "en", folder).exitCode, 0);
    QFile file(folder + "/Brennvik AB/KVF Viewer.reg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_EQ(QDir(folder + "/Brennvik AB").entryList(QDir::Files).size(), 1);
  }
}

}  // namespace
}  // namespace kvf::testing
