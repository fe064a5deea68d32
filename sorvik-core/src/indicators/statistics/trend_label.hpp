#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The sign (-1, 0 or +1) of Σ(i - (n-1)/2)·(y_i - mean) over the window: the direction of its
/// least-squares slope.
class TrendLabel {
 public:
  static Expected<TrendLabel> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit TrendLabel(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), c_(LinRegConstants::of(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    const double mean = window_sum(window_) / c_.n;
    const double mid = (c_.n - 1.0) / 2.0;
    double s = 0.0;
    double i = 0.0;
    window_.for_each([&](double y) {
      s = s + (i - mid) * (y - mean);
      i = i + 1.0;
    });
    return s > 0.0 ? 1.0 : (s < 0.0 ? -1.0 : 0.0);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  LinRegConstants c_;
};

}  // namespace sorvik
