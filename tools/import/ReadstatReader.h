#pragma once
// Reads SPSS (.sav, .zsav, .por), Stata (.dta) and SAS (.sas7bdat, .xpt)
// files through libreadstat into a data set, with variable labels, value
// labels, measures and user-defined missing values (single values and
// ranges). Tagged missing values (Stata's .a, SAS's .A) are system missing.
//
// The number of values kept is bounded by kMaxSourceValues (kLimitError);
// a file libreadstat cannot read fails with kInputError and libreadstat's
// own reason.
#include <QString>

#include "core/text/Result.h"
#include "import/SourceData.h"

namespace kvf::import {

enum class StatFormat { Sav, Por, Dta, Sas7bdat, Xpt };

Result<SourceData> ReadStatFile(const QString& path, StatFormat format);

}  // namespace kvf::import
