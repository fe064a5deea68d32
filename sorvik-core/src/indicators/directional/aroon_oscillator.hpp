#pragma once

#include <cstdint>
#include <optional>

#include "indicators/directional/aroon.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Aroon "up" minus Aroon "down", from bar n + 1.
class AroonOscillator {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<AroonOscillator> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit AroonOscillator(std::uint64_t period) noexcept : aroon_(period) {}

  std::optional<double> update(const Candle& c) {
    const auto lines = aroon_.update(c);
    if (!lines) return std::nullopt;
    return (*lines)[0] - (*lines)[1];
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return aroon_.warmup_period(); }

 private:
  Aroon aroon_;
};

}  // namespace sorvik
