#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Calmar ratio of the last n returns: the running-sum mean (the sum re-added from scratch every n
/// pushes) over M, the largest drawdown (peak - E) / peak of the equity compounded from 1, starting
/// from 0; 0 when M is 0.
class CalmarRatio {
 public:
  static Expected<CalmarRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit CalmarRatio(std::uint64_t period) : sum_(period, period) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    sum_.push(r);
    if (!sum_.full()) return std::nullopt;
    double largest = 0.0;
    performance::walk_compounded(sum_.window(), [&](double, double peak, double e) {
      const double d = (peak - e) / peak;
      if (d > largest) largest = d;
    });
    if (largest == 0.0) return 0.0;
    return sum_.mean() / largest;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sum_.period(); }

 private:
  RunningSum sum_;
};

}  // namespace sorvik
