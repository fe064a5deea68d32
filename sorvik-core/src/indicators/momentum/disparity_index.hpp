#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Disparity index: (close - sma) * 100 / sma with `Sma`(n) of the close; 0 when the average is zero.
class DisparityIndex {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<DisparityIndex> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit DisparityIndex(std::uint64_t period) : sma_(period) {}

  std::optional<double> update(double x) {
    const auto s = sma_.update(x);
    if (!s) return std::nullopt;
    if (*s == 0.0) return 0.0;
    return (x - *s) * 100.0 / *s;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sma_.warmup_period(); }

 private:
  Sma sma_;
};

}  // namespace sorvik
