#include "indicators/moving_averages/holt_winters.hpp"

#include <cmath>

namespace sorvik {

Expected<HoltWinters> HoltWinters::create(double alpha, double beta) {
  if (!(alpha > 0.0 && alpha <= 1.0)) {
    return fail(IndicatorError::invalid_period("HoltWinters alpha must be in (0.0, 1.0]"));
  }
  if (!(beta > 0.0 && beta <= 1.0)) {
    return fail(IndicatorError::invalid_period("HoltWinters beta must be in (0.0, 1.0]"));
  }
  return HoltWinters(alpha, beta);
}

std::optional<double> HoltWinters::update(double x) noexcept {
  if (!std::isfinite(x)) return std::nullopt;
  if (seen_ == 0) {
    level_ = x;  // the first close
    seen_ = 1;
    return std::nullopt;
  }
  if (seen_ == 1) {
    trend_ = x - level_;
    level_ = x;
    seen_ = 2;
  } else {
    const double level = (level_ + trend_) * (1.0 - alpha_) + x * alpha_;
    trend_ = (1.0 - beta_) * trend_ + (level - level_) * beta_;
    level_ = level;
  }
  return trend_ + level_;
}

}  // namespace sorvik
