#pragma once
// Writes small data files with libreadstat's own writer, so that the
// importer is tested on files it did not write itself.
//
// The survey: N respondents; "gender" (1 Female, 2 Male), "sat" (1..5 from
// "Very poor" to "Very good", 9 "Don't know" declared missing where the
// format can declare it), "id" (distinct numbers, no labels) and, where the
// format has text, "remark" (SPSS). Value SatCode(r) is NaN for a system-missing
// answer.
#include <QString>

#include <cmath>

namespace kvf::import::test {

enum class Format { Sav, Zsav, Dta, Xpt, Sas7bdat };

inline constexpr int kRespondents = 30;
inline int GenderCode(int r) { return r % 2 + 1; }
// 0 = system missing, 9 = "Don't know", else the scale code.
inline int SatRaw(int r) { return r % 7 == 6 ? 9 : r % 7; }

// Writes the survey to path; false when libreadstat refused.
bool WriteSurvey(const QString& path, Format format);

}  // namespace kvf::import::test
