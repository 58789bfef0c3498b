// Feeds arbitrary bytes to the codebook parser; a codebook it accepts is
// applied to a small data set whose variables it may name, and the result
// goes through the mapping and the document builder.
#include <QByteArray>
#include <cstdint>

#include "import/Codebook.h"
#include "import/CsvReader.h"
#include "import/DocumentBuilder.h"
#include "import/ImportMapping.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kvf::import;
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  kvf::Result<Codebook> codebook = ParseCodebook(bytes, QStringLiteral("fuzz.json"));
  if (!codebook) return 0;
  kvf::Result<SourceData> source =
      ReadCsv("q1,q2,q3,note\n1,2,9,a\n2,,1,b\n3,5,2,\n9,1,1,c\n", QStringLiteral("fuzz.csv"));
  if (!source || !ApplyCodebook(codebook.Value(), QStringLiteral("fuzz.json"), source.Value())) return 0;
  kvf::Result<ImportMapping> mapping = ProposeMapping(source.Value(), ImportOptions{});
  if (!mapping) return 0;
  (void)BuildDocumentFile(source.Value(), mapping.Value(), DocumentIdentity{});
  return 0;
}
