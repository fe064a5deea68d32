#pragma once

// Small guarded ratios shared by the derivatives measures.

namespace sorvik::derivatives_detail {

/// (a - b) / b, the relative distance of a from the reference b; 0 when b is zero.
[[nodiscard]] inline double relative_spread(double a, double b) noexcept {
  if (b == 0.0) return 0.0;
  return (a - b) / b;
}

}  // namespace sorvik::derivatives_detail
