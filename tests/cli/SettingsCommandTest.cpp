// kvf reads the viewer's settings file: `kvf settings` prints the effective
// values, and every command applies the user's blocks of a document.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRunner.h"
#include "kvfwriter/KvfWriter.h"

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

CliResult RunWithHome(const QStringList& arguments, const QString& home) {
  return RunKvfWithEnvironment(arguments, {{QStringLiteral("XDG_CONFIG_HOME"), home}});
}

QStringList Lines(const QByteArray& out) { return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

TEST(KvfSettings, DefaultsWithoutAFile) {
  const CliResult result = RunWithHome({QStringLiteral("settings")}, ConfigHome(QStringLiteral("none"), {}));
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  const QStringList lines = Lines(result.out);
  EXPECT_TRUE(lines.contains(QStringLiteral("Settings\\Overview Max Rows\t300\tdefault")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Settings\\Overview Row Order\t0\tdefault")));
  for (const QString& line : lines) EXPECT_TRUE(line.endsWith(QStringLiteral("\tdefault"))) << line.toStdString();
}

TEST(KvfSettings, StoredValuesOfTheRightTypeWin) {
  const QByteArray reg = QByteArray("Windows Registry Editor Version 5.00\r\n\r\n[") + kKey +
                         "\\Settings]\r\n\"Overview Max Rows\"=dword:00000064\r\n"
                         "\"Overview Row Order\"=\"2\"\r\n";
  const CliResult result = RunWithHome({QStringLiteral("settings")}, ConfigHome(QStringLiteral("typed"), reg));
  ASSERT_EQ(result.exitCode, 0);
  const QStringList lines = Lines(result.out);
  EXPECT_TRUE(lines.contains(QStringLiteral("Settings\\Overview Max Rows\t100\tstore")));
  // A string where a number belongs keeps the default.
  EXPECT_TRUE(lines.contains(QStringLiteral("Settings\\Overview Row Order\t0\tdefault")));
}

TEST(KvfSettings, AnUnreadableFileIsLeftAsItIsAndTheDefaultsApply) {
  const QString home = ConfigHome(QStringLiteral("broken"), "this is not a registry file\n");
  const CliResult result = RunWithHome({QStringLiteral("settings")}, home);
  ASSERT_EQ(result.exitCode, 0);
  EXPECT_FALSE(result.err.isEmpty());
  EXPECT_TRUE(Lines(result.out).contains(QStringLiteral("Settings\\Overview Max Rows\t300\tdefault")));
  QFile original(home + QStringLiteral("/Brennvik AB/KVF Viewer.reg"));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  EXPECT_EQ(original.readAll(), QByteArray("this is not a registry file\n"));
  const QStringList copies =
      QDir(home + QStringLiteral("/Brennvik AB")).entryList({QStringLiteral("KVF Viewer.reg.unreadable*")});
  EXPECT_TRUE(copies.isEmpty());  // kvf only reads settings: no copy, no rewrite
}

TEST(KvfSettings, UserBlocksApplyToEveryCommand) {
  writer::KvfDescription d;
  d.strings = {"Q1", "Q2", "File block"};
  d.info.indexDivisor = 1;
  d.info.allowSave = writer::kTrue;
  d.info.guid = {0x78, 0x56, 0x34, 0x12, 0x34, 0x12, 0x78, 0x56, 1, 2, 3, 4, 5, 6, 7, 8};
  for (const int value : {1, 3}) {
    writer::AlternativeRecord a;
    a.value = value;
    d.alternatives.push_back(a);
  }
  writer::QuestionRecord q;
  q.alternativeCount = 2;
  q.isOverviewQuestion = writer::kTrue;
  q.name = 0;
  d.questions = {q, q};
  d.questions[1].name = 1;
  d.answers = {{0, 1}, {1, 1}};
  writer::BlockRecord block;
  block.name = 2;
  d.blocks = {block};
  const QString path = TempDir() + QStringLiteral("/blocks.kvf");
  QString error;
  ASSERT_TRUE(writer::SaveKvf(d, path, &error));

  const QByteArray reg = QByteArray("Windows Registry Editor Version 5.00\r\n\r\n[") + kKey +
                         "\\Documents\\{12345678-1234-5678-0102-030405060708}]\r\n\"Block Items\"=dword:00000002\r\n\r\n[" +
                         kKey +
                         "\\Documents\\{12345678-1234-5678-0102-030405060708}\\Block 001]\r\n\"Name\"=\"Mine\"\r\n"
                         "\"Include In Copy\"=dword:00000001\r\n\"Included Data Headers\"=\"1\"\r\n";
  const QString home = ConfigHome(QStringLiteral("blocks"), reg);
  const CliResult result = RunWithHome({QStringLiteral("dump"), path}, home);
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  const QJsonObject dump = QJsonDocument::fromJson(result.out).object();
  const QJsonArray blocks = dump[QStringLiteral("blocks")].toArray();
  ASSERT_EQ(blocks.size(), 2);
  const QJsonObject mine = blocks[1].toObject();
  EXPECT_EQ(mine[QStringLiteral("name")].toString(), QStringLiteral("Mine"));
  EXPECT_EQ(mine[QStringLiteral("fromFile")], QJsonValue(false));
  // Question 1 answered with values 3 and 3.
  EXPECT_EQ(mine[QStringLiteral("storedIndex")].toDouble(), 3.0);
  EXPECT_EQ(dump[QStringLiteral("blockItems")].toArray(), QJsonArray({QJsonArray({1, 1})}));

  // Commands read the settings file and never write it.
  EXPECT_EQ(RunWithHome({QStringLiteral("overview"), path, QStringLiteral("--out"), TempDir() + QStringLiteral("/b.png")},
                        home)
                .exitCode,
            0);
  QFile file(home + QStringLiteral("/Brennvik AB/KVF Viewer.reg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), reg);
}

}  // namespace
}  // namespace kvf::testing
