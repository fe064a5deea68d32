#pragma once

// Pieces shared by the volatility estimators: the price test of the log-return members and the seeded
// average of the relative volatility index.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik::volatility {

/// A price a logarithm can be taken of: finite and strictly positive.
[[nodiscard]] inline bool positive_price(double x) noexcept { return std::isfinite(x) && x > 0.0; }

/// A candle whose prices all admit logarithms: every price lies in [low, high], so a positive low
/// is enough (the candle has been validated, so its prices are finite).
[[nodiscard]] inline bool positive_candle(const Candle& c) noexcept { return c.low > 0.0; }

/// The average of the relative volatility index: the mean of the first n inputs (added oldest first
/// from zero, divided by n), then avg = fma(avg, n - 1, x) / n.
class RviAverage {
 public:
  explicit RviAverage(std::uint64_t n) noexcept
      : seed_(n), n_(static_cast<double>(n)), n_minus_1_(static_cast<double>(n - 1)) {}

  /// Adds x; the average once n inputs were seen.
  std::optional<double> update(double x) noexcept {
    if (ready_) [[likely]] {
      value_ = std::fma(value_, n_minus_1_, x) / n_;
      return value_;
    }
    if (auto s = seed_.add(x)) {
      value_ = *s;
      ready_ = true;
      return value_;
    }
    return std::nullopt;
  }

 private:
  SeedMean seed_;
  double n_;
  double n_minus_1_;
  double value_ = 0.0;
  bool ready_ = false;
};

}  // namespace sorvik::volatility
