#include "indicators/moving_averages/kama.hpp"

#include <cmath>

namespace sorvik {

Expected<Kama> Kama::create(std::uint64_t period, std::uint64_t fast, std::uint64_t slow) {
  if (auto err = check_period(period)) return fail(*err);
  if (fast == 0 || slow == 0) return fail(IndicatorError::zero_period());
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("KAMA fast period must be strictly less than slow"));
  return Kama(period, fast, slow);
}

std::optional<double> Kama::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  window_.push_discard(x);
  if (!window_.full()) return std::nullopt;
  double volatility = 0.0;
  bool first = true;
  double prev_x = 0.0;
  window_.for_each([&](double v) {
    if (!first) volatility = volatility + std::fabs(v - prev_x);
    first = false;
    prev_x = v;
  });
  const double change = std::fabs(x - window_.oldest());
  const double er = volatility == 0.0 ? 0.0 : change / volatility;
  const double sc = (fast_sc_ - slow_sc_) * er + slow_sc_;
  const double prev = value_ ? *value_ : window_.oldest();
  value_ = sc * sc * (x - prev) + prev;
  return value_;
}

}  // namespace sorvik
