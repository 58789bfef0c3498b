#include "import/CsvReader.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "import/ImportStatus.h"

namespace kvf::import {

namespace {

Status CsvError(const QString& fileName, int64_t line, const QString& english, const QString& swedish) {
  return Status::Failure({QStringLiteral("%1, line %2: %3").arg(fileName).arg(line).arg(english),
                          QStringLiteral("%1, rad %2: %3").arg(fileName).arg(line).arg(swedish)},
                         kInputError);
}

qsizetype SkipBom(const QByteArray& data) { return data.startsWith("\xEF\xBB\xBF") ? 3 : 0; }

bool IsMissingToken(const std::string& field) { return field.empty() || field == "NA" || field == "."; }

// The number a whole field spells (surrounding blanks allowed).
bool ParseNumber(const std::string& field, double* out) {
  const char* begin = field.data();
  const char* end = begin + field.size();
  while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
  while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) --end;
  if (begin < end && *begin == '+') ++begin;
  if (begin == end) return false;
  const auto [ptr, ec] = std::from_chars(begin, end, *out);
  return ec == std::errc() && ptr == end && std::isfinite(*out);
}

}  // namespace

char GuessCsvSeparator(const QByteArray& data) {
  int64_t comma = 0, semicolon = 0, tab = 0;
  bool quoted = false;
  for (qsizetype i = SkipBom(data); i < data.size(); ++i) {
    const char c = data[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '\n' || c == '\r')) {
      break;
    } else if (!quoted) {
      comma += c == ',';
      semicolon += c == ';';
      tab += c == '\t';
    }
  }
  if (tab >= comma && tab >= semicolon && tab > 0) return '\t';
  if (semicolon > comma) return ';';
  return ',';
}

Status ReadCsvRecords(const QByteArray& data, char separator, const QString& fileName,
                      const std::function<Status(int64_t line, const std::vector<std::string>& fields)>& record) {
  std::vector<std::string> fields;
  std::string field;
  int64_t line = 1;
  int64_t recordLine = 1;
  const qsizetype size = data.size();
  qsizetype i = SkipBom(data);
  bool recordHasContent = false;
  auto endRecord = [&]() -> Status {
    fields.push_back(std::move(field));
    field.clear();
    Status status = Status::Ok();
    // A record that is one empty field is an empty line: skipped.
    if (fields.size() != 1 || !fields[0].empty() || recordHasContent) status = record(recordLine, fields);
    fields.clear();
    recordHasContent = false;
    return status;
  };
  while (i < size) {
    const char c = data[i];
    if (c == '"' && field.empty()) {
      // A quoted field runs to the next lone quote.
      const int64_t openedOn = line;
      recordHasContent = true;
      ++i;
      bool closed = false;
      while (i < size) {
        const char q = data[i];
        if (q == '"') {
          if (i + 1 < size && data[i + 1] == '"') {
            field.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        if (q == '\n') ++line;
        field.push_back(q);
        ++i;
      }
      if (!closed) {
        return CsvError(fileName, openedOn, QStringLiteral("a quoted field is never closed"),
                        QStringLiteral("ett fält inom citattecken avslutas aldrig"));
      }
      if (i < size && data[i] != separator && data[i] != '\n' && data[i] != '\r') {
        return CsvError(fileName, line, QStringLiteral("text follows a closing quote"),
                        QStringLiteral("text följer efter ett avslutande citattecken"));
      }
      continue;
    }
    if (c == separator) {
      fields.push_back(std::move(field));
      field.clear();
      recordHasContent = true;
      ++i;
    } else if (c == '\n' || c == '\r') {
      i += (c == '\r' && i + 1 < size && data[i + 1] == '\n') ? 2 : 1;
      if (Status s = endRecord(); !s) return s;
      ++line;
      recordLine = line;
    } else {
      field.push_back(c);
      ++i;
    }
  }
  if (!field.empty() || !fields.empty() || recordHasContent) return endRecord();
  return Status::Ok();
}

Result<SourceData> ReadCsv(const QByteArray& data, const QString& fileName) {
  const char separator = GuessCsvSeparator(data);
  SourceData source;
  source.formatHasLabels = false;
  std::vector<bool> numeric;
  int64_t rows = 0;
  int64_t characters = 0;

  // First pass: the header, the shape, and which columns are numeric.
  Status shape = ReadCsvRecords(data, separator, fileName, [&](int64_t line, const std::vector<std::string>& fields) {
    if (source.variables.empty()) {
      if (static_cast<int64_t>(fields.size()) > kMaxSourceVariables) {
        return Status::Failure(
            {QStringLiteral("%1: more than %2 columns cannot be imported").arg(fileName).arg(kMaxSourceVariables),
             QStringLiteral("%1: fler än %2 kolumner kan inte importeras").arg(fileName).arg(kMaxSourceVariables)},
            kLimitError);
      }
      for (const std::string& f : fields) {
        SourceVariable v;
        v.name = QString::fromUtf8(f).trimmed();
        if (v.name.size() >= 2 && v.name.startsWith(u'\'') && v.name.endsWith(u'\''))
          v.name = v.name.mid(1, v.name.size() - 2);
        source.variables.push_back(std::move(v));
      }
      numeric.assign(fields.size(), true);
      return Status::Ok();
    }
    if (fields.size() != source.variables.size()) {
      return CsvError(
          fileName, line,
          QStringLiteral("the record has %1 fields, the header %2").arg(fields.size()).arg(source.variables.size()),
          QStringLiteral("posten har %1 fält, rubrikraden %2").arg(fields.size()).arg(source.variables.size()));
    }
    ++rows;
    if (rows * static_cast<int64_t>(fields.size()) > kMaxSourceValues) {
      return Status::Failure({QStringLiteral("%1, line %2: more than %3 values (rows x columns) cannot be imported")
                                  .arg(fileName)
                                  .arg(line)
                                  .arg(kMaxSourceValues),
                              QStringLiteral("%1, rad %2: fler än %3 värden (rader x kolumner) kan inte importeras")
                                  .arg(fileName)
                                  .arg(line)
                                  .arg(kMaxSourceValues)},
                             kLimitError);
    }
    double unused = 0;
    for (size_t k = 0; k < fields.size(); ++k) {
      if (numeric[k] && !IsMissingToken(fields[k]) && !ParseNumber(fields[k], &unused)) numeric[k] = false;
      characters += static_cast<int64_t>(fields[k].size());
    }
    if (characters > limits::kMaxReferencedCharacters) {
      return Status::Failure({QStringLiteral("%1, line %2: more than %3 characters of text cannot be imported")
                                  .arg(fileName)
                                  .arg(line)
                                  .arg(limits::kMaxReferencedCharacters),
                              QStringLiteral("%1, rad %2: fler än %3 tecken text kan inte importeras")
                                  .arg(fileName)
                                  .arg(line)
                                  .arg(limits::kMaxReferencedCharacters)},
                             kLimitError);
    }
    return Status::Ok();
  });
  if (!shape) return shape;
  if (source.variables.empty()) {
    return Status::Failure(
        {QStringLiteral("%1: the file is empty").arg(fileName), QStringLiteral("%1: filen är tom").arg(fileName)},
        kInputError);
  }
  for (size_t k = 0; k < source.variables.size(); ++k) {
    SourceVariable& v = source.variables[k];
    v.isString = !numeric[k];
    if (v.isString) {
      v.texts.reserve(static_cast<size_t>(rows));
    } else {
      v.numbers.reserve(static_cast<size_t>(rows));
    }
  }
  source.rows = rows;

  // Second pass: the values.
  bool header = true;
  Status fill = ReadCsvRecords(data, separator, fileName, [&](int64_t, const std::vector<std::string>& fields) {
    if (header) {
      header = false;
      return Status::Ok();
    }
    for (size_t k = 0; k < fields.size(); ++k) {
      SourceVariable& v = source.variables[k];
      if (v.isString) {
        v.texts.push_back(QString::fromUtf8(fields[k]));
        continue;
      }
      double number = std::numeric_limits<double>::quiet_NaN();
      if (!IsMissingToken(fields[k])) ParseNumber(fields[k], &number);
      v.numbers.push_back(number);
    }
    return Status::Ok();
  });
  if (!fill) return fill;
  return source;
}

}  // namespace kvf::import
