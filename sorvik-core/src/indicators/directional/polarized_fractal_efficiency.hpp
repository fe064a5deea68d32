#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/directional/directional_movement.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Polarized fractal efficiency on the close. Each one-bar change d gives a path segment
/// sqrt(fma(d, d, 1)); the last n segments are held with a running path sum (no periodic re-add).
/// Once n + 1 closes are held, with l = close - the close n bars back, pfe = sqrt(fma(l, l, n * n))
/// * (+100, -100 or 0 by the sign of l) / path. The pfe values feed an `Ema`(m), whose value is
/// yielded (from the (n + m)-th close). A non-finite pfe is skipped and yields nothing.
class PolarizedFractalEfficiency {
 public:
  /// Checks: the period n, then the smoothing m (each 0, then MAX_PERIOD).
  static Expected<PolarizedFractalEfficiency> create(std::uint64_t period, std::uint64_t smoothing);
  /// Precondition: both lengths passed `check_period`.
  PolarizedFractalEfficiency(std::uint64_t period, std::uint64_t smoothing) noexcept
      : n_squared_(static_cast<double>(period) * static_cast<double>(period)),
        closes_(static_cast<std::size_t>(period) + 1),
        path_(period, directional::NO_READD),
        average_(smoothing) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    if (!closes_.empty()) {
      const double d = x - closes_.newest();
      path_.push(std::sqrt(std::fma(d, d, 1.0)));
    }
    closes_.push_discard(x);
    if (!closes_.full()) return std::nullopt;
    const double l = x - closes_.oldest();
    const double straight = std::sqrt(std::fma(l, l, n_squared_));
    const double sign = l > 0.0 ? 100.0 : (l < 0.0 ? -100.0 : 0.0);
    const double pfe = (straight * sign) / path_.sum();
    if (!std::isfinite(pfe)) return std::nullopt;
    return average_.update(pfe);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(path_.period(), average_.warmup_period());
  }

 private:
  double n_squared_;
  Window<double> closes_;
  RunningSum path_;
  Ema average_;
};

}  // namespace sorvik
