#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/bands/bollinger_bands.hpp"
#include "indicators/volatility/volatility_helpers.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Relative volatility index: the population deviation σ of the last n closes, counted as "up" on
/// a rising close and "down" on a falling one; both are averaged (mean of the first n, then
/// fma(avg, n - 1, x) / n) and value = up · 100 / (down + up), 50 when both averages are zero.
class RviVolatility {
 public:
  /// Checks: the period (0, then MAX_PERIOD), then at least 2.
  static Expected<RviVolatility> create(std::uint64_t period);
  /// Precondition: `create`'s checks passed.
  explicit RviVolatility(std::uint64_t period) noexcept : core_(period), up_(period), down_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    core_.push(x);
    const double prev = prev_;
    prev_ = x;
    if (!core_.full()) return std::nullopt;
    const double sigma = core_.stats().stddev;
    const auto up = up_.update(x > prev ? sigma : 0.0);
    const auto down = down_.update(x < prev ? sigma : 0.0);
    if (!up || !down) return std::nullopt;
    const double total = *down + *up;
    if (total == 0.0) return 50.0;
    return (*up * 100.0) / total;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_mul(2, core_.period()), 1);
  }

 private:
  BollingerCore core_;
  volatility::RviAverage up_;
  volatility::RviAverage down_;
  double prev_ = 0.0;
};

}  // namespace sorvik
