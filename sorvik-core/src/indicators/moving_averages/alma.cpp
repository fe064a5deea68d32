#include "indicators/moving_averages/alma.hpp"

#include <cmath>

namespace sorvik {

Expected<Alma> Alma::create(std::uint64_t period, double offset, double sigma) {
  if (auto err = check_period(period)) return fail(*err);
  if (!std::isfinite(offset) || offset < 0.0 || offset > 1.0) {
    return fail(IndicatorError::invalid_period("ALMA offset must be a finite value in [0, 1]"));
  }
  if (!std::isfinite(sigma) || !(sigma > 0.0)) {
    return fail(IndicatorError::invalid_period("ALMA sigma must be a finite positive value"));
  }
  return Alma(period, offset, sigma);
}

void Alma::compute_weights() {
  const std::size_t n = window_.capacity();
  const double nd = static_cast<double>(n);
  const double m = offset_ * (nd - 1.0);
  const double c = nd / sigma_ * 2.0 * (nd / sigma_);
  weights_.resize(n);
  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double d = static_cast<double>(i) - m;
    weights_[i] = std::exp(-(d * d) / c);
    sum = sum + weights_[i];
  }
  for (double& w : weights_) w = w / sum;
}

std::optional<double> Alma::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  window_.push_discard(x);
  if (!window_.full()) return std::nullopt;
  if (weights_.empty()) compute_weights();
  double value = 0.0;
  std::size_t i = 0;
  window_.for_each([&](double v) { value = value + weights_[i++] * v; });
  return value;
}

}  // namespace sorvik
