#pragma once

#include <cstdint>
#include <optional>

#include "indicators/directional/directional_movement.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Directional movement index: |+DI - -DI| * 100 / (+DI + -DI) (0 when +DI + -DI is zero), from bar n + 1.
class Dx {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Dx> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit Dx(std::uint64_t period) noexcept : dm_(period) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (!dm_.update(c)) return std::nullopt;
    return directional::directional_movement_index(dm_.plus_di(), dm_.minus_di());
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(dm_.period(), 1); }

 private:
  directional::DirectionalMovement dm_;
};

}  // namespace sorvik
