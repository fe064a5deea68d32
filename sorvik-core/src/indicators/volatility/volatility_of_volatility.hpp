#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/log_return.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volatility of volatility: the rolling sample deviation over b values of the rolling sample
/// deviation of the last a log returns. Closes that are not positive are skipped.
class VolatilityOfVolatility {
 public:
  /// Checks: both windows non-zero, then both at least 2.
  static Expected<VolatilityOfVolatility> create(std::uint64_t vol_window, std::uint64_t window_of_vols);
  /// Precondition: `create`'s checks passed.
  VolatilityOfVolatility(std::uint64_t vol_window, std::uint64_t window_of_vols) noexcept
      : returns_(1), vol_(vol_window), vol_of_vol_(window_of_vols) {}

  std::optional<double> update(double x) {
    const auto r = returns_.update(x);
    if (!r) return std::nullopt;
    vol_.push(*r);
    if (!vol_.full()) return std::nullopt;
    vol_of_vol_.push(vol_.deviation());
    if (!vol_of_vol_.full()) return std::nullopt;
    return vol_of_vol_.deviation();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(vol_.period(), vol_of_vol_.period());
  }

 private:
  LogReturn returns_;
  RollingSampleVariance vol_;
  RollingSampleVariance vol_of_vol_;
};

}  // namespace sorvik
