#pragma once

// Small pieces shared by the band types: the multiplier check and the interpolated quantile.

#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "sorvik/indicator.hpp"

namespace sorvik::bands {

/// A multiplier (k, factor, percent, width) must be finite and strictly positive.
[[nodiscard]] inline std::optional<IndicatorError> check_multiplier(double k) noexcept {
  if (!(std::isfinite(k) && k > 0.0)) return IndicatorError::non_positive_multiplier();
  return std::nullopt;
}

/// The interpolated quantile at fraction q of m >= 1 values given by rank: p = q * (m - 1),
/// i = floor(p); (s[i + 1] - s[i]) * (p - i) + s[i] when i < m - 1, else s[m - 1]. `at(r)` answers
/// the value of rank r (0 = smallest); only ranks i and i + 1 are asked for.
template <class At>
[[nodiscard]] double interpolated_quantile(std::size_t m, double q, At&& at) {
  const double p = q * static_cast<double>(m - 1);
  const double fi = std::floor(p);
  const auto i = static_cast<std::size_t>(fi);
  if (i < m - 1) {
    const auto [lo, hi] = at(i);
    return (hi - lo) * (p - fi) + lo;
  }
  return at(m - 1).first;
}

/// The interpolated quantile of ascending values.
[[nodiscard]] inline double quantile_of_sorted(const std::vector<double>& s, double q) {
  return interpolated_quantile(s.size(), q, [&](std::size_t r) {
    return std::pair<double, double>{s[r], r + 1 < s.size() ? s[r + 1] : s[r]};
  });
}

/// The interpolated quantile at fraction q of the deviations dev(s_i) of ascending values s, where
/// dev is a distance from `center` that does not increase below it and does not decrease above it
/// (|x - c|, |(x - c) / scale|). The deviations on each side of the center are already in order, so
/// the needed ranks come from merging the two sides (no sort; the same values a sort would give).
template <class Dev>
[[nodiscard]] double deviation_quantile(const std::vector<double>& s, double center, double q, Dev&& dev) {
  const std::size_t m = s.size();
  // Split: s[0 .. j) lie below the center (their deviations grow towards index 0), s[j .. m) do not.
  std::size_t j = 0;
  {
    std::size_t lo = 0, hi = m;
    while (lo < hi) {
      const std::size_t mid = lo + (hi - lo) / 2;
      if (s[mid] < center) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    j = lo;
  }
  return interpolated_quantile(m, q, [&](std::size_t r) {
    // Merge the two ascending runs s[j-1], s[j-2], ... and s[j], s[j+1], ... up to rank r + 1;
    // each deviation is computed once.
    std::size_t left = j;   // the next left element is s[left - 1]
    std::size_t right = j;  // the next right element is s[right]
    double a = left != 0 ? dev(s[left - 1]) : 0.0;
    double b = right != m ? dev(s[right]) : 0.0;
    double out[2] = {0.0, 0.0};
    const std::size_t last = r + 1 < m ? r + 1 : r;
    for (std::size_t rank = 0; rank <= last; ++rank) {
      double v;
      if (right == m || (left != 0 && a < b)) {
        v = a;
        --left;
        if (left != 0) a = dev(s[left - 1]);
      } else {
        v = b;
        ++right;
        if (right != m) b = dev(s[right]);
      }
      if (rank >= r) out[rank - r] = v;
    }
    if (last == r) out[1] = out[0];
    return std::pair<double, double>{out[0], out[1]};
  });
}

}  // namespace sorvik::bands
