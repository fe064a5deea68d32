#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Instantaneous trendline, alpha = 2/(P+1): (x + 2 x1 + x2)/4 for the first 6 closes (a missing
/// earlier close replaced by x), then the two-pole recursion on the closes and the previous two
/// values.
class InstantaneousTrendline {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<InstantaneousTrendline> create(std::uint64_t period);
  explicit InstantaneousTrendline(std::uint64_t period) noexcept;

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    double it;
    if (inputs_ >= 6) [[likely]] {
      it = k_x_ * x + k_x1_ * x1_ - k_x2_ * x2_ + k_it1_ * it1_ - k_it2_ * it2_;
    } else {
      const double a = inputs_ >= 1 ? x1_ : x;
      const double b = inputs_ >= 2 ? x2_ : x;
      it = (x + 2.0 * a + b) / 4.0;
      ++inputs_;
    }
    x2_ = x1_;
    x1_ = x;
    it2_ = it1_;
    it1_ = it;
    return it;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double k_x_, k_x1_, k_x2_, k_it1_, k_it2_;
  double x1_ = 0.0, x2_ = 0.0, it1_ = 0.0, it2_ = 0.0;
  int inputs_ = 0;  // previous inputs, counted up to 6
};

}  // namespace sorvik
