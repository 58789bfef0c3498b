#include "import/Importer.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "core/document/DocumentLimits.h"
#include "import/Codebook.h"
#include "import/CsvReader.h"
#include "import/DocumentBuilder.h"
#include "import/ImportStatus.h"
#include "import/ReadstatReader.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::import {

namespace {

Status CannotRead(const QString& path, const QString& reason) {
  return Status::Failure({QStringLiteral("%1: the file cannot be read: %2").arg(path, reason),
                          QStringLiteral("%1: filen kan inte läsas: %2").arg(path, reason)},
                         kInputError);
}

Result<QByteArray> ReadWhole(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return CannotRead(path, file.errorString());
  if (file.size() > limits::kMaxFileBytes) {
    return Status::Failure({QStringLiteral("%1: the file is larger than %2 bytes").arg(path).arg(limits::kMaxFileBytes),
                            QStringLiteral("%1: filen är större än %2 byte").arg(path).arg(limits::kMaxFileBytes)},
                           kLimitError);
  }
  QByteArray bytes = file.read(limits::kMaxFileBytes + 1);
  if (file.error() != QFileDevice::NoError) return CannotRead(path, file.errorString());
  return bytes;
}

// Days since 1899-12-30 (OLE date) of a UTC time.
double OleDate(const QDateTime& time) {
  const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
  return static_cast<double>(epoch.msecsTo(time.toUTC())) / 86400000.0;
}

}  // namespace

QString SupportedPatterns() { return QStringLiteral("*.sav *.zsav *.por *.dta *.sas7bdat *.xpt *.csv *.tsv *.txt"); }

namespace {

// Reads the data file by its extension.
Result<SourceData> ReadByExtension(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("sav") || suffix == QLatin1String("zsav")) return ReadStatFile(path, StatFormat::Sav);
  if (suffix == QLatin1String("por")) return ReadStatFile(path, StatFormat::Por);
  if (suffix == QLatin1String("dta")) return ReadStatFile(path, StatFormat::Dta);
  if (suffix == QLatin1String("sas7bdat")) return ReadStatFile(path, StatFormat::Sas7bdat);
  if (suffix == QLatin1String("xpt") || suffix == QLatin1String("xport")) return ReadStatFile(path, StatFormat::Xpt);
  if (suffix == QLatin1String("csv") || suffix == QLatin1String("tsv") || suffix == QLatin1String("txt")) {
    Result<QByteArray> bytes = ReadWhole(path);
    if (!bytes) return bytes.Error();
    return ReadCsv(bytes.Value(), QFileInfo(path).fileName());
  }
  return Status::Failure(
      {QStringLiteral("%1: unknown kind of file; the importer reads %2").arg(path, SupportedPatterns()),
       QStringLiteral("%1: okänd sorts fil; importen läser %2").arg(path, SupportedPatterns())},
      kInputError);
}

}  // namespace

Result<SourceData> ReadSource(const QString& path, const QString& codebookPath) {
  Result<SourceData> source = ReadByExtension(path);
  if (!source || codebookPath.isEmpty()) return source;
  Result<QByteArray> json = ReadWhole(codebookPath);
  if (!json) return json.Error();
  Result<Codebook> codebook = ParseCodebook(json.Value(), QFileInfo(codebookPath).fileName());
  if (!codebook) return codebook.Error();
  if (Status s = ApplyCodebook(codebook.Value(), QFileInfo(codebookPath).fileName(), source.Value()); !s) return s;
  return source;
}

Result<ImportMapping> MappingFor(const SourceData& source, const ImportRequest& request) {
  if (request.mappingFile.isEmpty()) return ProposeMapping(source, request.options);
  QFile file(request.mappingFile);
  if (!file.open(QIODevice::ReadOnly)) {
    return Status::Failure(
        {QStringLiteral("%1: the file cannot be read: %2").arg(request.mappingFile, file.errorString()),
         QStringLiteral("%1: filen kan inte läsas: %2").arg(request.mappingFile, file.errorString())},
        kUsageError);
  }
  return MappingFromJson(file.read(limits::kMaxFileBytes), QFileInfo(request.mappingFile).fileName(), source);
}

Status WriteImportedDocument(const SourceData& source, const ImportMapping& mapping, const QString& input,
                             const QString& output) {
  DocumentIdentity identity;
  identity.fileName = QFileInfo(input).fileName();
  QFile file(input);
  if (file.open(QIODevice::ReadOnly)) {
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(&file);
    const QByteArray digest = hash.result();
    std::copy_n(reinterpret_cast<const uint8_t*>(digest.constData()), 16, identity.guid.begin());
  }
  identity.created = OleDate(QFileInfo(input).lastModified());
  Result<QByteArray> bytes = BuildDocumentFile(source, mapping, identity);
  if (!bytes) return bytes.Error();
  QString error;
  if (!writer::SaveBytes(bytes.Value(), output, &error)) {
    return Status::Failure({error, QStringLiteral("%1 kan inte skrivas (%2)").arg(output, error)}, kOutputError);
  }
  return Status::Ok();
}

}  // namespace kvf::import
