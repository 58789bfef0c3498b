// kvf_fuzz_seeds DIR: writes the loader's seed corpus: small documents of
// every revision, compressed and stored, with odd layouts, as whole files
// and as bare payloads (see LoaderFuzzer.cpp for the leading byte).
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>

#include "kvfwriter/KvfWriter.h"

namespace {
bool Save(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kvf_fuzz_seeds DIR\n");
    return 1;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  int written = 0;
  for (int revision = 1; revision <= 10; ++revision) {
    for (const bool compress : {true, false}) {
      kvf::writer::SyntheticOptions options;
      options.respondents = 12;
      options.questions = 9;
      options.dimensions = 2;
      options.answerWidth = 1 + revision % 3;
      options.compress = compress;
      options.answerComments = revision >= 4;
      options.seed = static_cast<uint64_t>(revision);
      kvf::writer::KvfDescription d = kvf::writer::MakeSyntheticDescription(options);
      d.header.formatRevision = revision;
      d.header.compatibleRevision = std::min(revision, 9);
      if (revision % 2 == 0) {
        d.extraHeaderBytes = QByteArray(revision, 'x');
        d.layout.questionStride = 72;
        d.layout.answerCommentWidth = 6;
        std::reverse(d.layout.order.begin(), d.layout.order.end());
      }
      // Whole files start with an even byte, bare payloads with an odd one.
      const QString base = QStringLiteral("%1/seed-r%2-%3").arg(dir).arg(revision).arg(compress ? "z" : "raw");
      if (!Save(base + QStringLiteral(".file"), QByteArray(1, '\0') + kvf::writer::WriteKvf(d))) return 1;
      if (!compress && !Save(base + QStringLiteral(".payload"), QByteArray(1, '\1') + kvf::writer::BuildPayload(d)))
        return 1;
      written += compress ? 1 : 2;
    }
  }
  std::printf("%d seeds written to %s\n", written, qPrintable(dir));
  return 0;
}
