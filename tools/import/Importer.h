#pragma once
// The whole import as `kvf-make import` and the tests run it: read the
// input (by its extension), apply a codebook, make or read the mapping,
// build the document and write it atomically.
#include <QByteArray>
#include <QString>

#include "core/text/Result.h"
#include "import/ImportMapping.h"
#include "import/SourceData.h"

namespace kvf::import {

// The file name extensions the importer reads, for messages and file
// dialogs: "*.sav *.zsav *.por *.dta *.sas7bdat *.xpt *.csv *.tsv *.txt".
QString SupportedPatterns();

// Reads a data file by its extension (.sav, .zsav, .por, .dta, .sas7bdat,
// .xpt, .csv, .tsv, .txt) and, when codebookPath is not empty, applies the
// codebook to it.
Result<SourceData> ReadSource(const QString& path, const QString& codebookPath = {});

struct ImportRequest {
  QString input;
  QString codebook;
  QString mappingFile;  // --mapping: read the mapping instead of proposing one
  ImportOptions options;
};

// The mapping an import would use: read from the mapping file, or proposed
// from the data and the options.
Result<ImportMapping> MappingFor(const SourceData& source, const ImportRequest& request);

// Builds the document and writes it to output through QSaveFile: a failure
// leaves any earlier file as it was (kOutputError when the write fails).
Status WriteImportedDocument(const SourceData& source, const ImportMapping& mapping, const QString& input,
                             const QString& output);

}  // namespace kvf::import
