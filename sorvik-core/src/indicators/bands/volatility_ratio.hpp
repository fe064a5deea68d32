#pragma once

#include <cstdint>
#include <optional>

#include "indicators/bands/true_range.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volatility ratio: the true range over its exponential average. The first bar only supplies a
/// previous close; the mean of the next n true ranges seeds the average (nothing yielded). Then
/// value = tr / average (0 when the average is not positive) with the previous average, after
/// which average = average * (1 - alpha) + tr * alpha, alpha = 2 / (n + 1).
class VolatilityRatio {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<VolatilityRatio> create(std::uint64_t period);
  explicit VolatilityRatio(std::uint64_t period) noexcept
      : seed_(period), alpha_(2.0 / (static_cast<double>(period) + 1.0)), keep_(1.0 - alpha_) {}

  std::optional<double> update(const Candle& c) noexcept {
    const bool first = !range_.started();
    const double tr = range_.next(c);
    if (first) return std::nullopt;
    if (!ready_) {
      if (auto mean = seed_.add(tr)) {
        average_ = *mean;
        ready_ = true;
      }
      return std::nullopt;
    }
    const double value = average_ > 0.0 ? tr / average_ : 0.0;
    average_ = average_ * keep_ + tr * alpha_;
    return value;
  }
  /// n + 2: one bar for the first previous close, n seeding ranges, then the first ratio.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(seed_.period(), 2); }

 private:
  TrueRangeCore range_;
  SeedMean seed_;
  double alpha_;
  double keep_;  // 1 - alpha
  double average_ = 0.0;
  bool ready_ = false;
};

}  // namespace sorvik
