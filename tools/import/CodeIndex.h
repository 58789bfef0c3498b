#pragma once
// Positions of numeric codes, for the per-value loops of an import: a code
// is looked up for every value of the data. Most variables have a handful
// of whole-number codes close together: those are looked up in a dense
// table without a data-dependent branch; other short code lists are
// searched in order, and past kLinearCodes codes a hash takes over.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kvf::import {

class CodeIndex {
 public:
  // The position of code, or -1.
  int32_t Find(double code) const {
    if (dense_) {
      const double offset = code - low_;
      if (!(offset >= 0 && offset < static_cast<double>(table_.size()))) return -1;
      const size_t at = static_cast<size_t>(offset);
      return static_cast<double>(at) == offset ? table_[at] : -1;
    }
    if (codes_.size() <= kLinearCodes) {
      for (size_t i = 0; i < codes_.size(); ++i) {
        if (codes_[i] == code) return positions_[i];
      }
      return -1;
    }
    const auto found = hash_.find(code);
    return found == hash_.end() ? -1 : found->second;
  }
  // Adds a code that Find does not know.
  void Add(double code, int32_t position) {
    codes_.push_back(code);
    positions_.push_back(position);
    if (codes_.size() > kLinearCodes) {
      if (hash_.empty()) {
        for (size_t i = 0; i < codes_.size(); ++i) hash_.emplace(codes_[i], positions_[i]);
      } else {
        hash_.emplace(code, position);
      }
    }
    Densify();
  }
  size_t Size() const { return codes_.size(); }
  // The codes in the order added.
  const std::vector<double>& Codes() const { return codes_; }

 private:
  static constexpr size_t kLinearCodes = 24;
  static constexpr double kMaxDenseSpan = 1024;

  // Keeps the dense table while every code is a whole number and they span
  // less than kMaxDenseSpan; once not, never again (the span only grows).
  // Each rebuild costs at most kMaxDenseSpan, and there are at most that
  // many codes while the table lasts.
  void Densify() {
    const double c = codes_.back();
    if (codes_.size() == 1) {
      dense_ = c == std::floor(c) && std::isfinite(c);
      low_ = high_ = c;
    }
    if (!dense_) return;
    if (c != std::floor(c) || !std::isfinite(c) || std::max(high_, c) - std::min(low_, c) >= kMaxDenseSpan) {
      dense_ = false;
      table_.clear();
      return;
    }
    if (c < low_ || c > high_ || table_.empty()) {
      low_ = std::min(low_, c);
      high_ = std::max(high_, c);
      table_.assign(static_cast<size_t>(high_ - low_) + 1, -1);
      for (size_t i = 0; i < codes_.size(); ++i) table_[static_cast<size_t>(codes_[i] - low_)] = positions_[i];
    } else {
      table_[static_cast<size_t>(c - low_)] = positions_.back();
    }
  }

  std::vector<double> codes_;
  std::vector<int32_t> positions_;
  std::unordered_map<double, int32_t> hash_;
  bool dense_ = false;
  double low_ = 0;
  double high_ = 0;
  std::vector<int32_t> table_;
};

}  // namespace kvf::import
