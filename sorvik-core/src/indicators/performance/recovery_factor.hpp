#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Recovery factor of all closes since the start: with the first close b, the running peak and the
/// largest drawdown c = max (peak - close) / peak (from 0), the answer is (close / b - 1) / c, 0
/// when c is 0; no answer while b is 0.
class RecoveryFactor {
 public:
  static Expected<RecoveryFactor> create();
  RecoveryFactor() = default;

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    if (!started_) {
      started_ = true;
      first_ = x;
      peak_ = x;
    } else if (x > peak_) {
      peak_ = x;
    }
    const double d = (peak_ - x) / peak_;
    if (d > largest_) largest_ = d;
    if (first_ == 0.0) return std::nullopt;
    if (largest_ == 0.0) return 0.0;
    return (x / first_ - 1.0) / largest_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  bool started_ = false;
  double first_ = 0.0;
  double peak_ = 0.0;
  double largest_ = 0.0;
};

}  // namespace sorvik
