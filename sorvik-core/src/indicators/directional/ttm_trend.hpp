#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TTM trend flag: 1 when the close is above the `Sma`(n) of the bars' midpoint(high, low), else -1
/// (equality gives -1). From bar n.
class TtmTrend {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<TtmTrend> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit TtmTrend(std::uint64_t period) : sma_(period) {}

  std::optional<double> update(const Candle& c) {
    const auto average = sma_.update(midpoint(c.high, c.low));
    if (!average) return std::nullopt;
    return c.close > *average ? 1.0 : -1.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sma_.warmup_period(); }

 private:
  Sma sma_;
};

}  // namespace sorvik
