#pragma once

// Small pieces shared by the volume studies: the typical price, the money-flow multiplier, the
// candle-width ratio and the running sum that never re-adds from scratch.

#include <cstdint>
#include <limits>

#include "indicators/moving_averages/typical_price.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/records.hpp"

namespace sorvik::volume_detail {

/// (high + low + close) / 3 of the candle.
[[nodiscard]] inline double typical_price(const Candle& c) noexcept { return *TypicalPrice::update(c); }

/// ((close - low) - (high - close)) / (high - low), or 0 when high = low.
[[nodiscard]] inline double money_flow_multiplier(const Candle& c) noexcept {
  if (c.high == c.low) return 0.0;
  return ((c.close - c.low) - (c.high - c.close)) / (c.high - c.low);
}

/// volume / average, or 0 when the average is not positive.
[[nodiscard]] inline double volume_width(double volume, double average) noexcept {
  return average > 0.0 ? volume / average : 0.0;
}

/// A rolling sum of n values kept purely incrementally (the dropped value subtracted, the new one
/// added), never recomputed from scratch.
[[nodiscard]] inline RunningSum incremental_sum(std::uint64_t n) noexcept {
  return RunningSum(n, std::numeric_limits<std::uint64_t>::max());
}

/// The negative and positive volume indices: start at 1000; from the second bar, when the previous
/// close is non-zero and the volume moved the chosen way against the previous bar's volume,
/// value = (close - previous) / previous * value + value; otherwise the value is unchanged.
class VolumeIndexCore {
 public:
  /// `on_rising_volume`: the positive index (volume above the previous); else the negative one.
  explicit VolumeIndexCore(bool on_rising_volume) noexcept : rising_(on_rising_volume) {}

  double next(const Candle& c) noexcept {
    if (has_prev_ && prev_close_ != 0.0 &&
        (rising_ ? c.volume > prev_volume_ : c.volume < prev_volume_)) {
      value_ = (c.close - prev_close_) / prev_close_ * value_ + value_;
    }
    prev_close_ = c.close;
    prev_volume_ = c.volume;
    has_prev_ = true;
    return value_;
  }

 private:
  double value_ = 1000.0;
  double prev_close_ = 0.0;
  double prev_volume_ = 0.0;
  bool has_prev_ = false;
  bool rising_;
};

}  // namespace sorvik::volume_detail
