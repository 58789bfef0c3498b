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
// before anything is allocated, and every count against DocumentLimits.h:
// a file over a limit is refused as too big, naming the limit. Tables grow
// as their entries decode; none is sized from a count before it is checked.
//
// It does not touch the open document, the settings or any window: on
// success the caller owns a complete new document (file identity not yet
// recorded, no user blocks).
#include <QByteArray>
#include <QString>

#include "core/document/DocumentLimits.h"
#include "core/document/LoadError.h"
#include "core/document/SurveyDocument.h"

namespace kvf {

struct ReadOptions {
  // Whether printing is possible at all; AllowPrint is the file's flag
  // and-ed with this.
  bool printingAvailable = true;
};

struct ReadResult {
  LoadError error = LoadError::None;
  // With TooBig: the limit the file exceeds (None: the answer matrix).
  limits::Limit limit = limits::Limit::None;
  // The file's format revision is newer than this reader's; it was read.
  bool upgradeWarningDue = false;
  int32_t formatRevision = 0;
  int32_t compatibleRevision = 0;
};

// Reads the file at path into document, which must be freshly constructed.
// On error the document's content is unspecified; discard it.
ReadResult ReadKvfFile(const QString& path, SurveyDocument& document, const ReadOptions& options = {});

// The same over the bytes of a whole file.
ReadResult DecodeKvf(const QByteArray& file, SurveyDocument& document, const ReadOptions& options = {});

}  // namespace kvf
