#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Trade volume index: the first bar only stores its close; the direction starts at 0. Later, with
/// change = close - previous close, the direction becomes +1 when min_tick < change, -1 when
/// change < -min_tick, and is kept otherwise; total = volume * direction + total is yielded.
class TradeVolumeIndex {
 public:
  /// Checks: min_tick finite and not negative (`InvalidParameter`).
  static Expected<TradeVolumeIndex> create(double min_tick);
  explicit TradeVolumeIndex(double min_tick) noexcept : min_tick_(min_tick) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (!has_prev_) {
      prev_close_ = c.close;
      has_prev_ = true;
      return std::nullopt;
    }
    const double change = c.close - prev_close_;
    prev_close_ = c.close;
    if (min_tick_ < change) {
      direction_ = 1.0;
    } else if (change < -min_tick_) {
      direction_ = -1.0;
    }
    total_ = c.volume * direction_ + total_;
    return total_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  double min_tick_;
  double direction_ = 0.0;
  double total_ = 0.0;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
