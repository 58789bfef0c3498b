#pragma once
// Turns a data set and its mapping into a .kvf file: the questions with
// their alternatives ("No answer" first), the answers, the blocks, the
// respondent comments, the document information with the defaults listed in
// tools/kvf-make/README.md, and the stored question, block and total
// indexes.
//
// The payload is built once and decoded by the viewer's own loader before
// it is compressed, and the stored indexes are computed by the viewer's own
// index code on that decoded document, so an import never yields a file the
// viewer refuses or indexes it would compute differently.
#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

#include "core/text/Result.h"
#include "import/ImportMapping.h"
#include "import/SourceData.h"

namespace kvf::import {

struct DocumentIdentity {
  std::array<uint8_t, 16> guid{};  // a hash of the input file
  double created = 0.0;            // OLE date (UTC)
  QString fileName;                // the input file, for messages
};

// Fails with kInputError when no variable becomes a question, and with
// kLimitError when the document would exceed a limit of the
// format (more than limits::kMaxAnswers answers, too many alternatives, too
// much text, ...); the message names the file and the variable or limit.
// The bytes of the whole file, ready to be written.
Result<QByteArray> BuildDocumentFile(const SourceData& source, const ImportMapping& mapping,
                                     const DocumentIdentity& identity);

}  // namespace kvf::import
