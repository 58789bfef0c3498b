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

const char kKey[] = "HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer";

// A private configuration home holding the given .reg text (none when empty).
QString ConfigHome(const QString& name, const QByteArray& regText) {
  const QString home = TempDir() + QStringLiteral("/config-") + name;
  QDir().mkpath(home + QStringLiteral("/Brennvik AB"));
  if (!regText.isEmpty()) {
    QFile file(home + QStringLiteral("/Brennvik AB/KVF Viewer.reg"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(regText);
  }
  return home;
}

QStringList Lines(const QByteArray& out) { return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

TEST(KvfSettings, PrintsEachValueWithItsSource) {
  const CliResult defaults = RunKvf({QStringLiteral("settings")}, QStringLiteral("en"), ConfigHome(QStringLiteral("none"), {}));
  ASSERT_EQ(defaults.exitCode, 0) << defaults.err.toStdString();
  EXPECT_TRUE(Lines(defaults.out).contains(QStringLiteral("Settings\\Overview Max Rows\t300\tdefault")));
  for (const QString& line : Lines(defaults.out)) EXPECT_TRUE(line.endsWith(QStringLiteral("\tdefault"))) << line.toStdString();

  const QByteArray reg = QByteArray("Windows Registry Editor Version 5.00\r\n\r\n[") + kKey +
                         "\\Settings]\r\n\"Overview Max Rows\"=dword:00000064\r\n";
  const CliResult stored = RunKvf({QStringLiteral("settings")}, QStringLiteral("en"), ConfigHome(QStringLiteral("typed"), reg));
  ASSERT_EQ(stored.exitCode, 0);
  EXPECT_TRUE(Lines(stored.out).contains(QStringLiteral("Settings\\Overview Max Rows\t100\tstore")));
}

TEST(KvfSettings, UserBlocksApplyToEveryCommand) {
  // Question 1 is answered with value 3 twice.
  const QString path = SaveFixture(FromJson(R"({
  "info": {"indexDivisor": 1, "allowSave": true, "guid": "{12345678-1234-5678-0102-030405060708}"},
  "questions": [{"name": "Q1", "isOverviewQuestion": true, "alternatives": [{"value": 1}, {"value": 3}]},
                {"name": "Q2", "isOverviewQuestion": true, "alternatives": [{"value": 1}, {"value": 3}]}],
  "answers": [[0, 1], [1, 1]],
  "blocks": [{"name": "File block"}]})"),
                                   QStringLiteral("blocks"));

  const QByteArray reg = QByteArray("Windows Registry Editor Version 5.00\r\n\r\n[") + kKey +
                         "\\Documents\\{12345678-1234-5678-0102-030405060708}]\r\n\"Block Items\"=dword:00000002\r\n\r\n[" +
                         kKey +
                         "\\Documents\\{12345678-1234-5678-0102-030405060708}\\Block 001]\r\n\"Name\"=\"Mine\"\r\n"
                         "\"Include In Copy\"=dword:00000001\r\n\"Included Data Headers\"=\"1\"\r\n";
  const QString home = ConfigHome(QStringLiteral("blocks"), reg);
  const CliResult result = RunKvf({QStringLiteral("dump"), path}, QStringLiteral("en"), home);
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  const QJsonObject dump = QJsonDocument::fromJson(result.out).object();
  const QJsonArray blocks = dump[QStringLiteral("blocks")].toArray();
  ASSERT_EQ(blocks.size(), 2);
  const QJsonObject mine = blocks[1].toObject();
  EXPECT_EQ(std::make_tuple(mine["name"].toString(), mine["fromFile"], mine["storedIndex"].toDouble()),
            std::make_tuple(QStringLiteral("Mine"), QJsonValue(false), 3.0));
  EXPECT_EQ(dump[QStringLiteral("blockItems")].toArray(), QJsonArray({QJsonArray({1, 1})}));

  // Commands only read the settings file: a valid one and a damaged one stay
  // byte for byte as they were, and no copy is made.
  const QString png = TempDir() + QStringLiteral("/blocks.png");
  for (const auto& [folder, bytes] : {std::pair{home, reg}, std::pair{ConfigHome(QStringLiteral("bad"), "garbage"),
                                                                      QByteArray("garbage")}}) {
    for (const QStringList& command : {QStringList{QStringLiteral("settings")},
                                       QStringList{QStringLiteral("overview"), path, QStringLiteral("--out"), png}})
      EXPECT_EQ(RunKvf(command, QStringLiteral("en"), folder).exitCode, 0);
    QFile file(folder + QStringLiteral("/Brennvik AB/KVF Viewer.reg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_EQ(QDir(folder + QStringLiteral("/Brennvik AB")).entryList(QDir::Files).size(), 1);
  }
}

}  // namespace
}  // namespace kvf::testing
