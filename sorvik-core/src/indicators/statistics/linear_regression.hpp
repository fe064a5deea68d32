#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fitted value of the window's least-squares line at the newest bar: a0 + b·(n-1).
class LinearRegression {
 public:
  static Expected<LinearRegression> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit LinearRegression(std::uint64_t period) : acc_(period), n_minus_1_(static_cast<double>(period) - 1.0) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    return acc_.fitted_at(n_minus_1_);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  LinRegAccumulator acc_;
  double n_minus_1_;
};

}  // namespace sorvik
