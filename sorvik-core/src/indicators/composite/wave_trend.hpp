#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Wave trend: ap = (high + low + close) / 3; esa = exponential stage (channel) of ap; d = exponential
/// stage (channel) of |ap - esa|; ci = (ap - esa) / (d * 0.015), or 0 when d is not above
/// max(|esa|, 1) * 16 * 2^-52; "wt1" = exponential stage (average) of ci, "wt2" = `Sma`(signal) of
/// wt1, both yielded once wt2 exists.
class WaveTrend {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"wt1", "wt2"};

  /// Checks: channel, average and signal (each 0, then MAX_PERIOD).
  static Expected<WaveTrend> create(std::uint64_t channel, std::uint64_t average, std::uint64_t signal);
  /// Precondition: `create`'s checks passed.
  WaveTrend(std::uint64_t channel, std::uint64_t average, std::uint64_t signal)
      : esa_(channel), d_(channel), wt1_(average), wt2_(signal) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const double ap = (c.high + c.low + c.close) / 3.0;
    const auto esa = esa_.update(ap);
    if (!esa) return std::nullopt;
    const auto d = d_.update(std::fabs(ap - *esa));
    if (!d) return std::nullopt;
    double ci = 0.0;
    if (*d > std::max(std::fabs(*esa), 1.0) * 16.0 * 2.220446049250313e-16) ci = (ap - *esa) / (*d * 0.015);
    const auto wt1 = wt1_.update(ci);
    if (!wt1) return std::nullopt;
    const auto wt2 = wt2_.update(*wt1);
    if (!wt2) return std::nullopt;
    return std::array<double, 2>{*wt1, *wt2};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    // 2 * channel + average + signal - 3
    return sat_sub(sat_add(sat_add(sat_mul(2, esa_.period()), wt1_.period()), wt2_.warmup_period()), 3);
  }

 private:
  ExpStage esa_;
  ExpStage d_;
  ExpStage wt1_;
  Sma wt2_;
};

}  // namespace sorvik
