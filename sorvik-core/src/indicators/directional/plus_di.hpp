#pragma once

#include <cstdint>
#include <optional>

#include "indicators/directional/directional_movement.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Plus directional indicator: (smoothed +DM * 100) / smoothed true range (0 when that is zero), from bar n + 1.
class PlusDi {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<PlusDi> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit PlusDi(std::uint64_t period) noexcept : dm_(period) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (!dm_.update(c)) return std::nullopt;
    return dm_.plus_di();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(dm_.period(), 1); }

 private:
  directional::DirectionalMovement dm_;
};

}  // namespace sorvik
