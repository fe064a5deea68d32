#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Median of the absolute deviations of the last n closes from their median (no scale factor). The
/// deviations come out in ascending order by merging outward from the median's position in the sorted
/// copy, so no sort is needed; the merge stops at the middle of the deviation list.
class MedianAbsoluteDeviation {
 public:
  static Expected<MedianAbsoluteDeviation> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit MedianAbsoluteDeviation(std::uint64_t period) : window_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    const std::vector<double>& v = window_.sorted();
    const std::size_t n = v.size();
    const double med = window_.median();
    std::size_t left = static_cast<std::size_t>(
        std::lower_bound(v.begin(), v.end(), med, total_less) - v.begin());
    std::size_t right = left;
    double previous = 0.0;
    double current = 0.0;
    for (std::size_t k = 0; k <= n / 2; ++k) {
      double d;
      if (left > 0 && right < n) {
        const double dl = std::fabs(v[left - 1] - med);
        const double dr = std::fabs(v[right] - med);
        if (dl <= dr) {
          d = dl;
          --left;
        } else {
          d = dr;
          ++right;
        }
      } else if (left > 0) {
        d = std::fabs(v[--left] - med);
      } else {
        d = std::fabs(v[right++] - med);
      }
      previous = current;
      current = d;
    }
    return n % 2 == 1 ? current : midpoint(previous, current);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
};

}  // namespace sorvik
