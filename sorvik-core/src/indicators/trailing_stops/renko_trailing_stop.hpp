#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Renko trailing stop: a brick base b that moves in whole bricks with the trend, the stop one brick
/// behind it. The first close sets b (direction up, stop close - brick). Up: a close below b - brick
/// flips down with b = close; otherwise b advances by the whole bricks the close gained. Down
/// mirrors it.
class RenkoTrailingStop {
 public:
  /// Checks: brick finite and > 0.
  static Expected<RenkoTrailingStop> create(double brick);
  /// Precondition: `create`'s checks passed.
  explicit RenkoTrailingStop(double brick) noexcept : brick_(brick) {}

  std::optional<double> update(double close) noexcept {
    if (!std::isfinite(close)) return std::nullopt;
    if (!started_) {
      started_ = true;
      base_ = close;
      return up_ ? close - brick_ : close + brick_;
    }
    if (up_) {
      if (close < base_ - brick_) {
        up_ = false;
        base_ = close;
        return close + brick_;
      }
      const double k = std::floor((close - base_) / brick_);
      if (k >= 1.0) base_ = k * brick_ + base_;
      return base_ - brick_;
    }
    if (close > base_ + brick_) {
      up_ = true;
      base_ = close;
      return base_ - brick_;
    }
    const double k = std::floor((base_ - close) / brick_);
    if (k >= 1.0) base_ = base_ - k * brick_;
    return base_ + brick_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double brick_;
  double base_ = 0.0;
  bool up_ = true;
  bool started_ = false;
};

}  // namespace sorvik
