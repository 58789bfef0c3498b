// Loading a compressed document of 1,000 x 1,000 answers against the floor
// of CRC-32 plus uncompress of the same bytes.
#include <benchmark/benchmark.h>

#include <QtEndian>
#include <vector>
#include <zlib.h>

#include "Ratios.h"
#include "core/document/KvfReader.h"
#include "kvfwriter/KvfWriter.h"

namespace {

const QByteArray& LargeDocument() {
  static const QByteArray bytes = [] {
    kvf::writer::SyntheticOptions options;
    options.respondents = 1000;
    options.questions = 1000;
    options.compress = true;
    return kvf::writer::WriteKvf(kvf::writer::MakeSyntheticDescription(options));
  }();
  return bytes;
}

void BM_LoadDocument(benchmark::State& state) {
  const QByteArray& file = LargeDocument();
  for (auto _ : state) {
    kvf::SurveyDocument document;
    if (!kvf::DecodeKvf(file, document)) state.SkipWithError("the synthetic document did not load");
    benchmark::DoNotOptimize(document);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * file.size());
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);

void BM_LoadDocumentFloor(benchmark::State& state) {
  const QByteArray& file = LargeDocument();
  const auto* data = reinterpret_cast<const Bytef*>(file.constData());
  const int32_t payloadLength = qFromLittleEndian<int32_t>(data + 20);
  const int32_t compressedLength = qFromLittleEndian<int32_t>(data + 24);
  const int32_t headerLength = qFromLittleEndian<int32_t>(data + 28);
  for (auto _ : state) {
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, data, static_cast<uInt>(headerLength + compressedLength));
    std::vector<uint8_t> payload(static_cast<size_t>(payloadLength));
    uLongf produced = static_cast<uLongf>(payloadLength);
    uncompress(payload.data(), &produced, data + headerLength, static_cast<uLong>(compressedLength));
    benchmark::DoNotOptimize(crc);
    benchmark::DoNotOptimize(payload);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * file.size());
}
BENCHMARK(BM_LoadDocumentFloor)->Unit(benchmark::kMillisecond);

const bool kRegistered = kvf::bench::AddRatio("BM_LoadDocument", "BM_LoadDocumentFloor", 1.3);

}  // namespace
