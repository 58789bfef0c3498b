#pragma once
// Reads a .kvf file into a SurveyDocument.
//
// The reader checks the header, the CRC-32 and the compressed payload,
// decodes every section with the defaults of older revisions, and builds the
// derived lists (overview questions, dimensions, the flex-total question,
// the complement-protection matrix). It never reads outside the file or the
// payload: any section, record or string that would reach past the end, a
// negative string length, a record stride smaller than the record, an answer
// comment width below 4, or a question whose alternatives lie outside the
// alternative table makes the file "damaged". Announced lengths are checked
// before anything is allocated.
//
// It does not touch the open document, the settings or any window: on
// success the caller owns a complete new document (file identity not yet
// recorded, no user blocks).
#include <QByteArray>
#include <QString>

#include "core/document/DocumentLimits.h"
#include "core/document/LoadError.h"
#include "core/document/SurveyDocument.h"
#include "core/text/Result.h"

namespace kvf {

struct ReadOptions {
  // Whether printing is possible at all; AllowPrint is the file's flag
  // and-ed with this.
  bool printingAvailable = true;
};

// What a successful read reports besides the document.
struct KvfRevisions {
  // The file's format revision is newer than this reader's; it was read.
  bool upgradeWarningDue = false;
  int32_t formatRevision = 0;
  int32_t compatibleRevision = 0;
};

// Reads the file at path into document, which must be freshly constructed.
// A failure carries LoadErrorText as its message and the LoadError as its
// code (LoadErrorOf); a file over one of the limits is TooBig with a message
// that names the limit (LimitExceededText). The document's content is then
// unspecified: discard it.
Result<KvfRevisions> ReadKvfFile(const QString& path, SurveyDocument& document, const ReadOptions& options = {});

// The same over the bytes of a whole file.
Result<KvfRevisions> DecodeKvf(const QByteArray& file, SurveyDocument& document, const ReadOptions& options = {});

}  // namespace kvf
