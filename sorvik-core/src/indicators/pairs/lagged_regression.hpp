#pragma once

// The one-bar lagged regression of a spread window, shared by the AR(1) coefficient and the
// Ornstein-Uhlenbeck half-life: over the m = n - 1 pairs (s_i, f(i)) of a full window of n spreads,
// oldest first, the means of both components (sums in order / m), u0 = Σ(s_i - mean_prev)² and
// u1 = Σ(s_i - mean_prev)·(f(i) - mean_next); the slope (u1 / m) / v with v = max(u0 / m, 0).

#include <cstddef>
#include <optional>

#include "sorvik/blocks.hpp"

namespace sorvik::pairs {

/// The slope of f(i) on s_i over i = 0 ... n - 2, or nothing when v is not positive. `next(i)` gives
/// the second component of the i-th pair.
template <class Next>
[[nodiscard]] std::optional<double> lagged_slope(const Window<double>& s, Next next) {
  const std::size_t m = s.size() - 1;
  const double md = static_cast<double>(m);
  double sum_prev = 0.0;
  double sum_next = 0.0;
  for (std::size_t i = 0; i < m; ++i) {
    sum_prev = sum_prev + s[i];
    sum_next = sum_next + next(i);
  }
  const double mean_prev = sum_prev / md;
  const double mean_next = sum_next / md;
  double u0 = 0.0;
  double u1 = 0.0;
  for (std::size_t i = 0; i < m; ++i) {
    const double a = s[i] - mean_prev;
    u0 = u0 + a * a;
    u1 = u1 + a * (next(i) - mean_next);
  }
  const double v = non_negative(u0 / md);
  if (!(v > 0.0)) return std::nullopt;
  return (u1 / md) / v;
}

}  // namespace sorvik::pairs
