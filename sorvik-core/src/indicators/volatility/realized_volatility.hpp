#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/log_return.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Realised volatility: the square root of the sum of the last n squared log returns (neither
/// annualised nor in percent). The running sum of squares is re-added from scratch every n pushes.
/// Closes that are not positive are skipped.
class RealizedVolatility {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<RealizedVolatility> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit RealizedVolatility(std::uint64_t period) noexcept : returns_(1), squares_(period, period) {}

  std::optional<double> update(double x) {
    const auto r = returns_.update(x);
    if (!r) return std::nullopt;
    squares_.push(*r * *r);
    if (!squares_.full()) return std::nullopt;
    return std::sqrt(std::max(squares_.sum(), 0.0));
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(squares_.period(), 1); }

 private:
  LogReturn returns_;
  RunningSum squares_;  // (sum - oldest²) + r², the same value as r² + (sum - oldest²)
};

}  // namespace sorvik
