#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Super smoother of the close (two-pole Butterworth-style smoother); the raw close for the first
/// two inputs, then c1 * midpoint(x, x_prev) + c2 * f1 + c3 * f2.
class SuperSmoother {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<SuperSmoother> create(std::uint64_t period);
  explicit SuperSmoother(std::uint64_t period) noexcept : ss_(static_cast<double>(period)) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    return ss_.update(x);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  cycles::SuperSmootherStage ss_;
};

}  // namespace sorvik
