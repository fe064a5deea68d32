#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Chaikin volatility: the rate of change over r bars, in percent, of Ema(e) of high - low;
/// 0 when the average r bars back is 0. A non-finite range is skipped.
class ChaikinVolatility {
 public:
  /// Checks: the ema period, then the roc period (each 0, then MAX_PERIOD).
  static Expected<ChaikinVolatility> create(std::uint64_t ema_period, std::uint64_t roc_period);
  ChaikinVolatility(std::uint64_t ema_period, std::uint64_t roc_period) noexcept
      : ema_(ema_period), values_(static_cast<std::size_t>(roc_period) + 1), roc_period_(roc_period) {}

  std::optional<double> update(const Candle& c) {
    const auto v = ema_.update(c.high - c.low);
    if (!v) return std::nullopt;
    values_.push_discard(*v);
    if (!values_.full()) return std::nullopt;
    const double oldest = values_.oldest();
    if (oldest == 0.0) return 0.0;
    return (*v - oldest) / oldest * 100.0;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(ema_.warmup_period(), roc_period_);
  }

 private:
  Ema ema_;
  Window<double> values_;
  std::uint64_t roc_period_;
};

}  // namespace sorvik
