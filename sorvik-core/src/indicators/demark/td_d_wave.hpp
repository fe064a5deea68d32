#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD D-wave: over the last 2n + 1 candles, the middle one (n bars back) is a swing high when its
/// high is strictly above every other high, a swing low when its low is strictly below every other
/// low, neither when it is both. A swing high outside an up leg starts one, a swing low outside a
/// down leg starts a down leg, each start advancing the wave number 1, 2, ..., 8, 1, ...; within a
/// leg a further swing only extends the leg's extreme. Nothing is yielded before the first leg, then
/// the wave number on every bar. The window is scanned once per bar: an update costs O(n).
class TdDWave {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<TdDWave> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit TdDWave(std::uint64_t period) noexcept
      : bars_(static_cast<std::size_t>(2 * period + 1)), half_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    bars_.push_discard({c.high, c.low});
    if (!bars_.full()) return std::nullopt;
    const HighLow& mid = bars_[half_];
    bool swing_high = true;
    bool swing_low = true;
    const std::size_t size = bars_.size();
    for (std::size_t i = 0; i < size && (swing_high || swing_low); ++i) {
      if (i == half_) continue;
      const HighLow& other = bars_[i];
      if (!(mid.high > other.high)) swing_high = false;
      if (!(mid.low < other.low)) swing_low = false;
    }
    if (swing_high && !swing_low) {
      if (leg_ != Leg::Up) {
        start(Leg::Up, mid.high);
      } else if (mid.high > extreme_) {
        extreme_ = mid.high;
      }
    } else if (swing_low && !swing_high) {
      if (leg_ != Leg::Down) {
        start(Leg::Down, mid.low);
      } else if (mid.low < extreme_) {
        extreme_ = mid.low;
      }
    }
    if (wave_ == 0) return std::nullopt;
    return static_cast<double>(wave_);
  }

  /// 2 * period + 1.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bars_.capacity(); }

 private:
  enum class Leg : std::uint8_t { Undetermined, Up, Down };
  struct HighLow {
    double high;
    double low;
  };

  void start(Leg leg, double extreme) noexcept {
    leg_ = leg;
    extreme_ = extreme;
    wave_ = wave_ % 8 + 1;
  }

  Window<HighLow> bars_;
  std::size_t half_;
  Leg leg_ = Leg::Undetermined;
  double extreme_ = 0.0;
  unsigned wave_ = 0;
};

}  // namespace sorvik
