#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD pressure: per bar p = (C - O) / (H - L) * V (0 when H - L is not positive); running sums of p
/// and V over the last n bars give A = sum of p and B = (sum of V) / n, and the value
/// ((A / n) * 100) / B, or 0 when B is exactly zero.
class TdPressure {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<TdPressure> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit TdPressure(std::uint64_t period) noexcept : pressure_(period), volume_(period) {}

  std::optional<double> update(const Candle& c) {
    const double range = c.high - c.low;
    pressure_.push(range > 0.0 ? (c.close - c.open) / range * c.volume : 0.0);
    volume_.push(c.volume);
    if (!volume_.full()) return std::nullopt;
    const double b = volume_.mean();
    if (b == 0.0) return 0.0;
    return (pressure_.mean() * 100.0) / b;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return volume_.period(); }

 private:
  RunningSum pressure_;
  RunningSum volume_;
};

}  // namespace sorvik
