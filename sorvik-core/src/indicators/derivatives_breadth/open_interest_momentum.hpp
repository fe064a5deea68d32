#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// 100 * (OI - OI n ticks ago) / (OI n ticks ago), over a window of the last n + 1 open interests;
/// 0 when the old value is not positive.
class OpenInterestMomentum {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<OpenInterestMomentum> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit OpenInterestMomentum(std::uint64_t period)
      : window_(static_cast<std::size_t>(period) + 1), period_(period) {}

  std::optional<double> update(const DerivativesTick& t) {
    window_.push_discard(t.open_interest);
    if (!window_.full()) return std::nullopt;
    const double old = window_.oldest();
    if (old <= 0.0) return 0.0;
    return (100.0 * (t.open_interest - old)) / old;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(period_, 1); }

 private:
  Window<double> window_;
  std::uint64_t period_;
};

}  // namespace sorvik
