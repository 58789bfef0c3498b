// kvf-make: builds a .kvf document from a JSON description, or a large
// synthetic document for measurements.
//
//   kvf-make IN.json OUT.kvf
//   kvf-make --synthetic RESPONDENTS QUESTIONS OUT.kvf [--width 1|2|3]
//            [--dimensions N] [--stored] [--answer-comments] [--seed N]
//   kvf-make import INPUT [options] -o OUT.kvf   (ImportCommand.h)
//
// Exit status: 0 success, 1 usage or input error, 2 the output cannot be
// written.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <limits>

#include "ImportCommand.h"
#include "kvfwriter/JsonDescription.h"
#include "kvfwriter/KvfWriter.h"

namespace {

constexpr int kUsageError = 1;
constexpr int kWriteError = 2;

const char* const kUsage =
    "usage: kvf-make IN.json OUT.kvf\n"
    "       kvf-make --synthetic RESPONDENTS QUESTIONS OUT.kvf [--width 1|2|3] [--dimensions N]\n"
    "                [--stored] [--answer-comments] [--seed N]\n"
    "       kvf-make import INPUT [options] -o OUT.kvf   (kvf-make import --help)\n"
    "\n"
    "Builds a .kvf survey document from a JSON description (see tools/kvf-make/README.md),\n"
    "or, with --synthetic, a generated document of the given size with a fixed seed.\n";

void PrintError(const QString& message) { std::fprintf(stderr, "kvf-make: %s\n", qPrintable(message)); }

int Usage(const QString& message = {}) {
  if (!message.isEmpty()) {
    PrintError(message);
  }
  std::fputs(kUsage, stderr);
  return kUsageError;
}

int Save(const kvf::writer::KvfDescription& description, const QString& out) {
  QString error;
  if (!kvf::writer::SaveKvf(description, out, &error)) {
    PrintError(error);
    return kWriteError;
  }
  return 0;
}

// Parses a whole non-negative number within [low, high].
bool Number(const QString& text, qint64 low, qint64 high, qint64* out) {
  bool ok = false;
  const qint64 v = text.toLongLong(&ok);
  if (!ok || v < low || v > high) {
    return false;
  }
  *out = v;
  return true;
}

int Synthetic(const QStringList& args) {
  if (args.size() < 3) {
    return Usage(QStringLiteral("--synthetic needs RESPONDENTS QUESTIONS OUT.kvf"));
  }
  kvf::writer::SyntheticOptions options;
  qint64 v = 0;
  // The reader refuses documents of more than 1,000,000 answers, but a
  // bigger one is a useful test input too; keep the sizes sane.
  if (!Number(args[0], 0, 10'000'000, &v)) {
    return Usage(QStringLiteral("RESPONDENTS must be a number from 0 to 10000000, not \"%1\"").arg(args[0]));
  }
  options.respondents = static_cast<int32_t>(v);
  if (!Number(args[1], 1, 100'000, &v)) {
    return Usage(QStringLiteral("QUESTIONS must be a number from 1 to 100000, not \"%1\"").arg(args[1]));
  }
  options.questions = static_cast<int32_t>(v);
  if (static_cast<qint64>(options.respondents) * options.questions > 100'000'000) {
    return Usage(QStringLiteral("RESPONDENTS x QUESTIONS must not exceed 100000000"));
  }
  const QString out = args[2];
  for (qsizetype k = 3; k < args.size(); ++k) {
    const QString& a = args[k];
    const bool hasValue = k + 1 < args.size();
    if (a == QLatin1String("--stored")) {
      options.compress = false;
    } else if (a == QLatin1String("--answer-comments")) {
      options.answerComments = true;
    } else if (a == QLatin1String("--width") && hasValue && Number(args[k + 1], 1, 3, &v)) {
      options.answerWidth = static_cast<int32_t>(v);
      ++k;
    } else if (a == QLatin1String("--dimensions") && hasValue && Number(args[k + 1], 0, 1000, &v)) {
      options.dimensions = static_cast<int32_t>(v);
      ++k;
    } else if (a == QLatin1String("--seed") && hasValue &&
               Number(args[k + 1], 0, std::numeric_limits<qint64>::max(), &v)) {
      options.seed = static_cast<uint64_t>(v);
      ++k;
    } else {
      return Usage(QStringLiteral("unexpected or invalid option \"%1\"").arg(a));
    }
  }
  return Save(kvf::writer::MakeSyntheticDescription(options), out);
}

int FromJson(const QString& in, const QString& out) {
  QFile file(in);
  if (!file.open(QIODevice::ReadOnly)) {
    PrintError(QStringLiteral("cannot read %1: %2").arg(in, file.errorString()));
    return kUsageError;
  }
  kvf::writer::KvfDescription description;
  QString error;
  if (!kvf::writer::ParseJsonDescription(file.readAll(), &description, &error)) {
    PrintError(QStringLiteral("%1: %2").arg(in, error));
    return kUsageError;
  }
  return Save(description, out);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!args.isEmpty() && args[0] == QLatin1String("import")) {
    return RunImportCommand(args.mid(1));
  }
  if (!args.isEmpty() && args[0] == QLatin1String("--synthetic")) {
    return Synthetic(args.mid(1));
  }
  if (args.size() != 2) {
    return Usage();
  }
  return FromJson(args[0], args[1]);
}
