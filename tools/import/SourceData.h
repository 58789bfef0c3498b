#pragma once
// A data set as the importer reads it from a statistics file or a CSV file:
// variables in file order, each with its labels, its declared missing values
// and one value per row. Readers fill it; the mapping and the document
// builder only read it.
#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace kvf::import {

// How a format records a variable's level of measurement.
enum class Measure { Unknown, Nominal, Ordinal, Scale };

// The whole numbers a numeric column holds, noted by a reader while it
// stores the values, so that the mapping need not read the column again.
// When known, every value of the column is NaN or a whole number in
// [low, low + kSize) and bit (x - low) of present says x occurs.
struct ValueSummary {
  static constexpr int kSize = 256;
  bool known = false;
  double low = 0.0;
  std::array<uint64_t, kSize / 64> present{};
};

struct SourceVariable {
  QString name;
  QString label;  // empty when the file has none
  bool isString = false;
  Measure measure = Measure::Unknown;
  // A codebook lists the variable's codes (values or missing codes): it
  // becomes a question.
  bool hasCodebookEntry = false;
  // Value labels by code, in code order.
  std::map<double, QString> valueLabels;
  // Codes declared missing ("user-missing"): single values and ranges.
  std::vector<double> missingValues;
  std::vector<std::pair<double, double>> missingRanges;
  // One entry per row: numbers for numeric variables (NaN = system missing),
  // texts for string variables. Only the vector of the variable's kind is
  // filled.
  std::vector<double> numbers;
  std::vector<QString> texts;
  // Filled by readers that note it; a reader leaves it unknown (the
  // default) when any value escapes it.
  ValueSummary summary;

  bool IsDeclaredMissing(double value) const {
    for (double m : missingValues) {
      if (m == value) return true;
    }
    for (const auto& [lo, hi] : missingRanges) {
      if (value >= lo && value <= hi) return true;
    }
    return false;
  }
  // System missing, or declared missing.
  bool IsMissing(double value) const { return std::isnan(value) || IsDeclaredMissing(value); }
};

struct SourceData {
  QString fileLabel;  // the file's own label, when the format has one
  // False for formats that carry no value labels (CSV, SAS transport and
  // data files): their variables qualify by their distinct values.
  bool formatHasLabels = true;
  int64_t rows = 0;
  std::vector<SourceVariable> variables;
};

}  // namespace kvf::import
