#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/quantile.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Inter-quartile range of the last n closes: Q(0.75) - Q(0.25), linearly interpolated.
class RollingIqr {
 public:
  static Expected<RollingIqr> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit RollingIqr(std::uint64_t period) : window_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    return sorted_quantile(window_.sorted(), 0.75) - sorted_quantile(window_.sorted(), 0.25);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
};

}  // namespace sorvik
