#include "core/graphs/ChartDescription.h"

#include <algorithm>

namespace kvf {

namespace {

bool Inside(int32_t position, int32_t count) { return position >= 0 && position < count; }

}  // namespace

void ChartDescription::Reshape() {
  // A refused shape keeps no cells, so nothing can be written beyond it.
  const int64_t cells = static_cast<int64_t>(points) * sets;
  const size_t p = cells > kMaxChartCells ? 0 : static_cast<size_t>(points);
  const size_t s = cells > kMaxChartCells ? 0 : static_cast<size_t>(sets);
  pointLabels.resize(p);
  if (setLegends) setLegends->resize(s);
  values.resize(s);
  valueLabels.resize(s);
  for (size_t i = 0; i < s; ++i) {
    values[i].resize(p, 0.0);
    valueLabels[i].resize(p);
  }
}

void ChartDescription::SetPointCount(int32_t count) {
  points = std::max(0, count);
  Reshape();
}

void ChartDescription::SetSetCount(int32_t count) {
  sets = std::max(0, count);
  Reshape();
}

void ChartDescription::SetValue(int32_t point, double value) {
  if (Inside(currentSet, static_cast<int32_t>(values.size())) &&
      Inside(point, static_cast<int32_t>(pointLabels.size())))
    values[static_cast<size_t>(currentSet)][static_cast<size_t>(point)] = value;
}

void ChartDescription::SetValueLabel(int32_t point, const QString& text) {
  if (Inside(currentSet, static_cast<int32_t>(values.size())) &&
      Inside(point, static_cast<int32_t>(pointLabels.size())))
    valueLabels[static_cast<size_t>(currentSet)][static_cast<size_t>(point)] = text;
}

void ChartDescription::SetPointLabel(int32_t point, const QString& text) {
  if (Inside(point, static_cast<int32_t>(pointLabels.size()))) pointLabels[static_cast<size_t>(point)] = text;
}

void ChartDescription::SetSetLegend(int32_t set, const QString& text) {
  if (!setLegends) setLegends.emplace(values.size());
  if (Inside(set, static_cast<int32_t>(setLegends->size()))) (*setLegends)[static_cast<size_t>(set)] = text;
}

void ChartDescription::SetLineCount(int32_t count) { lines.emplace(static_cast<size_t>(std::clamp(count, 0, 2))); }

void ChartDescription::SetLine(int32_t line, double value, const QString& explanation) {
  if (lines && Inside(line, static_cast<int32_t>(lines->size())))
    (*lines)[static_cast<size_t>(line)] = {value, explanation};
}

double ChartDescription::Value(int32_t set, int32_t point) const {
  if (!Inside(set, static_cast<int32_t>(values.size())) || !Inside(point, static_cast<int32_t>(pointLabels.size())))
    return 0.0;
  return values[static_cast<size_t>(set)][static_cast<size_t>(point)];
}

const QString& ChartDescription::ValueLabel(int32_t set, int32_t point) const {
  static const QString empty;
  if (!Inside(set, static_cast<int32_t>(values.size())) || !Inside(point, static_cast<int32_t>(pointLabels.size())))
    return empty;
  return valueLabels[static_cast<size_t>(set)][static_cast<size_t>(point)];
}

double ChartDescription::LargestValue() const {
  double largest = 0.0;
  for (const std::vector<double>& set : values)
    for (double value : set) largest = std::max(largest, value);
  return largest;
}

}  // namespace kvf
