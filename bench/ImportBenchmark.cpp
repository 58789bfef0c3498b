// Importing an SPSS file into a document (read, map, build, decode-check,
// compress) against the floor of libreadstat reading the same file alone:
// 100,000 respondents x 10 variables and 1,000 x 1,000, the largest legal
// documents. Target: at most 3 x the floor.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <readstat.h>

#include "Ratios.h"
#include "import/DocumentBuilder.h"
#include "import/ImportMapping.h"
#include "import/Importer.h"

namespace {

ssize_t WriteBytes(const void* data, size_t length, void* file) {
  return static_cast<QFile*>(file)->write(static_cast<const char*>(data), static_cast<qint64>(length));
}

// A .sav file of rating questions (1..5 labelled, 9 missing), written once
// per shape.
QString SavFile(int rows, int variables) {
  static QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench-%1x%2.sav").arg(rows).arg(variables));
  if (QFile::exists(path)) return path;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  readstat_writer_t* w = readstat_writer_init();
  readstat_set_data_writer(w, WriteBytes);
  readstat_label_set_t* scale = readstat_add_label_set(w, READSTAT_TYPE_DOUBLE, "scale");
  const char* names[] = {"Very poor", "Poor", "Fair", "Good", "Very good"};
  for (int c = 1; c <= 5; ++c) readstat_label_double_value(scale, c, names[c - 1]);
  std::vector<readstat_variable_t*> vars;
  for (int v = 0; v < variables; ++v) {
    readstat_variable_t* var =
        readstat_add_variable(w, QStringLiteral("q%1").arg(v).toUtf8().constData(), READSTAT_TYPE_DOUBLE, 0);
    readstat_variable_set_label_set(var, scale);
    readstat_variable_add_missing_double_value(var, 9);
    vars.push_back(var);
  }
  readstat_begin_writing_sav(w, &file, rows);
  uint32_t seed = 12345;
  for (int r = 0; r < rows; ++r) {
    readstat_begin_row(w);
    for (readstat_variable_t* var : vars) {
      seed = seed * 1103515245u + 12345u;
      const int code = static_cast<int>((seed >> 16) % 6);
      readstat_insert_double_value(w, var, code == 0 ? 9 : code);
    }
    readstat_end_row(w);
  }
  readstat_end_writing(w);
  readstat_writer_free(w);
  return path;
}

int AcceptVariable(int, readstat_variable_t*, const char*, void*) { return READSTAT_HANDLER_OK; }

int CountValue(int, readstat_variable_t*, readstat_value_t value, void* sum) {
  *static_cast<double*>(sum) += readstat_double_value(value);
  return READSTAT_HANDLER_OK;
}

void BM_ReadstatReadsSav(benchmark::State& state) {
  const QByteArray path =
      QFile::encodeName(SavFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  for (auto _ : state) {
    double sum = 0;
    readstat_parser_t* parser = readstat_parser_init();
    readstat_set_variable_handler(parser, AcceptVariable);
    readstat_set_value_handler(parser, CountValue);
    if (readstat_parse_sav(parser, path.constData(), &sum) != READSTAT_OK) state.SkipWithError("unreadable");
    readstat_parser_free(parser);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ReadstatReadsSav)->Args({100000, 10})->Args({1000, 1000})->Unit(benchmark::kMillisecond);

// The importer's reading alone (values into columns, labels joined).
void BM_ImportReadsSav(benchmark::State& state) {
  const QString path = SavFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    kvf::Result<kvf::import::SourceData> source = kvf::import::ReadSource(path);
    if (!source) state.SkipWithError("unreadable");
    benchmark::DoNotOptimize(source);
  }
}
BENCHMARK(BM_ImportReadsSav)->Args({100000, 10})->Args({1000, 1000})->Unit(benchmark::kMillisecond);

void BM_ImportSav(benchmark::State& state) {
  const QString path = SavFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  kvf::import::ImportOptions options;
  options.indexAllScales = true;
  for (auto _ : state) {
    kvf::Result<kvf::import::SourceData> source = kvf::import::ReadSource(path);
    if (!source) state.SkipWithError("unreadable");
    kvf::Result<kvf::import::ImportMapping> mapping = kvf::import::ProposeMapping(source.Value(), options);
    kvf::Result<QByteArray> file =
        kvf::import::BuildDocumentFile(source.Value(), mapping.Value(), kvf::import::DocumentIdentity{});
    if (!file) state.SkipWithError("not built");
    benchmark::DoNotOptimize(file);
  }
}
BENCHMARK(BM_ImportSav)->Args({100000, 10})->Args({1000, 1000})->Unit(benchmark::kMillisecond);

const bool kRatios =
    kvf::bench::AddRatio("BM_ImportSav/100000/10", "BM_ReadstatReadsSav/100000/10", 3.0) &&
    kvf::bench::AddRatio("BM_ImportReadsSav/1000/1000", "BM_ReadstatReadsSav/1000/1000", kvf::bench::kNoTarget) &&
    kvf::bench::AddRatio("BM_ImportSav/1000/1000", "BM_ReadstatReadsSav/1000/1000", 3.0);

}  // namespace
