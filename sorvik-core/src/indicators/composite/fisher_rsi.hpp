#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/momentum/rsi.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fisher-transformed RSI: v = (rsi - 50) / 50 limited to [-0.999, 0.999];
/// value = 0.5 * ln((1 + v) / (1 - v)).
class FisherRsi {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<FisherRsi> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit FisherRsi(std::uint64_t period) noexcept : rsi_(period) {}

  std::optional<double> update(double x) noexcept {
    const auto r = rsi_.update(x);
    if (!r) return std::nullopt;
    double v = (*r - 50.0) / 50.0;
    if (v < -0.999) v = -0.999;
    if (v > 0.999) v = 0.999;
    return 0.5 * std::log((1.0 + v) / (1.0 - v));
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return rsi_.warmup_period(); }

 private:
  Rsi rsi_;
};

}  // namespace sorvik
