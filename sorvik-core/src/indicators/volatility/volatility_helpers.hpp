#pragma once

// Pieces shared by the volatility estimators: the price test of the log-return members, the rolling
// sample deviation of log returns, and the seeded average of the relative volatility index.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/anchored_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik::volatility {

/// A price a logarithm can be taken of: finite and strictly positive.
[[nodiscard]] inline bool positive_price(double x) noexcept { return std::isfinite(x) && x > 0.0; }

/// A candle whose prices all admit logarithms: every price lies in [low, high], so a positive low
/// is enough (the candle has been validated, so its prices are finite).
[[nodiscard]] inline bool positive_candle(const Candle& c) noexcept { return c.low > 0.0; }

/// The rolling sample variance of the last w values, kept as shifted sums (the first value as the
/// initial shift, re-based on the window mean every w pushes): with d = S1 / w,
/// variance = max(fma(w, -d², S2) / (w - 1), 0). Requires w >= 2.
class RollingSampleVariance {
 public:
  /// Precondition: 2 <= w.
  explicit RollingSampleVariance(std::uint64_t w) noexcept
      : acc_(w), w_(static_cast<double>(w)), w_minus_1_(static_cast<double>(w - 1)) {}

  /// Adds a finite value.
  void push(double x) { acc_.push(x); }

  [[nodiscard]] bool full() const noexcept { return acc_.full(); }
  [[nodiscard]] std::uint64_t period() const noexcept { return acc_.period(); }
  /// K + S1 / w (meaningful once full).
  [[nodiscard]] double mean() const noexcept { return acc_.mean(); }
  /// max(fma(w, -(S1 / w)², S2) / (w - 1), 0) (meaningful once full).
  [[nodiscard]] double variance() const noexcept {
    const double d = acc_.s1() / w_;
    return std::max(std::fma(w_, -(d * d), acc_.s2()) / w_minus_1_, 0.0);
  }
  /// sqrt(variance): neither annualised nor in percent.
  [[nodiscard]] double deviation() const noexcept { return std::sqrt(variance()); }

 private:
  AnchoredMoments<2> acc_;
  double w_;
  double w_minus_1_;
};

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
