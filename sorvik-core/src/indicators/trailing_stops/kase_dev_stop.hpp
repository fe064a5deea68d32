#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Kase dev-stop: the two-bar range max(high, previous high) - min(low, previous low) of the last n
/// bar pairs gives offset = mean + multiplier * s, with s the sample deviation
/// sqrt(max(fma(n, -(S1 / n)^2, S2) / (n - 1), 0)) of the anchored sums. The first computation starts
/// long at high - offset. A long stop trails max(stop, extreme - offset) under the highest high of
/// the run and flips short at low + offset on a close below it; a short stop mirrors it. Outputs
/// "value" (the stop) and "direction".
class KaseDevStop {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"value", "direction"};
  /// Checks: the period at least 2, within MAX_PERIOD, then the multiplier (finite and > 0).
  static Expected<KaseDevStop> create(std::uint64_t period, double multiplier);
  /// Precondition: `create`'s checks passed.
  KaseDevStop(std::uint64_t period, double multiplier) noexcept
      : ranges_(period),
        n_(static_cast<double>(period)),
        n_minus_1_(static_cast<double>(period) - 1.0),
        multiplier_(multiplier) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const bool first = !seen_;
    const double prev_high = prev_high_;
    const double prev_low = prev_low_;
    seen_ = true;
    prev_high_ = c.high;
    prev_low_ = c.low;
    if (first) return std::nullopt;
    ranges_.push(std::max(c.high, prev_high) - std::min(c.low, prev_low));
    if (!ranges_.full()) return std::nullopt;

    const double d = ranges_.s1() / n_;
    const double mean = ranges_.anchor() + d;
    const double s = std::sqrt(std::max(std::fma(n_, -(d * d), ranges_.s2()) / n_minus_1_, 0.0));
    const double offset = mean + multiplier_ * s;
    if (direction_ == 0.0) {
      direction_ = 1.0;
      extreme_ = c.high;
      stop_ = c.high - offset;
    } else if (direction_ > 0.0) {
      extreme_ = std::max(extreme_, c.high);
      stop_ = std::max(stop_, extreme_ - offset);
      if (c.close < stop_) {
        direction_ = -1.0;
        extreme_ = c.low;
        stop_ = c.low + offset;
      }
    } else {
      extreme_ = std::min(extreme_, c.low);
      stop_ = std::min(stop_, extreme_ + offset);
      if (c.close > stop_) {
        direction_ = 1.0;
        extreme_ = c.high;
        stop_ = c.high - offset;
      }
    }
    return std::array<double, 2>{stop_, direction_};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(ranges_.period(), 1); }

 private:
  AnchoredMoments<2> ranges_;
  double n_;
  double n_minus_1_;
  double multiplier_;
  double prev_high_ = 0.0;
  double prev_low_ = 0.0;
  double extreme_ = 0.0;
  double stop_ = 0.0;
  double direction_ = 0.0;
  bool seen_ = false;
};

}  // namespace sorvik
