#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/hma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Exponential Hull average: stages A = exponential(half) and B = exponential(n) on the close; once
/// both are ready, d = (a + a) - b feeds stage C = exponential(s), s = round(sqrt(n)).
class Ehma {
 public:
  static Expected<Ehma> create(std::uint64_t period);
  explicit Ehma(std::uint64_t period) noexcept
      : a_(hull_half_length(period)), b_(period), c_(hull_sqrt_length(period)), period_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto a = a_.update(x);
    const auto b = b_.update(x);
    if (!a || !b) return std::nullopt;
    return c_.update((*a + *a) - *b);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(period_, hull_sqrt_length(period_)), 1);
  }

 private:
  ExpStage a_;
  ExpStage b_;
  ExpStage c_;
  std::uint64_t period_;
};

}  // namespace sorvik
