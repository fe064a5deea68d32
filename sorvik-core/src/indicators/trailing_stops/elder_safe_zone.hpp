#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Elder's safe-zone stop. From the second bar, the upward penetration max(high - previous high, 0)
/// and the downward penetration max(previous low - low, 0) enter windows of n (running sums) that
/// also count their non-zero entries; an average penetration is its window sum over that count (0
/// when there is none). The first stop is low - avg_down * multiplier, long. A long stop only rises
/// and flips short at high + avg_up * multiplier once it is above the close; a short stop mirrors it.
/// Outputs "value" (the stop) and "direction".
class ElderSafeZone {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"value", "direction"};
  /// Checks: the period (0, then MAX_PERIOD), then the multiplier (finite and > 0).
  static Expected<ElderSafeZone> create(std::uint64_t period, double multiplier);
  /// Precondition: `create`'s checks passed.
  ElderSafeZone(std::uint64_t period, double multiplier) noexcept
      : up_(period), down_(period), multiplier_(multiplier) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const bool first = !seen_;
    const double prev_high = prev_high_;
    const double prev_low = prev_low_;
    seen_ = true;
    prev_high_ = c.high;
    prev_low_ = c.low;
    if (first) return std::nullopt;
    up_.push(std::max(c.high - prev_high, 0.0));
    down_.push(std::max(prev_low - c.low, 0.0));
    if (!up_.full()) return std::nullopt;

    const double avg_up = up_.average();
    const double avg_down = down_.average();
    if (direction_ == 0.0) {
      direction_ = 1.0;
      stop_ = c.low - avg_down * multiplier_;
    } else if (direction_ > 0.0) {
      stop_ = std::max(stop_, c.low - avg_down * multiplier_);
      if (stop_ > c.close) {
        direction_ = -1.0;
        stop_ = c.high + avg_up * multiplier_;
      }
    } else {
      stop_ = std::min(stop_, c.high + avg_up * multiplier_);
      if (stop_ < c.close) {
        direction_ = 1.0;
        stop_ = c.low - avg_down * multiplier_;
      }
    }
    return std::array<double, 2>{stop_, direction_};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(up_.period(), 1); }

 private:
  /// A running sum of penetrations with the number of non-zero ones it holds.
  class Penetrations {
   public:
    explicit Penetrations(std::uint64_t n) noexcept : sum_(n) {}
    void push(double x) {
      if (sum_.full() && sum_.window().oldest() != 0.0) --nonzero_;
      sum_.push(x);
      if (x != 0.0) ++nonzero_;
    }
    [[nodiscard]] bool full() const noexcept { return sum_.full(); }
    [[nodiscard]] std::uint64_t period() const noexcept { return sum_.period(); }
    /// The window sum over the number of non-zero penetrations, 0 when there is none.
    [[nodiscard]] double average() const noexcept {
      return nonzero_ == 0 ? 0.0 : sum_.sum() / static_cast<double>(nonzero_);
    }

   private:
    RunningSum sum_;
    std::uint64_t nonzero_ = 0;
  };

  Penetrations up_;
  Penetrations down_;
  double multiplier_;
  double prev_high_ = 0.0;
  double prev_low_ = 0.0;
  double stop_ = 0.0;
  double direction_ = 0.0;
  bool seen_ = false;
};

}  // namespace sorvik
