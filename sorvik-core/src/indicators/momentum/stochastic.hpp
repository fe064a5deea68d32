#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The stochastic rule: where x sits in [lowest, highest], in percent:
/// (x - lowest) * 100 / (highest - lowest), or 50 when the range is zero.
[[nodiscard]] inline double stochastic_percent(double x, double lowest, double highest) noexcept {
  const double range = highest - lowest;
  if (range == 0.0) return 50.0;
  return (x - lowest) * 100.0 / range;
}

/// Stochastic oscillator. The highest high and lowest low of the last k candles come from two
/// monotonic index deques; %K is the stochastic rule applied to the close, and %D is an `Sma`(d)
/// of %K. Outputs "k" (this bar's %K) and "d", once the average is ready.
class Stochastic {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"k", "d"};

  /// Checks: k non-zero (it sizes no storage beyond the bars seen), then d (0, then MAX_PERIOD).
  static Expected<Stochastic> create(std::uint64_t k_period, std::uint64_t d_period);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  Stochastic(std::uint64_t k_period, std::uint64_t d_period)
      : highest_(k_period), lowest_(k_period), d_(d_period), k_period_(k_period) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    highest_.push(c.high);
    lowest_.push(c.low);
    if (!highest_.full()) return std::nullopt;
    const double k = stochastic_percent(c.close, lowest_.value(), highest_.value());
    const auto d = d_.update(k);
    if (!d) return std::nullopt;
    return std::array<double, 2>{k, *d};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(k_period_, d_.warmup_period()), 1);
  }

 private:
  RollingMax highest_;
  RollingMin lowest_;
  Sma d_;
  std::uint64_t k_period_;
};

}  // namespace sorvik
