#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Pivot reversal over a window of left + 1 + right candles: the candle `left` places after the
/// oldest is a pivot high when its high is strictly above every other high of the window (a pivot low
/// likewise below every other low); the latest levels are kept. +1 when the close crosses above the
/// pivot high (previous close at or below it), -1 when it crosses below the pivot low (tested last,
/// it wins); else 0.
class PivotReversal {
 public:
  /// Checks: left and right not zero, then neither above MAX_PERIOD.
  static Expected<PivotReversal> create(std::uint64_t left, std::uint64_t right);
  PivotReversal(std::uint64_t left, std::uint64_t right) noexcept
      : window_(static_cast<std::size_t>(left + right + 1)), left_(static_cast<std::size_t>(left)) {}

  std::optional<double> update(const Candle& c) {
    window_.push_discard({c.high, c.low});
    const double prev_close = prev_close_;
    prev_close_ = c.close;
    if (!window_.full()) return std::nullopt;

    const HighLow pivot = window_[left_];
    bool is_high = true;
    bool is_low = true;
    for (std::size_t i = 0; i < window_.size(); ++i) {
      if (i == left_) continue;
      if (!(window_[i].high < pivot.high)) is_high = false;
      if (!(window_[i].low > pivot.low)) is_low = false;
    }
    if (is_high) pivot_high_ = pivot.high;
    if (is_low) pivot_low_ = pivot.low;

    double signal = 0.0;
    if (pivot_high_ && c.close > *pivot_high_ && prev_close <= *pivot_high_) signal = 1.0;
    if (pivot_low_ && c.close < *pivot_low_ && prev_close >= *pivot_low_) signal = -1.0;
    return signal;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> window_;
  std::size_t left_;
  double prev_close_ = 0.0;
  std::optional<double> pivot_high_;
  std::optional<double> pivot_low_;
};

}  // namespace sorvik
