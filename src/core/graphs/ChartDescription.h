#pragma once
// A chart as plain data: every value a generator set through
// ChartInterface, and which members were never set (std::nullopt). The
// renderer draws it; `kvf chart` prints it.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/graphs/ChartInterface.h"

namespace kvf {

struct ChartAxis {
  double max = 0.0;
  std::optional<int32_t> steps;
};

struct ChartLine {
  double value = 0.0;
  QString explanation;
};

// Points times sets beyond which a chart is refused (no window could show it).
inline constexpr int64_t kMaxChartCells = 1000000;

class ChartDescription final : public ChartInterface {
 public:
  void HoldDrawing() override { held = true; }
  void Draw() override { held = false; }
  void SetChartType(ChartType value) override { type = value; }
  void SetHorizontal(bool value) override { horizontal = value; }
  void SetMainTitle(const QString& text) override { title = text; }
  void SetBottomTitle(const QString& text) override { bottomTitle = text; }
  void SetLeftTitle(const QString& text) override { leftTitle = text; }
  void SetVerticalLabels(bool value) override { verticalLabels = value; }
  void SetDataLabels(bool value) override { dataLabels = value; }
  void SetLegendPlacement(int32_t code) override { legendPlacement = code; }
  void SetFixedBarStyles() override { fixedBarStyles = true; }
  void SetPointCount(int32_t points) override;
  void SetSetCount(int32_t sets) override;
  void SetCurrentSet(int32_t set) override { currentSet = set; }
  void SetValue(int32_t point, double value) override;
  void SetValueLabel(int32_t point, const QString& text) override;
  void SetPointLabel(int32_t point, const QString& text) override;
  void SetSetLegend(int32_t set, const QString& text) override;
  void SetColorCode9() override { colorCode9 = true; }
  void SetFixedAxis(double max, std::optional<int32_t> steps) override { axis = ChartAxis{max, steps}; }
  void SetLineCount(int32_t count) override;
  void SetLine(int32_t line, double value, const QString& explanation) override;

  int32_t Points() const { return points; }
  int32_t Sets() const { return sets; }
  // The value of a point of a set; 0 outside.
  double Value(int32_t set, int32_t point) const;
  const QString& ValueLabel(int32_t set, int32_t point) const;
  // The larger of the biggest value and 0.
  double LargestValue() const;

  bool held = false;
  std::optional<ChartType> type;
  std::optional<bool> horizontal;
  std::optional<QString> title;
  std::optional<QString> bottomTitle;
  std::optional<QString> leftTitle;
  std::optional<bool> verticalLabels;
  std::optional<bool> dataLabels;
  std::optional<int32_t> legendPlacement;
  bool fixedBarStyles = false;
  int32_t points = 0;
  int32_t sets = 0;
  int32_t currentSet = 0;
  std::vector<QString> pointLabels;                // [points]
  std::optional<std::vector<QString>> setLegends;  // [sets], once one is set
  std::vector<std::vector<double>> values;         // [sets][points]
  std::vector<std::vector<QString>> valueLabels;   // [sets][points]
  bool colorCode9 = false;
  std::optional<ChartAxis> axis;
  std::optional<std::vector<ChartLine>> lines;  // once a line count is set

 private:
  void Reshape();
};

}  // namespace kvf
