#pragma once
// An RFC 4180 reader: fields separated by a comma, a semicolon or a tab
// (guessed from the header line: the most frequent of the three outside
// quotes), records separated by LF or CR LF, fields in double quotes may hold
// separators, line breaks and doubled quotes. A UTF-8 byte order mark is
// skipped. Every record must have as many fields as the header; a ragged
// record, a quote left open or text after a closing quote is an error that
// names the line.
//
// The reader is a single pass over the bytes with one reused field buffer:
// its work and memory are linear in the input.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/text/Result.h"
#include "import/SourceData.h"

namespace kvf::import {

// The separator the header line suggests.
char GuessCsvSeparator(const QByteArray& data);

// Calls record(line, fields) for every record, the header first; line is
// the 1-based line on which the record starts. A record callback that
// returns a failure stops the reading with that failure. Empty lines at the
// end are ignored. fileName goes into the messages.
Status ReadCsvRecords(const QByteArray& data, char separator, const QString& fileName,
                      const std::function<Status(int64_t line, const std::vector<std::string>& fields)>& record);

// Reads a whole CSV file into a data set: the header names the variables (a
// name in single quotes loses them); a column whose every non-empty cell is
// a number is numeric, others are strings. Empty cells, "NA" and "." are
// system missing. Fails with kInputError for a malformed file and
// kLimitError for more than kMaxSourceValues cells.
Result<SourceData> ReadCsv(const QByteArray& data, const QString& fileName);

}  // namespace kvf::import
