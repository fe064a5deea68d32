#include "indicators/moving_averages/mama.hpp"

#include <algorithm>
#include <cmath>

namespace sorvik {

namespace {
constexpr double EPS = 2.220446049250313e-16;
}

std::optional<IndicatorError> MamaCore::check(double fast_limit, double slow_limit) noexcept {
  if (!std::isfinite(fast_limit) || !std::isfinite(slow_limit) || !(0.0 < slow_limit) ||
      !(slow_limit <= fast_limit) || !(fast_limit <= 1.0)) {
    return IndicatorError::invalid_period("fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1");
  }
  return std::nullopt;
}

std::optional<std::array<double, 2>> MamaCore::update(double x) noexcept {
  if (!std::isfinite(x)) return std::nullopt;
  ++count_;
  // 1. Smoothed price.
  closes_.insert(x);
  if (!closes_.full()) return std::nullopt;
  const double smooth = (closes_[2] * 2.0 + (closes_[1] * 3.0 + 4.0 * x) + closes_[3]) / 10.0;
  // 2.
  smooth_.insert(smooth);
  if (!smooth_.full()) {
    mama_ = smooth;
    fama_ = smooth;
    return std::nullopt;
  }
  // 3. Detrender with the previous bar's period.
  const double m = std::min(std::max(period_, 6.0), 50.0) * 0.075 + 0.54;
  detrender_.insert(hilbert(smooth_, m));
  if (!detrender_.full()) return std::nullopt;
  // 4. In-phase and quadrature components.
  const double i1 = detrender_[3];
  const double q1 = hilbert(detrender_, m);
  i1_.insert(i1);
  q1_.insert(q1);
  if (!i1_.full() || !q1_.full()) return std::nullopt;
  // 5. Phasor advance and homodyne discriminator.
  const double ji = hilbert(i1_, m);
  const double jq = hilbert(q1_, m);
  const double pi2 = i2_;
  const double pq2 = q2_;
  i2_ = i2_ * 0.8 + (i1 - jq) * 0.2;
  q2_ = q2_ * 0.8 + (q1 + ji) * 0.2;
  re_ = re_ * 0.8 + (i2_ * pi2 + q2_ * pq2) * 0.2;
  im_ = im_ * 0.8 + (i2_ * pq2 - q2_ * pi2) * 0.2;
  // 6. Period.
  const double prev_period = period_;
  double raw = prev_period;
  if (std::fabs(re_) > EPS && std::fabs(im_) > EPS) raw = 6.283185307179586 / std::atan2(im_, re_);
  if (raw > 1.5 * prev_period) raw = 1.5 * prev_period;
  if (raw < 0.67 * prev_period) raw = 0.67 * prev_period;
  raw = std::clamp(raw, 6.0, 50.0);
  period_ = prev_period * 0.8 + raw * 0.2;
  // 7. Phase and its change.
  double delta = 0.0;
  if (std::fabs(i1) > EPS) {
    const double prev_phase = phase_;
    phase_ = std::atan(q1 / i1) * 57.29577951308232;
    delta = prev_phase - phase_;
  }
  const double alpha = std::max(slow_limit_, fast_limit_ / std::max(delta, 1.0));
  // 8.
  mama_ = (1.0 - alpha) * mama_ + x * alpha;
  fama_ = (1.0 - alpha * 0.5) * fama_ + alpha * 0.5 * mama_;
  // 9.
  if (count_ < 33) return std::nullopt;
  return std::array<double, 2>{mama_, fama_};
}

Expected<Mama> Mama::create(double fast_limit, double slow_limit) {
  if (auto err = MamaCore::check(fast_limit, slow_limit)) return fail(*err);
  return Mama(fast_limit, slow_limit);
}

}  // namespace sorvik
