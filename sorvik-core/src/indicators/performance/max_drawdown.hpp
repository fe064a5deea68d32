#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Maximum drawdown of the last n closes taken as equity levels: the largest (peak - v) / peak over
/// the window, the running peak starting at minus infinity, a drawdown formed only while the peak
/// is above 0, starting from 0. A fraction, not a percentage.
class MaxDrawdown {
 public:
  static Expected<MaxDrawdown> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit MaxDrawdown(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    double largest = 0.0;
    performance::walk_levels(window_, [&](double peak, double v) {
      if (peak > 0.0) {
        const double d = (peak - v) / peak;
        if (d > largest) largest = d;
      }
    });
    return largest;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik
