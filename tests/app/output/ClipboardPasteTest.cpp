// A picture entry on a real X clipboard, read by another program (xclip):
// every target is offered with its bytes. The test starts its own Xvfb and
// runs itself again as the clipboard's owner.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "platform/clipboard/QtClipboard.h"

namespace kvf::testing {
namespace {

const QByteArray kEmf("EMF\0bytes", 9);
const QByteArray kPng("\x89PNG\r\n", 6);
const QByteArray kSvg("<svg/>");

TEST(ClipboardPaste, AnotherProgramReadsEveryFormat) {
  if (const QByteArray done = qgetenv("KVF_PASTE_OWNER"); !done.isEmpty()) {  // the owner's side
    platform::ClipboardEntry entry = platform::PictureEntry(kEmf, kPng, kSvg);
    entry.hasText = true;
    entry.text = QStringLiteral("a\tb");
    ASSERT_TRUE(platform::QtClipboard().Set(entry));
    fputs("ready\n", stdout);
    fflush(stdout);
    QTest::qWaitFor([&] { return QFile::exists(QString::fromLocal8Bit(done)); }, 20000);
    return;
  }
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
  if (xvfb.isEmpty() || xclip.isEmpty()) GTEST_SKIP() << "Xvfb and xclip are needed (scripts/packages.txt)";
  QTemporaryDir folder;
  const QString display = QStringLiteral(":%1").arg(90 + QCoreApplication::applicationPid() % 100);
  QProcess server;
  server.start(xvfb, {display, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists("/tmp/.X11-unix/X" + display.mid(1)); }, 10000));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), display);
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  environment.insert(QStringLiteral("KVF_PASTE_OWNER"), folder.filePath(QStringLiteral("done")));
  QProcess owner;
  owner.setProcessEnvironment(environment);
  owner.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ClipboardPaste.*")});
  EXPECT_TRUE(QTest::qWaitFor([&] { return owner.readAllStandardOutput().contains("ready"); }, 15000));
  auto paste = [&](const QString& target) {
    QProcess reader;
    reader.setProcessEnvironment(environment);
    reader.start(xclip, {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"), target,
                         QStringLiteral("-o")});
    reader.waitForFinished(10000);
    return reader.readAllStandardOutput();
  };
  const QByteArray targets = paste(QStringLiteral("TARGETS"));
  for (const char* target :
       {"image/emf", "image/x-emf", "application/x-openoffice-emf;windows_formatname=\"Image EMF\"", "image/png",
        "image/svg+xml", "UTF8_STRING"})
    EXPECT_TRUE(targets.contains(target)) << target << " missing from " << targets.toStdString();
  EXPECT_EQ(paste(QStringLiteral("image/x-emf")), kEmf);
  EXPECT_EQ(paste(QStringLiteral("image/png")), kPng);
  EXPECT_EQ(paste(QStringLiteral("image/svg+xml")), kSvg);
  EXPECT_EQ(paste(QStringLiteral("UTF8_STRING")), QByteArray("a\tb"));
  QFile(folder.filePath(QStringLiteral("done"))).open(QIODevice::WriteOnly);
  owner.waitForFinished(10000);
  server.terminate();
  server.waitForFinished(5000);
}

}  // namespace
}  // namespace kvf::testing
