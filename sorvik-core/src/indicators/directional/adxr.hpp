#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/directional/adx.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Average directional movement rating: the midpoint of the current ADX and the oldest of the last
/// n ADX values (the current one included), yielded once n ADX values are held (bar 3n - 1).
class Adxr {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Adxr> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit Adxr(std::uint64_t period) noexcept : adx_(period), history_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    const auto lines = adx_.update(c);
    if (!lines) return std::nullopt;
    const double adx = (*lines)[2];
    history_.push_discard(adx);
    if (!history_.full()) return std::nullopt;
    return midpoint(adx, history_.oldest());
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_mul(3, history_.capacity()), 1);
  }

 private:
  Adx adx_;
  Window<double> history_;
};

}  // namespace sorvik
