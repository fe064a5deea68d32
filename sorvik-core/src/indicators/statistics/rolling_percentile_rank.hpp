#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Percentile rank of the newest close within the last n (itself included):
/// (count(v < x) + 0.5·count(v = x)) / n · 100.
class RollingPercentileRank {
 public:
  static Expected<RollingPercentileRank> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit RollingPercentileRank(std::uint64_t period)
      : window_(period), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    // The sorted copy (total order) is also partitioned by the plain comparisons, so -0 and +0 count
    // as equal here.
    const auto& v = window_.sorted();
    const auto [lo, hi] = std::equal_range(v.begin(), v.end(), x);
    const double less = static_cast<double>(lo - v.begin());
    const double equal = static_cast<double>(hi - lo);
    return (less + 0.5 * equal) / n_ * 100.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
  double n_;
};

}  // namespace sorvik
