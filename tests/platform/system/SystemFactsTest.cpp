// The system facts read from fake /proc files.
#include "platform/system/SystemFacts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace kvf::platform {
namespace {

TEST(SystemFacts, ReadsFakeProcFiles) {
  QTemporaryDir dir;
  const auto write = [&](const char* name, const QByteArray& text) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    return file.fileName();
  };
  SystemFactSources sources;
  const QByteArray entry =
      "vendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 85\nmodel name\t: Xeon: Gold\nstepping\t: 7\n"
      "cpu cores\t: 2\nflags\t\t: fpu mmx sse  sse2 pni nx\n\n";
  sources.cpuInfo = write("cpuinfo", "processor\t: 0\n" + entry + "processor\t: 1\n" +
                                         QByteArray(entry).replace("Xeon", "Other").replace("mmx", ""));
  sources.memInfo = write("meminfo",
                          "MemTotal:       16314252 kB\nMemFree:  1 kB\nMemAvailable:   8000000 kB\n"
                          "SwapTotal: 999 kB\nSwapFree: bad kB\n");
  sources.kernelRelease = write("osrelease", "6.1.0-13-amd64\n");
  sources.kernelVersion = dir.filePath(QStringLiteral("missing"));

  const SystemFacts facts = ReadSystemFacts(sources);
  EXPECT_EQ(facts.kernelRelease, QStringLiteral("6.1.0-13-amd64"));
  EXPECT_EQ(facts.kernelBuild, QString());
  const ProcessorFacts& cpu = facts.processors;
  EXPECT_EQ(std::make_tuple(cpu.logicalProcessors, cpu.cores, cpu.modelName, cpu.family, cpu.model, cpu.stepping),
            std::make_tuple(2, 2, QStringLiteral("Xeon: Gold"), QStringLiteral("6"), QStringLiteral("85"),
                            QStringLiteral("7")));
  EXPECT_TRUE(cpu.hasFeatureFlags);
  EXPECT_EQ(cpu.featureFlags, (QSet<QString>{"fpu", "mmx", "sse", "sse2", "pni", "nx"}));
  EXPECT_EQ(facts.memory.totalKb, 16314252);
  EXPECT_EQ(facts.memory.availableKb, 8000000);
  EXPECT_EQ(facts.memory.swapTotalKb, 999);
  EXPECT_EQ(facts.memory.swapFreeKb, std::nullopt);

  const MemoryFacts old = ParseMemInfo("MemTotal: 10 kB\nMemFree: 4 kB\n");  // no MemAvailable
  EXPECT_EQ(old.availableKb, 4);
  const ProcessorFacts none = ParseCpuInfo(QByteArray());
  EXPECT_EQ(std::make_tuple(none.logicalProcessors, none.hasFeatureFlags), std::make_tuple(0, false));
}

}  // namespace
}  // namespace kvf::platform
