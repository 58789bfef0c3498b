// kvf_fuzz_seeds DIR [SESSION_DIR]: writes the loader's seed corpus: small
// documents of every revision, compressed and stored, with odd layouts, as
// whole files and as bare payloads (see LoaderFuzzer.cpp for the leading
// byte); and, into SESSION_DIR, the same documents for the session fuzzer,
// each with and without a settings text that gives it user blocks (see
// SessionFuzzer.cpp for the layout).
#include <QDir>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <cstdio>

#include "core/document/SurveyDocument.h"
#include "kvfwriter/KvfWriter.h"

namespace {
bool Save(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  const bool saved = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return saved;
}


// Two user blocks of the document with this GUID, one with members.
QByteArray UserBlockSettings(const std::array<uint8_t, 16>& guid, int fileBlocks) {
  const QByteArray key = "[HKEY_CURRENT_USER\\Software\\Brennvik AB\\KVF Viewer\\Documents\\" +
                         kvf::GuidRegistryForm(guid).toLatin1();
  return "Windows Registry Editor Version 5.00\r\n\r\n" + key + "]\r\n\"Block Items\"=dword:" +
         QByteArray::number(fileBlocks + 2, 16).rightJustified(8, '0') + "\r\n\r\n" + key + "\\Block " +
         QByteArray::number(fileBlocks).rightJustified(3, '0') +
         "]\r\n\"Name\"=\"Mine\"\r\n\"Include In Copy\"=dword:00000001\r\n\"Included Data Headers\"=\"0|2|3\"\r\n";
}

// A session seed: the choice byte, the settings text's length and the text,
// then the document.
QByteArray SessionSeed(char choice, const QByteArray& settings, const QByteArray& document) {
  char length[2];
  qToLittleEndian<uint16_t>(static_cast<uint16_t>(settings.size()), length);
  return QByteArray(1, choice) + QByteArray(length, 2) + settings + document;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: kvf_fuzz_seeds DIR [SESSION_DIR]\n");
    return 1;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QString sessionDir = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
  QDir().mkpath(dir);
  if (!sessionDir.isEmpty()) QDir().mkpath(sessionDir);
  int written = 0;
  for (int revision = 1; revision <= 10; ++revision) {
    for (const bool compress : {true, false}) {
      kvf::writer::KvfDescription d = kvf::writer::MakeSyntheticDescription(
          {.respondents = 12, .questions = 9, .answerWidth = 1 + revision % 3, .dimensions = 2, .compress = compress,
           .answerComments = revision >= 4, .seed = static_cast<uint64_t>(revision)});
      d.header.formatRevision = revision;
      d.header.compatibleRevision = std::min(revision, 9);
      if (revision % 2 == 0) {
        d.extraHeaderBytes = QByteArray(revision, 'x');
        d.layout.questionStride = 72;
        d.layout.answerCommentWidth = 6;
        std::reverse(d.layout.order.begin(), d.layout.order.end());
      }
      // Whole files start with an even byte, bare payloads with an odd one.
      const QString stem = QStringLiteral("/seed-r%1-%2").arg(revision).arg(compress ? "z" : "raw");
      const QString base = dir + stem;
      if (!Save(base + QStringLiteral(".file"), QByteArray(1, '\0') + kvf::writer::WriteKvf(d))) return 1;
      if (!compress && !Save(base + QStringLiteral(".payload"), QByteArray(1, '\1') + kvf::writer::BuildPayload(d)))
        return 1;
      written += compress ? 1 : 2;
      if (!sessionDir.isEmpty()) {
        const QString name = sessionDir + stem;
        const QByteArray settings = UserBlockSettings(d.info.guid, static_cast<int>(d.blocks.size()));
        const char wrapped = static_cast<char>(compress ? 3 : 1);
        if (!Save(name + QStringLiteral(".file"), SessionSeed(0, {}, kvf::writer::WriteKvf(d))) ||
            !Save(name + QStringLiteral("-blocks.file"), SessionSeed(4, settings, kvf::writer::WriteKvf(d))) ||
            !Save(name + QStringLiteral("-blocks.payload"), SessionSeed(wrapped, settings, kvf::writer::BuildPayload(d))))
          return 1;
      }
    }
  }
  std::printf("%d seeds written to %s\n", written, qPrintable(dir));
  return 0;
}
