#include "indicators/moving_averages/sine_weighted_ma.hpp"

#include <cmath>
#include <numbers>

namespace sorvik {

Expected<SineWeightedMa> SineWeightedMa::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return SineWeightedMa(period);
}

std::optional<double> SineWeightedMa::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  window_.push_discard(x);
  if (!window_.full()) return std::nullopt;
  if (weights_.empty()) {
    const std::size_t n = window_.capacity();
    const double denom = static_cast<double>(n) + 1.0;
    weights_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
      weights_[i] = std::sin((static_cast<double>(i) + 1.0) * std::numbers::pi / denom);
      weight_sum_ = weight_sum_ + weights_[i];
    }
  }
  double num = 0.0;
  std::size_t i = 0;
  window_.for_each([&](double v) { num = num + v * weights_[i++]; });
  return num / weight_sum_;
}

}  // namespace sorvik
