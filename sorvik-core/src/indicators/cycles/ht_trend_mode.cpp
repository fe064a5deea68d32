#include "indicators/cycles/ht_trend_mode.hpp"

#include <cmath>

namespace sorvik {

std::optional<double> HtTrendMode::update(double x) noexcept {
  if (!std::isfinite(x)) return std::nullopt;
  prices_.push(x);
  if (!core_.update(x)) return std::nullopt;

  const cycles::DcPhase p = cycles::dc_phase(core_);
  const double sp = core_.smoothed_period();
  const double sine = std::sin(p.phase * cycles::DEG_TO_RAD);
  const double lead = std::sin((p.phase + 45.0) * cycles::DEG_TO_RAD);

  bool trend = true;
  if ((lead < sine && prev_lead_ >= prev_sine_) || (lead > sine && prev_lead_ <= prev_sine_)) {
    days_in_trend_ = 0;
    trend = false;
  }
  ++days_in_trend_;
  if (static_cast<double>(days_in_trend_) < 0.5 * sp) trend = false;
  const double delta = p.phase - prev_phase_;
  if (241.20000000000002 / sp < delta && delta < 540.0 / sp) trend = false;

  // Mean of the newest K closes, added oldest first.
  double sum = 0.0;
  for (std::size_t j = p.k; j-- > 0;) sum = sum + prices_[j];
  const double t0 = sum / static_cast<double>(p.k);
  const double trendline = (4.0 * t0 + 3.0 * t1_ + 2.0 * t2_ + t3_) / 10.0;
  if (trendline != 0.0 && std::fabs((core_.smooth() - trendline) / trendline) >= 0.015) trend = true;

  t3_ = t2_;
  t2_ = t1_;
  t1_ = t0;
  prev_sine_ = sine;
  prev_lead_ = lead;
  prev_phase_ = p.phase;
  if (core_.count() < cycles::HilbertCore::WARMUP) return std::nullopt;
  return trend ? 1.0 : 0.0;
}

}  // namespace sorvik
