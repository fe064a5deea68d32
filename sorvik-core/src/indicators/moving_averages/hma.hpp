#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/wma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// sqrt(n) to the nearest integer (halves away from zero), at least 1: the final length of the Hull
/// averages.
[[nodiscard]] inline std::uint64_t hull_sqrt_length(std::uint64_t n) noexcept {
  const auto s = static_cast<std::uint64_t>(std::round(std::sqrt(static_cast<double>(n))));
  return s < 1 ? 1 : s;
}
/// n / 2, at least 1.
[[nodiscard]] inline std::uint64_t hull_half_length(std::uint64_t n) noexcept {
  return n / 2 < 1 ? 1 : n / 2;
}

/// Hull moving average: Wma(half) and Wma(n) of the close; once both yield, 2 * a - b feeds
/// Wma(s), s = round(sqrt(n)).
class Hma {
 public:
  static Expected<Hma> create(std::uint64_t period);
  explicit Hma(std::uint64_t period)
      : half_(hull_half_length(period)), full_(period), final_(hull_sqrt_length(period)), period_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const auto a = half_.update(x);
    const auto b = full_.update(x);
    if (!a || !b) return std::nullopt;
    return final_.update(2.0 * *a - *b);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(period_, hull_sqrt_length(period_)), 1);
  }

 private:
  Wma half_;
  Wma full_;
  Wma final_;
  std::uint64_t period_;
};

}  // namespace sorvik
