// Feeds arbitrary bytes to the importer's CSV reader, and whatever it reads
// on through the mapping and the document builder (which decodes the result
// with the viewer's loader). Every record the reader hands on must have the
// header's number of fields, and a built document is always one the loader
// accepted.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "import/CsvReader.h"
#include "import/DocumentBuilder.h"
#include "import/ImportMapping.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kvf::import;
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  kvf::Result<SourceData> source = ReadCsv(bytes, QStringLiteral("fuzz.csv"));
  if (!source) return 0;
  for (const SourceVariable& v : source->variables) {
    const size_t filled = v.isString ? v.texts.size() : v.numbers.size();
    if (static_cast<int64_t>(filled) != source->rows) std::abort();
  }
  kvf::Result<ImportMapping> mapping = ProposeMapping(source.Value(), ImportOptions{});
  if (!mapping) return 0;
  (void)BuildDocumentFile(source.Value(), mapping.Value(), DocumentIdentity{});
  return 0;
}
