#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/directional/directional_movement.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Vertical horizontal filter on the close: (highest - lowest of the last n closes) divided by the
/// running sum of the last n absolute one-bar changes (no periodic re-add), 0 when that sum is zero.
/// From the (n + 1)-th close.
class VerticalHorizontalFilter {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<VerticalHorizontalFilter> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit VerticalHorizontalFilter(std::uint64_t period) noexcept
      : closes_(static_cast<std::size_t>(period)), changes_(period, directional::NO_READD) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    if (!closes_.empty()) changes_.push(std::fabs(x - closes_.newest()));
    closes_.push_discard(x);
    if (!changes_.full()) return std::nullopt;
    const double path = changes_.sum();
    if (path == 0.0) return 0.0;
    return (scan_max(closes_) - scan_min(closes_)) / path;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(closes_.capacity(), 1); }

 private:
  Window<double> closes_;
  RunningSum changes_;
};

}  // namespace sorvik
