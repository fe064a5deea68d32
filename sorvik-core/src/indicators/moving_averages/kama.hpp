#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Kaufman adaptive moving average over a window of n + 1 closes: efficiency ratio
/// er = |x - oldest| / (sum of |x_i - x_(i-1)|), sc = (fast_sc - slow_sc) * er + slow_sc,
/// value = sc * sc * (x - prev) + prev (prev = the oldest close on the first value).
class Kama {
 public:
  /// Checks: the three lengths non-zero (n also within MAX_PERIOD), then fast < slow.
  static Expected<Kama> create(std::uint64_t period, std::uint64_t fast, std::uint64_t slow);
  Kama(std::uint64_t period, std::uint64_t fast, std::uint64_t slow) noexcept
      : window_(static_cast<std::size_t>(period + 1)),
        fast_sc_(2.0 / (static_cast<double>(fast) + 1.0)),
        slow_sc_(2.0 / (static_cast<double>(slow) + 1.0)) {}

  std::optional<double> update(double x);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double fast_sc_;
  double slow_sc_;
  std::optional<double> value_;
};

}  // namespace sorvik
