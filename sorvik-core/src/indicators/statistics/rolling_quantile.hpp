#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/quantile.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The q-quantile of the last n closes, interpolated linearly between sorted positions 0..n-1.
class RollingQuantile {
 public:
  static Expected<RollingQuantile> create(std::uint64_t period, double quantile);
  /// Precondition: the parameters passed `create`'s checks.
  RollingQuantile(std::uint64_t period, double quantile) : window_(period), q_(quantile) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    return sorted_quantile(window_.sorted(), q_);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
  double q_;
};

}  // namespace sorvik
