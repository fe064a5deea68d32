#pragma once

#include <cstdint>
#include <optional>

#include "indicators/momentum/rsi.hpp"
#include "indicators/momentum/stochastic.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Stochastic RSI: the last `stoch` values of an `Rsi`(rsi) in a window; the stochastic rule places
/// the newest between the window's lowest and highest (found by scan), 50 on a flat window.
class StochRsi {
 public:
  /// Checks: the rsi period, then the stoch period (each 0, then MAX_PERIOD).
  static Expected<StochRsi> create(std::uint64_t rsi_period, std::uint64_t stoch_period);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  StochRsi(std::uint64_t rsi_period, std::uint64_t stoch_period)
      : rsi_(rsi_period), values_(static_cast<std::size_t>(stoch_period)) {}

  std::optional<double> update(double x) {
    const auto r = rsi_.update(x);
    if (!r) return std::nullopt;
    values_.push_discard(*r);
    if (!values_.full()) return std::nullopt;
    return stochastic_percent(*r, scan_min(values_), scan_max(values_));
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(sat_sub(rsi_.warmup_period(), 1), values_.capacity());
  }

 private:
  Rsi rsi_;
  Window<double> values_;
};

}  // namespace sorvik
