#pragma once

// Quantiles of an ascending sequence by linear interpolation on positions 0..n-1.

#include <cmath>
#include <cstddef>
#include <vector>

namespace sorvik {

/// p = q·(n-1), i = floor(p); the largest value when i >= n-1, else v_i + (v_{i+1} - v_i)·(p - i).
/// Precondition: `sorted` is non-empty and ascending, 0 <= q <= 1.
[[nodiscard]] inline double sorted_quantile(const std::vector<double>& sorted, double q) noexcept {
  const std::size_t n = sorted.size();
  const double p = q * static_cast<double>(n - 1);
  const double fi = std::floor(p);
  const auto i = static_cast<std::size_t>(fi);
  if (i >= n - 1) return sorted[n - 1];
  return sorted[i] + (sorted[i + 1] - sorted[i]) * (p - fi);
}

}  // namespace sorvik
