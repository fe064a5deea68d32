#pragma once

#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The `Ema` over n bars of the advancing share A / (A + D) (0 when there are neither advances nor
/// declines).
class BreadthThrust {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<BreadthThrust> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit BreadthThrust(std::uint64_t period) noexcept : ema_(period) {}

  std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    const double a = static_cast<double>(c.advances);
    const double moved = a + static_cast<double>(c.declines);
    return ema_.update(moved == 0.0 ? 0.0 : a / moved);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return ema_.warmup_period(); }

 private:
  Ema ema_;
};

}  // namespace sorvik
