#include "indicators/momentum/adaptive_cci.hpp"

#include <cmath>

namespace sorvik {

Expected<AdaptiveCci> AdaptiveCci::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("adaptive CCI needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return AdaptiveCci(period);
}

std::optional<double> AdaptiveCci::update(const Candle& c) {
  const double tp = (c.high + c.low + c.close) / 3.0;
  tps_.push_discard(tp);
  if (!tps_.full()) return std::nullopt;

  if (!has_mean_) {
    mean_ = window_sum(tps_) / n_;
    has_mean_ = true;
  } else {
    double path = 0.0;
    bool first = true;
    double prev = 0.0;
    tps_.for_each([&](double v) {
      if (!first) path = path + std::fabs(v - prev);
      first = false;
      prev = v;
    });
    double sc = 0.004162330905306971;
    if (path > 0.0) {
      double er = std::fabs(tp - tps_.oldest()) / path;
      if (er > 1.0) er = 1.0;
      const double t = er * 0.6021505376344085 + 0.06451612903225806;
      sc = t * t;
    }
    mean_ = sc * (tp - mean_) + mean_;
  }

  double dev = 0.0;
  tps_.for_each([&](double v) { dev = dev + std::fabs(v - mean_); });
  const double mean_dev = dev / n_;
  if (!(mean_dev > 0.0)) return 0.0;
  return (tp - mean_) / (mean_dev * 0.015);
}

}  // namespace sorvik
