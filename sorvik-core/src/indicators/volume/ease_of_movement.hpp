#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Ease of movement: mid = midpoint(high, low); the first bar only stores mid. Later
/// emv = ((mid - previous mid) * (high - low)) * 100000000 / volume, 0 when the volume is 0; the
/// last n emv values sit in a running sum re-added from scratch every n pushes; value = sum / n.
class EaseOfMovement {
 public:
  static Expected<EaseOfMovement> create(std::uint64_t period);
  explicit EaseOfMovement(std::uint64_t period) noexcept : sum_(period, period) {}

  std::optional<double> update(const Candle& c) {
    const double mid = midpoint(c.high, c.low);
    if (!has_prev_) {
      prev_mid_ = mid;
      has_prev_ = true;
      return std::nullopt;
    }
    const double emv = c.volume == 0.0 ? 0.0 : ((mid - prev_mid_) * (c.high - c.low)) * 100000000.0 / c.volume;
    prev_mid_ = mid;
    sum_.push(emv);
    if (!sum_.full()) return std::nullopt;
    return sum_.mean();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(sum_.period(), 1); }

 private:
  RunningSum sum_;
  double prev_mid_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
