#include "indicators/moving_averages/vidya.hpp"

#include <cmath>

namespace sorvik {

Expected<Vidya> Vidya::create(std::uint64_t period, std::uint64_t cmo_period) {
  if (period == 0) return fail(IndicatorError::zero_period());
  if (auto err = check_period(cmo_period)) return fail(*err);
  return Vidya(period, cmo_period);
}

std::optional<double> Vidya::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  const auto c = cmo_.update(x);
  if (!c) return std::nullopt;
  const double k = std::fabs(*c) / 100.0 * alpha_;
  const double prev = value_ ? *value_ : x;
  value_ = (1.0 - k) * prev + x * k;
  return value_;
}

}  // namespace sorvik
