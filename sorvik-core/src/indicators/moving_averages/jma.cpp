#include "indicators/moving_averages/jma.hpp"

#include <algorithm>
#include <cmath>

namespace sorvik {

Expected<Jma> Jma::create(std::uint64_t period, double phase, std::uint32_t power) {
  if (auto err = check_period(period)) return fail(*err);
  if (!std::isfinite(phase)) return fail(IndicatorError::invalid_period("JMA phase must be a finite value"));
  if (power < 1 || power > 4) return fail(IndicatorError::invalid_period("JMA power must be in 1..=4"));
  return Jma(period, phase, power);
}

Jma::Jma(std::uint64_t period, double phase, std::uint32_t power) noexcept {
  const double t = 0.45 * static_cast<double>(period - 1);
  beta_ = t / (t + 2.0);
  // beta^power by repeated squaring.
  double result = 1.0;
  double base = beta_;
  for (std::uint32_t p = power; p != 0; p >>= 1) {
    if (p & 1u) result = result * base;
    if (p > 1) base = base * base;
  }
  alpha_ = result;
  pr_ = std::clamp(phase / 100.0 + 1.5, 0.5, 2.5);
}

std::optional<double> Jma::update(double x) noexcept {
  if (!std::isfinite(x)) return std::nullopt;
  if (!started_) {
    started_ = true;
    e0_ = x;
    value_ = x;
    return value_;
  }
  const double one_minus_alpha = 1.0 - alpha_;
  e0_ = e0_ * alpha_ + x * one_minus_alpha;
  e1_ = beta_ * e1_ + (1.0 - beta_) * (x - e0_);
  e2_ = alpha_ * alpha_ * e2_ + (e1_ * pr_ + e0_ - value_) * one_minus_alpha * one_minus_alpha;
  value_ = e2_ + value_;
  return value_;
}

}  // namespace sorvik
