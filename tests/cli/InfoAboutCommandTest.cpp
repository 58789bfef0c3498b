// kvf info and kvf about: arguments, exit codes and one run each (the
// content is checked in the core tests).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliRunner.h"

namespace kvf::testing {
namespace {

TEST(KvfInfo, PrintsThePropertiesInTheInterfaceLanguage) {
  const QString path = SaveFixture(FromJson(R"({"compatibleRevision": 8,
  "info": {"indexDivisor": 1, "indexCaption": "Index", "documentComment": "{\\rtf1 Hi}", "fileVersion": [1, 2, 34]},
  "questions": [{"name": "Q1", "isOverviewQuestion": true, "alternatives": [{"value": 1}]}],
  "answers": [[0]]})"),
                                   "info.kvf");
  const CliResult result = RunKvf({"info", path}, "sv");
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ExpectKeysInOrder(result.out, "caption labels indexFrame enabled status information comment");
  const QJsonObject info = RunJson({"info", path}, "sv");
  const QJsonArray labels = info["labels"].toArray();
  ASSERT_EQ(labels.size(), 12);
  EXPECT_EQ(labels[0].toArray(), QJsonArray({"Filnamn:", "info.kvf"}));
  EXPECT_EQ(labels[1].toArray(), QJsonArray({"Filformat:", "KVF revision 9 (bakåtkompatibel med revision 8)"}));
  EXPECT_EQ(labels[2].toArray(), QJsonArray({"Filversion:", "1.02.0034"}));
  EXPECT_EQ(info["indexFrame"].toObject()["information"].toString(),
            QStringLiteral("Totalindex inkluderar alla frågor utom följande:\nQ1"));
  EXPECT_EQ(info["comment"].toString(), QStringLiteral("{\\rtf1 Hi}"));

  EXPECT_EQ(RunKvf({"info"}).exitCode, 1);
  EXPECT_EQ(RunKvf({"info", path, "--x"}).exitCode, 1);
  EXPECT_EQ(RunKvf({"info", TempDir() + "/missing.kvf"}).exitCode, 2);
}

TEST(KvfAbout, JsonOrOneRtfDocument) {
  const QJsonObject about = RunJson({"about"}, "sv");
  EXPECT_EQ(about["caption"].toString(), QStringLiteral("Om KVF Viewer"));
  EXPECT_TRUE(about["version"].toString().startsWith("Version "));
  EXPECT_EQ(about["show"].toArray().size(), 3);
  const CliResult summary = RunKvf({"about", "--summary"});
  ASSERT_EQ(summary.exitCode, 0);
  EXPECT_TRUE(summary.out.startsWith("{\\rtf1\\ansi") && summary.out.endsWith("\r\n\\par\r\n}"));
  EXPECT_TRUE(summary.out.contains("\\b Memory\\b0"));
  EXPECT_EQ(RunKvf({"about", "--summary", "--trademark"}).exitCode, 1);
  EXPECT_EQ(RunKvf({"about", "file.kvf"}).exitCode, 1);
}

}  // namespace
}  // namespace kvf::testing
