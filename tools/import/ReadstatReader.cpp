#include "import/ReadstatReader.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <readstat.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>

#include "import/CodeWindow.h"
#include "import/ImportStatus.h"

namespace kvf::import {

namespace {

// The row buffer holds at most this many rows.
constexpr int64_t kMaxBufferedRows = 64;

// What a column's stored numbers hold so far (see ValueSummary): low is
// NaN until the first number; seen is indexed by CodeWindow(low, kSize)'s
// slots, so its last entry marks a number outside the window.
struct ColumnNote {
  double low = std::numeric_limits<double>::quiet_NaN();
  bool escaped = false;  // a number was stored past the notes
  std::array<uint8_t, ValueSummary::kSize + 2> seen{};
};

struct ParseContext {
  SourceData source;
  std::vector<QByteArray> labelSets;                    // per variable: its label set's name
  std::vector<uint8_t> stringColumns;                   // per variable: 1 for a string variable
  std::vector<ColumnNote> notes;                        // per variable
  QHash<QByteArray, std::map<double, QString>> labels;  // label sets by name
  int64_t columns = 0;
  int64_t textCharacters = 0;
  int64_t valueLabels = 0;
  int64_t expectedRows = 0;  // from the file's header, when it says and fits the budget
  // Numbers of a few consecutive rows, row by row as they arrive: storing
  // each value straight into its column would touch a different column for
  // every value of a wide file. Flush moves them into the columns.
  std::vector<double> pending;  // [row - pendingFirst][variable]
  int64_t pendingFirst = 0;
  int64_t pendingRows = 0;    // rows the buffer holds
  int64_t pendingStride = 0;  // variables per buffered row
  Status failure;             // set when a handler aborts
  QString libraryError;       // what libreadstat reported
  QString fileName;
};

Status LimitFailure(const ParseContext& c, const QString& englishWhat, const QString& swedishWhat, int64_t limit) {
  return Status::Failure(
      {QStringLiteral("%1: more than %2 %3 cannot be imported").arg(c.fileName).arg(limit).arg(englishWhat),
       QStringLiteral("%1: fler än %2 %3 kan inte importeras").arg(c.fileName).arg(limit).arg(swedishWhat)},
      kLimitError);
}

[[gnu::noinline]] int TooManyValues(ParseContext& c) {
  c.failure = LimitFailure(c, QStringLiteral("values (rows x variables)"), QStringLiteral("värden (rader x variabler)"),
                           kMaxSourceValues);
  return READSTAT_HANDLER_ABORT;
}

// Sets the window of a column's note around its first number, or gives
// the note up when that number cannot bound a window.
[[gnu::noinline]] void StartNote(ColumnNote& n, const double* numbers, int64_t rows) {
  for (int64_t r = 0; r < rows; ++r) {
    const double x = numbers[r];
    if (std::isnan(x)) continue;
    if (CodeWindow::Usable(x) && CodeWindow::Usable(x - ValueSummary::kSize / 2)) {
      n.low = x - ValueSummary::kSize / 2;
    } else {
      n.low = 0.0;
      n.seen[ValueSummary::kSize + 1] = 1;
    }
    return;
  }
}

// Moves the buffered numbers into their columns, column by column (the
// buffered rows' cache lines serve eight neighbouring columns in turn), and
// notes them on the way: a column's note stays in a few cache lines, and its
// seen table takes plain stores, without a chain through one word.
void Flush(ParseContext& c) {
  if (c.pending.empty()) return;
  const int64_t rows = std::min(c.pendingRows, c.source.rows - c.pendingFirst);
  const size_t first = static_cast<size_t>(c.pendingFirst);
  const size_t end = first + static_cast<size_t>(rows);
  for (int64_t k = 0; k < c.pendingStride && rows > 0; ++k) {
    if (c.stringColumns[static_cast<size_t>(k)] != 0) continue;
    double gathered[kMaxBufferedRows];
    const double* from = c.pending.data() + k;
    for (int64_t r = 0; r < rows; ++r) gathered[r] = from[r * c.pendingStride];
    std::vector<double>& numbers = c.source.variables[static_cast<size_t>(k)].numbers;
    if (numbers.size() == first) {
      numbers.insert(numbers.end(), gathered, gathered + rows);  // no fill before the copy
    } else {
      if (numbers.size() < end) numbers.resize(end, std::numeric_limits<double>::quiet_NaN());
      std::copy(gathered, gathered + rows, numbers.begin() + static_cast<std::ptrdiff_t>(first));
    }
    ColumnNote& n = c.notes[static_cast<size_t>(k)];
    if (std::isnan(n.low)) StartNote(n, gathered, rows);
    if (std::isnan(n.low)) continue;  // no number yet
    const CodeWindow window(n.low, ValueSummary::kSize);
    uint8_t* seen = n.seen.data();
    for (int64_t r = 0; r < rows; ++r) seen[window.Slot(gathered[r])] = 1;
  }
  c.pending.clear();
  c.pendingFirst += c.pendingRows;  // a later buffer never covers these rows again
}

// StoreNumber for a value outside the buffer: starts a new buffer at its
// row, or stores it straight into its column. Out of line, so that the
// common path stays small.
[[gnu::noinline]] void StoreNumberSlowly(ParseContext& c, int index, int64_t row, double number) {
  constexpr int64_t kBufferedValues = 65536;
  if ((row >= c.pendingFirst + c.pendingRows || c.pending.empty()) && row >= c.pendingFirst) {
    Flush(c);
    c.pendingStride = c.columns;
    c.pendingRows = std::clamp<int64_t>(kBufferedValues / std::max<int64_t>(c.columns, 1), 1, kMaxBufferedRows);
    c.pendingFirst = row;
    c.pending.assign(static_cast<size_t>(c.pendingRows * c.pendingStride), std::numeric_limits<double>::quiet_NaN());
  }
  if (row >= c.pendingFirst && index < c.pendingStride && !c.pending.empty()) {
    c.pending[static_cast<size_t>((row - c.pendingFirst) * c.pendingStride + index)] = number;
    return;
  }
  c.notes[static_cast<size_t>(index)].escaped = true;  // values stored here are not noted
  std::vector<double>& numbers = c.source.variables[static_cast<size_t>(index)].numbers;
  const size_t at = static_cast<size_t>(row);
  if (numbers.size() <= at) numbers.resize(at + 1, std::numeric_limits<double>::quiet_NaN());
  numbers[at] = number;
}

// Stores a number of row, through the buffer when the row falls in it or
// after it; an earlier row goes straight to its column.
inline void StoreNumber(ParseContext& c, int index, int64_t row, double number) {
  const int64_t at = row - c.pendingFirst;
  if (at >= 0 && at < c.pendingRows && index < c.pendingStride && !c.pending.empty()) {
    c.pending[static_cast<size_t>(at * c.pendingStride + index)] = number;
    return;
  }
  StoreNumberSlowly(c, index, row, number);
}

// The value's number, read from the value itself: this runs once for every
// value of the file, and the accessor functions cost a call each.
double NumberOf(const readstat_value_t& value) {
  switch (value.type) {
    case READSTAT_TYPE_INT8:
      return value.v.i8_value;
    case READSTAT_TYPE_INT16:
      return value.v.i16_value;
    case READSTAT_TYPE_INT32:
      return value.v.i32_value;
    case READSTAT_TYPE_FLOAT:
      return value.v.float_value;
    case READSTAT_TYPE_DOUBLE:
      return value.v.double_value;
    default:
      return std::numeric_limits<double>::quiet_NaN();
  }
}

int OnMetadata(readstat_metadata_t* metadata, void* raw) {
  auto* c = static_cast<ParseContext*>(raw);
  const char* label = readstat_get_file_label(metadata);
  if (label != nullptr) c->source.fileLabel = QString::fromUtf8(label);
  const int64_t rows = readstat_get_row_count(metadata);
  const int64_t vars = readstat_get_var_count(metadata);
  if (rows > 0 && vars > 0 && rows * vars > kMaxSourceValues) {
    c->failure = LimitFailure(*c, QStringLiteral("values (rows x variables)"),
                              QStringLiteral("värden (rader x variabler)"), kMaxSourceValues);
    return READSTAT_HANDLER_ABORT;
  }
  if (rows > 0 && vars > 0) c->expectedRows = rows;
  return READSTAT_HANDLER_OK;
}

int OnVariable(int index, readstat_variable_t* variable, const char* labelSet, void* raw) {
  auto* c = static_cast<ParseContext*>(raw);
  Flush(*c);  // the buffer's rows are as wide as the variables before this one
  if (index != static_cast<int>(c->source.variables.size())) return READSTAT_HANDLER_ABORT;
  if (static_cast<int64_t>(index) + 1 > kMaxSourceVariables) {
    c->failure = LimitFailure(*c, QStringLiteral("variables"), QStringLiteral("variabler"), kMaxSourceVariables);
    return READSTAT_HANDLER_ABORT;
  }
  SourceVariable v;
  const char* name = readstat_variable_get_name(variable);
  const char* label = readstat_variable_get_label(variable);
  v.name = QString::fromUtf8(name != nullptr ? name : "");
  v.label = QString::fromUtf8(label != nullptr ? label : "");
  v.isString = readstat_variable_get_type_class(variable) == READSTAT_TYPE_CLASS_STRING;
  switch (readstat_variable_get_measure(variable)) {
    case READSTAT_MEASURE_NOMINAL:
      v.measure = Measure::Nominal;
      break;
    case READSTAT_MEASURE_ORDINAL:
      v.measure = Measure::Ordinal;
      break;
    case READSTAT_MEASURE_SCALE:
      v.measure = Measure::Scale;
      break;
    default:
      v.measure = Measure::Unknown;
      break;
  }
  if (!v.isString) {
    const int ranges = readstat_variable_get_missing_ranges_count(variable);
    for (int r = 0; r < ranges && r < 16; ++r) {
      const double lo = NumberOf(readstat_variable_get_missing_range_lo(variable, r));
      const double hi = NumberOf(readstat_variable_get_missing_range_hi(variable, r));
      if (lo == hi) {
        v.missingValues.push_back(lo);
      } else {
        v.missingRanges.emplace_back(lo, hi);
      }
    }
  }
  if (v.isString) {
    v.texts.resize(static_cast<size_t>(c->expectedRows));
  } else {
    v.numbers.reserve(static_cast<size_t>(c->expectedRows));
  }
  c->source.variables.push_back(std::move(v));
  c->stringColumns.push_back(c->source.variables.back().isString ? 1 : 0);
  c->notes.emplace_back();
  c->labelSets.push_back(labelSet != nullptr ? QByteArray(labelSet) : QByteArray());
  c->columns = static_cast<int64_t>(c->source.variables.size());
  if (c->source.rows * c->columns > kMaxSourceValues) return TooManyValues(*c);
  return READSTAT_HANDLER_OK;
}

// Stores a value of a string variable. Out of line: most values are numbers.
[[gnu::noinline]] int StoreText(ParseContext& c, int index, int row, readstat_value_t value) {
  SourceVariable& v = c.source.variables[static_cast<size_t>(index)];
  const size_t at = static_cast<size_t>(row);
  if (v.texts.size() <= at) v.texts.resize(at + 1);
  const char* text =
      readstat_value_type_class(value) == READSTAT_TYPE_CLASS_STRING ? readstat_string_value(value) : nullptr;
  if (text != nullptr) {
    v.texts[at] = QString::fromUtf8(text);
    c.textCharacters += v.texts[at].size();
    if (c.textCharacters > limits::kMaxReferencedCharacters) {
      c.failure = LimitFailure(c, QStringLiteral("characters of text"), QStringLiteral("tecken text"),
                               limits::kMaxReferencedCharacters);
      return READSTAT_HANDLER_ABORT;
    }
  }
  return READSTAT_HANDLER_OK;
}

int OnValue(int row, readstat_variable_t* variable, readstat_value_t value, void* raw) {
  auto* c = static_cast<ParseContext*>(raw);
  // The library's header declares the variable's fields; reading the index
  // there saves a call for every value.
  const int index = variable != nullptr ? variable->index : -1;
  if (row < 0 || index < 0 || index >= static_cast<int>(c->source.variables.size())) return READSTAT_HANDLER_ABORT;
  if (static_cast<int64_t>(row) + 1 > c->source.rows) {
    // Rows only grow here and columns only in OnVariable, which checks too.
    if ((static_cast<int64_t>(row) + 1) * c->columns > kMaxSourceValues) return TooManyValues(*c);
    c->source.rows = row + 1;
  }
  if (c->stringColumns[static_cast<size_t>(index)] == 0) {
    const bool missing = value.is_system_missing || value.is_tagged_missing;
    StoreNumber(*c, index, row, missing ? std::numeric_limits<double>::quiet_NaN() : NumberOf(value));
    return READSTAT_HANDLER_OK;
  }
  return StoreText(*c, index, row, value);
}

int OnValueLabel(const char* labelSet, readstat_value_t value, const char* label, void* raw) {
  auto* c = static_cast<ParseContext*>(raw);
  if (labelSet == nullptr || label == nullptr || readstat_value_is_tagged_missing(value) ||
      readstat_value_type_class(value) != READSTAT_TYPE_CLASS_NUMERIC) {
    return READSTAT_HANDLER_OK;  // labels of texts and tagged codes have no place in a question
  }
  auto& set = c->labels[QByteArray(labelSet)];
  if (static_cast<int64_t>(set.size()) >= limits::kMaxAlternativesPerQuestion) {
    c->failure =
        LimitFailure(*c, QStringLiteral("value labels in one label set"),
                     QStringLiteral("värdeetiketter i en etikettuppsättning"), limits::kMaxAlternativesPerQuestion);
    return READSTAT_HANDLER_ABORT;
  }
  if (++c->valueLabels > limits::kMaxAlternatives) {
    c->failure =
        LimitFailure(*c, QStringLiteral("value labels"), QStringLiteral("värdeetiketter"), limits::kMaxAlternatives);
    return READSTAT_HANDLER_ABORT;
  }
  set[NumberOf(value)] = QString::fromUtf8(label);
  return READSTAT_HANDLER_OK;
}

void OnError(const char* message, void* raw) {
  auto* c = static_cast<ParseContext*>(raw);
  if (message == nullptr || c->libraryError.size() >= 2000) return;
  QString text = QString::fromUtf8(message).trimmed();
  for (QChar& ch : text) {
    if (!ch.isPrint()) ch = u'?';  // the library quotes raw bytes of the file
  }
  c->libraryError += text + u' ';
}

}  // namespace

Result<SourceData> ReadStatFile(const QString& path, StatFormat format) {
  ParseContext c;
  c.fileName = QFileInfo(path).fileName();
  if (!QFileInfo(path).isFile()) {
    return Status::Failure({QStringLiteral("%1: the file cannot be opened").arg(path),
                            QStringLiteral("%1: filen kan inte öppnas").arg(path)},
                           kInputError);
  }
  readstat_parser_t* parser = readstat_parser_init();
  readstat_set_metadata_handler(parser, OnMetadata);
  readstat_set_variable_handler(parser, OnVariable);
  readstat_set_value_handler(parser, OnValue);
  readstat_set_value_label_handler(parser, OnValueLabel);
  readstat_set_error_handler(parser, OnError);
  const QByteArray nativePath = QFile::encodeName(path);
  readstat_error_t error = READSTAT_OK;
  switch (format) {
    case StatFormat::Sav:
      error = readstat_parse_sav(parser, nativePath.constData(), &c);
      break;
    case StatFormat::Por:
      error = readstat_parse_por(parser, nativePath.constData(), &c);
      break;
    case StatFormat::Dta:
      error = readstat_parse_dta(parser, nativePath.constData(), &c);
      break;
    case StatFormat::Sas7bdat:
      error = readstat_parse_sas7bdat(parser, nativePath.constData(), &c);
      break;
    case StatFormat::Xpt:
      error = readstat_parse_xport(parser, nativePath.constData(), &c);
      break;
  }
  readstat_parser_free(parser);
  if (!c.failure.ok()) return c.failure;
  Flush(c);
  if (error != READSTAT_OK) {
    QString reason = QString::fromUtf8(readstat_error_message(error));
    if (!c.libraryError.isEmpty()) reason += QStringLiteral(" (%1)").arg(c.libraryError.trimmed());
    if (format == StatFormat::Por) {
      return Status::Failure(
          {QStringLiteral("%1: this SPSS portable file cannot be read: %2. The portable files that current GNU PSPP "
                          "writes are not readable here; save the data as .sav instead")
               .arg(c.fileName, reason),
           QStringLiteral("%1: den här portabla SPSS-filen kan inte läsas: %2. De portabla filer som dagens GNU PSPP "
                          "skriver går inte att läsa här; spara data som .sav i stället")
               .arg(c.fileName, reason)},
          kInputError);
    }
    return Status::Failure({QStringLiteral("%1: the file cannot be read: %2").arg(c.fileName, reason),
                            QStringLiteral("%1: filen kan inte läsas: %2").arg(c.fileName, reason)},
                           kInputError);
  }
  // Every column gets one value per row; label sets are joined to their
  // variables now that both are known (formats send them in either order).
  for (size_t k = 0; k < c.source.variables.size(); ++k) {
    SourceVariable& v = c.source.variables[k];
    if (v.isString) {
      v.texts.resize(static_cast<size_t>(c.source.rows));
    } else {
      v.numbers.resize(static_cast<size_t>(c.source.rows), std::numeric_limits<double>::quiet_NaN());
      if (!c.labelSets[k].isEmpty()) v.valueLabels = c.labels.value(c.labelSets[k]);
      const ColumnNote& n = c.notes[k];
      v.summary.known = !n.escaped && n.seen[ValueSummary::kSize + 1] == 0;
      v.summary.low = std::isnan(n.low) ? 0.0 : n.low;
      for (size_t i = 0; i < ValueSummary::kSize; ++i) {
        if (n.seen[i] != 0) v.summary.present[i / 64] |= uint64_t{1} << (i % 64);
      }
    }
  }
  c.source.formatHasLabels = format == StatFormat::Sav || format == StatFormat::Por || format == StatFormat::Dta;
  return std::move(c.source);
}

}  // namespace kvf::import
