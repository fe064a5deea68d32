#include "indicators/moving_averages/frama.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace sorvik {

Expected<Frama> Frama::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("FRAMA period must be at least 2"));
  if (period % 2 != 0) return fail(IndicatorError::invalid_period("FRAMA period must be even"));
  if (auto err = check_period(period)) return fail(*err);
  return Frama(period);
}

std::optional<double> Frama::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  window_.push_discard(x);
  if (!window_.full()) return std::nullopt;
  const std::size_t n = window_.capacity();
  const std::size_t h = n / 2;
  constexpr double inf = std::numeric_limits<double>::infinity();
  double hi_a = -inf, lo_a = inf, hi_b = -inf, lo_b = inf;
  std::size_t i = 0;
  window_.for_each([&](double v) {
    if (i < h) {
      if (v > hi_a) hi_a = v;
      if (v < lo_a) lo_a = v;
    } else {
      if (v > hi_b) hi_b = v;
      if (v < lo_b) lo_b = v;
    }
    ++i;
  });
  const double hi = std::max(hi_a, hi_b);
  const double lo = std::min(lo_a, lo_b);
  const double nd = static_cast<double>(n);
  const double hd = static_cast<double>(h);
  const double r = (hi - lo) / nd;
  double alpha = 0.01;
  if (r > 0.0) {
    const double ra = (hi_a - lo_a) / hd;
    const double rb = (hi_b - lo_b) / hd;
    if (ra > 0.0 && rb > 0.0) {
      const double d = (std::log(ra + rb) - std::log(r)) / std::numbers::ln2;
      alpha = std::clamp(std::exp(-4.6 * (d - 1.0)), 0.01, 1.0);
    }
  }
  const double prev = value_ ? *value_ : x;
  value_ = (1.0 - alpha) * prev + x * alpha;
  return value_;
}

}  // namespace sorvik
