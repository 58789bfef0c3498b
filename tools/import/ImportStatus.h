#pragma once
// The failure codes of an import, which are also the exit codes of
// `kvf-make import`. Every failure is a Status (core/text/Result.h) with one
// of these codes and a bilingual message that names the file, the line or
// variable and the limit where one applies.
#include "core/document/DocumentLimits.h"

namespace kvf::import {

inline constexpr int kUsageError = 1;   // an option or a mapping is wrong
inline constexpr int kInputError = 2;   // the input cannot be read
inline constexpr int kLimitError = 3;   // the input exceeds a limit of the document format
inline constexpr int kOutputError = 4;  // the output cannot be written

// The most values (rows x variables) a reader keeps in memory. Ten times
// the answers a document may hold: a file may carry many variables that do
// not become questions, but never so many that reading it runs away.
inline constexpr int64_t kMaxSourceValues = 10 * limits::kMaxAnswers;
// The most variables (columns) a reader accepts, by the same reasoning.
inline constexpr int64_t kMaxSourceVariables = 10 * limits::kMaxQuestions;

}  // namespace kvf::import
