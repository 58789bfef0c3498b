#pragma once
// What a chart generator asks of a charting component: the operations the
// distribution, index and ranking graphs use, as named members. Points and
// sets are numbered from 0 here. A generator drives a chart only through
// this interface, so the same calls fill a ChartDescription (for kvf and the
// tests) or any other chart.
#include <QString>
#include <cstdint>
#include <optional>

namespace kvf {

enum class ChartType : int32_t { Pie = 1, Pie3D = 2, Bars = 3, Bars3D = 4 };

// The legend placement codes a chart understands ("Graph Legends"): 6 below
// the chart, 0 none; any other code puts the legend on the right.
inline constexpr int32_t kLegendBelow = 6;
inline constexpr int32_t kLegendNone = 0;

class ChartInterface {
 public:
  virtual ~ChartInterface() = default;

  // Holds drawing until Draw.
  virtual void HoldDrawing() = 0;
  virtual void Draw() = 0;
  virtual void SetChartType(ChartType type) = 0;
  // Bars grow from the left edge (true) or from the bottom (false).
  virtual void SetHorizontal(bool horizontal) = 0;
  virtual void SetMainTitle(const QString& text) = 0;
  virtual void SetBottomTitle(const QString& text) = 0;
  virtual void SetLeftTitle(const QString& text) = 0;
  // Category labels written vertically.
  virtual void SetVerticalLabels(bool vertical) = 0;
  // Values written on the bars.
  virtual void SetDataLabels(bool shown) = 0;
  virtual void SetLegendPlacement(int32_t code) = 0;
  // The style every bar graph gets.
  virtual void SetFixedBarStyles() = 0;
  // REQUIRES for the counts: 0 <= count; a chart may refuse large counts
  // (see ChartDescription::Fits).
  virtual void SetPointCount(int32_t points) = 0;
  virtual void SetSetCount(int32_t sets) = 0;
  // The set the next values and value labels belong to.
  virtual void SetCurrentSet(int32_t set) = 0;
  // Positions outside the counts are ignored by the setters below.
  virtual void SetValue(int32_t point, double value) = 0;
  virtual void SetValueLabel(int32_t point, const QString& text) = 0;
  virtual void SetPointLabel(int32_t point, const QString& text) = 0;
  virtual void SetSetLegend(int32_t set, const QString& text) = 0;
  // Every bar of a one-set graph gets colour code 9.
  virtual void SetColorCode9() = 0;
  // The value axis from 0 to max; steps nothing = left to the chart.
  virtual void SetFixedAxis(double max, std::optional<int32_t> steps) = 0;
  // One or two horizontal reference lines (line 0 and 1) across the
  // categories, each with an explanation ("" for none).
  virtual void SetLineCount(int32_t lines) = 0;
  virtual void SetLine(int32_t line, double value, const QString& explanation) = 0;
};

}  // namespace kvf
