#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Correlation trend indicator: the Pearson correlation of the last n closes (oldest first) with the
/// positions 0..n-1, clamped to [-1, 1]; 0 when the denominator product is not positive.
class CorrelationTrendIndicator {
 public:
  /// Checks: period >= 2, then MAX_PERIOD.
  static Expected<CorrelationTrendIndicator> create(std::uint64_t period);
  explicit CorrelationTrendIndicator(std::uint64_t period);

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    const double mean = window_sum(window_) / n_;
    double sum_h = 0.0;
    double sum_ih = 0.0;
    double sum_hh = 0.0;
    double i = 0.0;
    window_.for_each([&](double v) {
      const double h = v - mean;
      sum_h = sum_h + h;
      sum_ih = sum_ih + i * h;
      sum_hh = sum_hh + h * h;
      i = i + 1.0;
    });
    const double num = n_ * sum_ih - sx_ * sum_h;
    const double den = (n_ * sum_ii_ - sx_ * sx_) * (n_ * sum_hh - sum_h * sum_h);
    if (!(den > 0.0)) return 0.0;
    return std::clamp(num / std::sqrt(den), -1.0, 1.0);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;       // n
  double sx_;      // n (n - 1) / 2, the sum of the positions
  double sum_ii_;  // the sum of the squared positions
};

}  // namespace sorvik
