#include "indicators/moving_averages/t3.hpp"

#include <cmath>

namespace sorvik {

Expected<T3> T3::create(std::uint64_t period, double volume_factor) {
  if (auto err = check_period(period)) return fail(*err);
  if (!std::isfinite(volume_factor) || volume_factor < 0.0 || volume_factor > 1.0) {
    return fail(IndicatorError::invalid_period("T3 volume factor must be a finite value in [0.0, 1.0]"));
  }
  return T3(period, volume_factor);
}

T3::T3(std::uint64_t period, double v) noexcept
    : e_{ExpStage(period), ExpStage(period), ExpStage(period), ExpStage(period), ExpStage(period),
         ExpStage(period)},
      period_(period) {
  const double b = v * v;
  const double c = v * b;
  c1_ = -c;
  c2_ = b * 3.0 + c * 3.0;
  c3_ = b * -6.0 - 3.0 * v - c * 3.0;
  c4_ = 3.0 * v + 1.0 + c + b * 3.0;
}

std::optional<double> T3::update(double x) noexcept {
  if (!std::isfinite(x)) return std::nullopt;
  std::array<double, 6> v{};
  double in = x;
  for (std::size_t i = 0; i < 6; ++i) {
    const auto out = e_[i].update(in);
    if (!out) return std::nullopt;
    v[i] = *out;
    in = *out;
  }
  // v[k - 1] is e_k.
  return c4_ * v[2] + ((c2_ * v[4] + c1_ * v[5]) + c3_ * v[3]);
}

}  // namespace sorvik
