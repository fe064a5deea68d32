#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Two-pole high-pass of the close; 0 until two previous closes exist.
class HighpassFilter {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<HighpassFilter> create(std::uint64_t period);
  explicit HighpassFilter(std::uint64_t period) noexcept : hp_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    return hp_.update(x);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  cycles::TwoPoleHighpass hp_;
};

}  // namespace sorvik
