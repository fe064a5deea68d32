#include "indicators/volume/kvo.hpp"

#include <cmath>

namespace sorvik {

Expected<Kvo> Kvo::create(std::uint64_t fast, std::uint64_t slow) {
  if (fast == 0 || slow == 0) return fail(IndicatorError::zero_period());
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("KVO needs fast < slow"));
  if (auto err = check_max_period(slow)) return fail(*err);
  return Kvo(fast, slow);
}

std::optional<double> Kvo::update(const Candle& c) noexcept {
  const double sum = c.high + c.low + c.close;
  const double dm = c.high - c.low;
  if (!has_prev_) {
    prev_sum_ = sum;
    prev_dm_ = dm;
    has_prev_ = true;
    return std::nullopt;
  }
  double trend = trend_;
  if (sum > prev_sum_) {
    trend = 1.0;
  } else if (sum < prev_sum_) {
    trend = -1.0;
  }
  cm_ = trend == trend_ ? cm_ + dm : prev_dm_ + dm;
  trend_ = trend;
  prev_sum_ = sum;
  prev_dm_ = dm;
  const double force = cm_ == 0.0 ? 0.0 : (trend * (c.volume * std::fabs((dm / cm_ - 1.0) * 2.0))) * 100.0;
  const auto f = fast_.update(force);  // the averages skip a non-finite force
  const auto s = slow_.update(force);
  if (!f || !s) return std::nullopt;
  return *f - *s;
}

}  // namespace sorvik
