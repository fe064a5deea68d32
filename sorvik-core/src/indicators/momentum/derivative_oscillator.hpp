#pragma once

#include <cstdint>
#include <optional>

#include "indicators/momentum/rsi.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Derivative oscillator: `Rsi`(rsi) smoothed by `Ema`(ema1) and then `Ema`(ema2); value = e2 minus
/// an `Sma`(sma) of e2.
class DerivativeOscillator {
 public:
  /// Checks: rsi, ema1, ema2, sma in order (each 0, then MAX_PERIOD).
  static Expected<DerivativeOscillator> create(std::uint64_t rsi, std::uint64_t ema1, std::uint64_t ema2,
                                               std::uint64_t sma);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  DerivativeOscillator(std::uint64_t rsi, std::uint64_t ema1, std::uint64_t ema2, std::uint64_t sma)
      : rsi_(rsi), ema1_(ema1), ema2_(ema2), sma_(sma) {}

  std::optional<double> update(double x) {
    const auto r = rsi_.update(x);
    if (!r) return std::nullopt;
    const auto a = ema1_.update(*r);
    if (!a) return std::nullopt;
    const auto b = ema2_.update(*a);
    if (!b) return std::nullopt;
    const auto s = sma_.update(*b);
    if (!s) return std::nullopt;
    return *b - *s;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(sat_add(sat_add(rsi_.warmup_period(), ema1_.warmup_period()), ema2_.warmup_period()),
                           sma_.warmup_period()),
                   3);
  }

 private:
  Rsi rsi_;
  Ema ema1_;
  Ema ema2_;
  Sma sma_;
};

}  // namespace sorvik
