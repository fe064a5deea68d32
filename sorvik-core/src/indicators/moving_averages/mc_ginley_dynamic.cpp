#include "indicators/moving_averages/mc_ginley_dynamic.hpp"

#include <cmath>

namespace sorvik {

Expected<McGinleyDynamic> McGinleyDynamic::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return McGinleyDynamic(period);
}

std::optional<double> McGinleyDynamic::update(double x) noexcept {
  if (!std::isfinite(x)) return std::nullopt;
  if (!ready_) {
    if (auto s = seed_.add(x)) {
      value_ = *s;
      ready_ = true;
      return value_;
    }
    return std::nullopt;
  }
  if (x > 0.0 && value_ > 0.0) {
    const double r = (x / value_) * (x / value_);
    value_ = value_ + (x - value_) / (r * r * (n_ * 0.6));
  }
  return value_;
}

}  // namespace sorvik
