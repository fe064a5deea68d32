#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Band-pass of the close around period P with the given bandwidth; 0 until the close two bars back
/// exists.
class BandpassFilter {
 public:
  /// Checks: the period (0, then MAX_PERIOD); the bandwidth finite and inside (0, 1).
  static Expected<BandpassFilter> create(std::uint64_t period, double bandwidth);
  BandpassFilter(std::uint64_t period, double bandwidth) noexcept : bp_(period, bandwidth) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    return bp_.update(x);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  cycles::BandpassStage bp_;
};

}  // namespace sorvik
