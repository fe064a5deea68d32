#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Williams %R: the highest high and lowest low of the last n candles (by scan);
/// value = (highest - close) / (highest - lowest) * -100, or -50 when the range is zero.
class WilliamsR {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<WilliamsR> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit WilliamsR(std::uint64_t period) noexcept : bars_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    bars_.push_discard({c.high, c.low});
    if (!bars_.full()) return std::nullopt;
    const double highest = scan_max(bars_, [](const HighLow& b) { return b.high; });
    const double lowest = scan_min(bars_, [](const HighLow& b) { return b.low; });
    const double range = highest - lowest;
    if (range == 0.0) return -50.0;
    return (highest - c.close) / range * -100.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bars_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> bars_;
};

}  // namespace sorvik
