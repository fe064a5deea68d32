#pragma once

#include <cstdint>
#include <optional>

#include "indicators/bands/projection_bands.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Projection oscillator: the place of the close between the `ProjectionBands`(n) lines,
/// (close - lower) * 100 / (upper - lower), or 50 when upper = lower.
class ProjectionOscillator {
 public:
  /// Checks: the projection bands' (period >= 2, also for 0, then MAX_PERIOD).
  static Expected<ProjectionOscillator> create(std::uint64_t period);
  /// Precondition: `create`'s checks passed.
  explicit ProjectionOscillator(std::uint64_t period) noexcept : bands_(period) {}

  std::optional<double> update(const Candle& c) {
    const auto b = bands_.update(c);
    if (!b) return std::nullopt;
    const double upper = (*b)[0];
    const double lower = (*b)[2];
    if (upper == lower) return 50.0;
    return (c.close - lower) * 100.0 / (upper - lower);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bands_.warmup_period(); }

 private:
  ProjectionBands bands_;
};

}  // namespace sorvik
