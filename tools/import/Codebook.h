#pragma once
// The codebook that may come with a CSV file:
//   {"variables": {"NAME": {"label": "variable label",
//                           "values": {"1": "value label", ...},
//                           "missing": [9, ...]}, ...}}
// Every key is optional; an unknown key, a code that is not a number or a
// value of the wrong type is an error naming its place in the file.
#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <vector>

#include "core/text/Result.h"
#include "import/SourceData.h"

namespace kvf::import {

struct CodebookEntry {
  std::optional<QString> label;
  std::map<double, QString> values;
  std::vector<double> missing;
};

struct Codebook {
  std::map<QString, CodebookEntry> variables;
};

// Parses a codebook; fileName goes into the messages (kInputError).
Result<Codebook> ParseCodebook(const QByteArray& json, const QString& fileName);

// Puts the codebook's labels and missing codes on the data set's variables
// of the same name. A codebook entry for a variable the data does not have
// is an error (kUsageError): it is almost always a misspelt name.
Status ApplyCodebook(const Codebook& codebook, const QString& fileName, SourceData& source);

}  // namespace kvf::import
