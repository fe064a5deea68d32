#pragma once

#include <cstdint>
#include <optional>

#include "indicators/momentum/cci.hpp"
#include "indicators/momentum/stochastic.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Stochastic CCI: the last n values of a `Cci`(n) in a window; the stochastic rule places the
/// newest between the window's lowest and highest (found by scan), 50 on a flat window.
class StochasticCci {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<StochasticCci> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit StochasticCci(std::uint64_t period) noexcept : cci_(period), values_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    const auto v = cci_.update(c);
    if (!v) return std::nullopt;
    values_.push_discard(*v);
    if (!values_.full()) return std::nullopt;
    return stochastic_percent(*v, scan_min(values_), scan_max(values_));
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(cci_.warmup_period(), values_.capacity()), 1);
  }

 private:
  Cci cci_;
  Window<double> values_;
};

}  // namespace sorvik
