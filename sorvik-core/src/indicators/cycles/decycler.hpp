#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Decycler: the close minus its two-pole high-pass.
class Decycler {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Decycler> create(std::uint64_t period);
  explicit Decycler(std::uint64_t period) noexcept : hp_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    return x - hp_.update(x);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  cycles::TwoPoleHighpass hp_;
};

}  // namespace sorvik
