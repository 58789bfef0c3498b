#pragma once
// Why a document could not be loaded, and the texts the user sees.
#include <QString>

#include "core/text/BiText.h"
#include "core/text/Result.h"

namespace kvf {

enum class LoadError {
  None = 0,
  CannotOpen = 1,  // the file is missing or cannot be read
  NotKvf = 2,      // the magic numbers differ
  TooOld = 3,      // compatible revision below 1
  TooNew = 4,      // compatible revision above 9
  Damaged = 5,     // lengths, CRC, compression or structure are wrong
  TooBig = 6       // more than 1,000,000 answers
};

// The message for an error in both languages ("" pair for None).
BiText LoadErrorText(LoadError error);

// A failed load: LoadErrorText(error) with the error as the code.
// REQUIRES: error is not None.
Status LoadFailure(LoadError error);
// The error of a load's status (None on success).
LoadError LoadErrorOf(const Status& status);

// The caption and text of the warning shown after opening a file written in
// a newer format than this program knows.
BiText UpgradeWarningCaption();
BiText UpgradeWarningText(const QString& documentTitle);

// The status text after a successful load.
BiText DocumentOpenedStatus(const QString& documentTitle);

}  // namespace kvf
