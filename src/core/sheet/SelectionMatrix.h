#pragma once
// Tables shaped [dimension position][alternative position], as the navigator
// and the selection engine pass them: SelectionMatrix (which alternatives
// are kept) and AlternativeCounts (how many respondents each would add).
//
// The width is the document's MaxDimensionAlternatives; a dimension whose
// question has fewer alternatives leaves the rest of its row unused.
// Reads outside the table give false / 0; writes outside it are ignored.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace kvf {

struct SurveyDocument;

template <typename T>
class DimensionTable {
  // Booleans are kept one per byte, so a row is addressable.
  using Cell = std::conditional_t<std::is_same_v<T, bool>, uint8_t, T>;

 public:
  DimensionTable() = default;
  // REQUIRES: dimensions >= 0, alternatives >= 0.
  DimensionTable(int32_t dimensions, int32_t alternatives, T value)
      : dimensions_(dimensions < 0 ? 0 : dimensions),
        alternatives_(alternatives < 0 ? 0 : alternatives),
        cells_(static_cast<size_t>(dimensions_) * static_cast<size_t>(alternatives_), static_cast<Cell>(value)) {}

  int32_t DimensionCount() const { return dimensions_; }
  int32_t AlternativeCount() const { return alternatives_; }
  bool Inside(int32_t dimension, int32_t alternative) const {
    return dimension >= 0 && dimension < dimensions_ && alternative >= 0 && alternative < alternatives_;
  }
  T Get(int32_t dimension, int32_t alternative) const {
    return Inside(dimension, alternative) ? static_cast<T>(cells_[At(dimension, alternative)]) : T{};
  }
  void Set(int32_t dimension, int32_t alternative, T value) {
    if (Inside(dimension, alternative)) cells_[At(dimension, alternative)] = static_cast<Cell>(value);
  }
  // The row of one dimension. REQUIRES: 0 <= dimension < DimensionCount().
  Cell* Row(int32_t dimension) { return cells_.data() + At(dimension, 0); }
  const Cell* Row(int32_t dimension) const { return cells_.data() + At(dimension, 0); }
  void Fill(T value) { cells_.assign(cells_.size(), static_cast<Cell>(value)); }

  bool operator==(const DimensionTable&) const = default;

 private:
  size_t At(int32_t dimension, int32_t alternative) const {
    return static_cast<size_t>(dimension) * static_cast<size_t>(alternatives_) + static_cast<size_t>(alternative);
  }

  int32_t dimensions_ = 0;
  int32_t alternatives_ = 0;
  std::vector<Cell> cells_;
};

// True = the alternative is kept.
class SelectionMatrix : public DimensionTable<bool> {
 public:
  using DimensionTable<bool>::DimensionTable;
  // Shaped for the document, every entry true.
  static SelectionMatrix AllSelected(const SurveyDocument& document);
  // Shaped for the document, every entry false.
  static SelectionMatrix NoneSelected(const SurveyDocument& document);
};

using AlternativeCounts = DimensionTable<int32_t>;

}  // namespace kvf
