#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/quantile.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volatility regime: the sample standard deviation σ of the last V log returns is ranked against
/// the last L such σ (itself included): -1 below their first quartile, +1 above their third, else 0.
/// Closes that are not finite and positive are skipped.
class RegimeLabel {
 public:
  static Expected<RegimeLabel> create(std::uint64_t vol_period, std::uint64_t lookback);
  /// Precondition: the parameters passed `create`'s checks.
  RegimeLabel(std::uint64_t vol_period, std::uint64_t lookback)
      : returns_(vol_period), sigmas_(lookback), v_(static_cast<double>(vol_period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x) || !(x > 0.0)) return std::nullopt;
    if (!previous_) {
      previous_ = x;
      return std::nullopt;
    }
    returns_.push(std::log(x / *previous_));
    previous_ = x;
    if (!returns_.full()) return std::nullopt;
    const double a = returns_.s1() / v_;
    const double sigma = std::sqrt(non_negative((returns_.s2() - v_ * (a * a)) / (v_ - 1.0)));
    sigmas_.push(sigma);
    if (!sigmas_.full()) return std::nullopt;
    const double q1 = sorted_quantile(sigmas_.sorted(), 0.25);
    const double q3 = sorted_quantile(sigmas_.sorted(), 0.75);
    if (sigma < q1) return -1.0;
    if (sigma > q3) return 1.0;
    return 0.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(returns_.period(), sigmas_.capacity());
  }

 private:
  AnchoredMoments<2> returns_;
  SortedWindow sigmas_;
  double v_;
  std::optional<double> previous_;
};

}  // namespace sorvik
