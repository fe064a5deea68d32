#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Stochastic momentum index. Over the last `period` candles (extremes by scan): the distance of
/// the close from the `midpoint` of the highest high and lowest low, and the range itself. Each
/// passes `Ema`(smoothing 1) and then `Ema`(smoothing 2); value = (smoothed distance * 100) /
/// (smoothed range * 0.5). When the smoothed range is not positive the previous value is repeated
/// (0 if there is none yet: a range that was flat from the start).
class Smi {
 public:
  /// Checks: period, smoothing 1, smoothing 2 in order (each 0, then MAX_PERIOD).
  static Expected<Smi> create(std::uint64_t period, std::uint64_t smoothing1, std::uint64_t smoothing2);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  Smi(std::uint64_t period, std::uint64_t smoothing1, std::uint64_t smoothing2) noexcept
      : bars_(static_cast<std::size_t>(period)),
        dist1_(smoothing1),
        range1_(smoothing1),
        dist2_(smoothing2),
        range2_(smoothing2) {}

  std::optional<double> update(const Candle& c) {
    bars_.push_discard({c.high, c.low});
    if (!bars_.full()) return std::nullopt;
    const double highest = scan_max(bars_, [](const HighLow& b) { return b.high; });
    const double lowest = scan_min(bars_, [](const HighLow& b) { return b.low; });
    const auto d1 = dist1_.update(c.close - midpoint(highest, lowest));
    const auto r1 = range1_.update(highest - lowest);
    if (!d1 || !r1) return std::nullopt;
    const auto d2 = dist2_.update(*d1);
    const auto r2 = range2_.update(*r1);
    if (!d2 || !r2) return std::nullopt;
    if (*r2 > 0.0) value_ = (*d2 * 100.0) / (*r2 * 0.5);
    return value_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(sat_add(bars_.capacity(), dist1_.warmup_period()), dist2_.warmup_period()), 2);
  }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> bars_;
  Ema dist1_;
  Ema range1_;
  Ema dist2_;
  Ema range2_;
  double value_ = 0.0;
};

}  // namespace sorvik
