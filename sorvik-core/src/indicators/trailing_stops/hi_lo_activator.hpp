#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// HiLo activator: the averages of the last n highs and lows (running sums re-added from scratch
/// every n pushes). The first full bar only stores its averages. Each later close above the previous
/// average high turns long, below the previous average low turns short (the side starts long); the
/// value is the previous average low when long, the previous average high when short.
class HiLoActivator {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<HiLoActivator> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit HiLoActivator(std::uint64_t period) noexcept : highs_(period, period), lows_(period, period) {}

  std::optional<double> update(const Candle& c) noexcept {
    highs_.push(c.high);
    lows_.push(c.low);
    if (!highs_.full()) return std::nullopt;
    const double avg_high = highs_.mean();
    const double avg_low = lows_.mean();
    std::optional<double> out;
    if (stored_) {
      if (c.close > prev_avg_high_) {
        long_ = true;
      } else if (c.close < prev_avg_low_) {
        long_ = false;
      }
      out = long_ ? prev_avg_low_ : prev_avg_high_;
    }
    prev_avg_high_ = avg_high;
    prev_avg_low_ = avg_low;
    stored_ = true;
    return out;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(highs_.period(), 1); }

 private:
  RunningSum highs_;
  RunningSum lows_;
  double prev_avg_high_ = 0.0;
  double prev_avg_low_ = 0.0;
  bool stored_ = false;
  bool long_ = true;
};

}  // namespace sorvik
