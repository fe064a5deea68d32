#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Ulcer index of the closes: once n closes are held, the percentage drawdown d = (close - M) · 100
/// / M from the highest of the last n closes M (by scan; d = 0 when M is 0); the answer is
/// √(mean of the last n values of d²), the window of d² summed oldest first from zero. The first
/// answer comes at close 2n - 1.
class UlcerIndex {
 public:
  static Expected<UlcerIndex> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit UlcerIndex(std::uint64_t period)
      : closes_(static_cast<std::size_t>(period)),
        squares_(static_cast<std::size_t>(period)),
        n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    closes_.push_discard(x);
    if (!closes_.full()) return std::nullopt;
    const double m = scan_max(closes_);
    const double d = m == 0.0 ? 0.0 : (x - m) * 100.0 / m;
    squares_.push_discard(d * d);
    if (!squares_.full()) return std::nullopt;
    return std::sqrt(window_sum(squares_) / n_);
  }

  /// 2n - 1, saturating.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_mul(2, closes_.capacity()), 1);
  }

 private:
  Window<double> closes_;
  Window<double> squares_;
  double n_;
};

}  // namespace sorvik
