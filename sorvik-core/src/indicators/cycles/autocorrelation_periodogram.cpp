#include "indicators/cycles/autocorrelation_periodogram.hpp"

#include <algorithm>
#include <cmath>

namespace sorvik {

namespace {
constexpr double TWO_PI = 6.283185307179586;
}

AutocorrelationPeriodogram::AutocorrelationPeriodogram(std::uint64_t min_period, std::uint64_t max_period)
    : min_(min_period),
      max_(max_period),
      roof_(10, max_period),
      f_(static_cast<std::size_t>(max_period) + 3) {
  const std::uint64_t periods = max_ + 1 - min_;
  const std::uint64_t lags = max_ - 2;
  if (sat_mul(periods, lags) <= MAX_TABLE) {
    cos_.reserve(static_cast<std::size_t>(periods * lags));
    sin_.reserve(static_cast<std::size_t>(periods * lags));
    for (std::uint64_t p = min_; p <= max_; ++p) {
      for (std::uint64_t n = 3; n <= max_; ++n) {
        const double angle = TWO_PI * static_cast<double>(n) / static_cast<double>(p);
        cos_.push_back(std::cos(angle));
        sin_.push_back(std::sin(angle));
      }
    }
  }
}

std::optional<double> AutocorrelationPeriodogram::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  f_.push_discard(roof_.update(x));
  if (!f_.full()) return std::nullopt;
  const std::size_t m = static_cast<std::size_t>(min_);
  const std::size_t big_m = static_cast<std::size_t>(max_);
  if (corr_.empty()) {
    corr_.assign(big_m + 1, 0.0);
    power_.assign(big_m + 1 - m, 0.0);
  }

  // 1. Correlation of the three newest values with the three starting each lag back (pairs added
  //    oldest first). Lags 0..2 take no part in the spectrum.
  const double x0 = f_.back(0), x1 = f_.back(1), x2 = f_.back(2);
  const double sx = x2 + x1 + x0;
  const double sxx = x2 * x2 + x1 * x1 + x0 * x0;
  const double dx = 3.0 * sxx - sx * sx;
  for (std::size_t lag = 3; lag <= big_m; ++lag) {
    const double y0 = f_.back(lag), y1 = f_.back(lag + 1), y2 = f_.back(lag + 2);
    const double sy = y2 + y1 + y0;
    const double syy = y2 * y2 + y1 * y1 + y0 * y0;
    const double sxy = x2 * y2 + x1 * y1 + x0 * y0;
    const double den = dx * (3.0 * syy - sy * sy);
    corr_[lag] = den > 0.0 ? (3.0 * sxy - sx * sy) / std::sqrt(den) : 0.0;
  }

  // 2. Smoothed power per period and the decaying peak.
  max_power_ = 0.995 * max_power_;
  const bool table = !cos_.empty();
  std::size_t t = 0;
  for (std::size_t p = m; p <= big_m; ++p) {
    double c = 0.0;
    double s = 0.0;
    for (std::size_t n = 3; n <= big_m; ++n) {
      double cw, sw;
      if (table) {
        cw = cos_[t];
        sw = sin_[t];
        ++t;
      } else {
        const double angle = TWO_PI * static_cast<double>(n) / static_cast<double>(p);
        cw = std::cos(angle);
        sw = std::sin(angle);
      }
      c = c + corr_[n] * cw;
      s = s + corr_[n] * sw;
    }
    const double q = c * c + s * s;
    double& r = power_[p - m];
    r = 0.8 * r + 0.2 * (q * q);
    max_power_ = std::max(max_power_, r);
  }

  // 3. Power-weighted mean of the periods at or above half the peak.
  if (max_power_ > 0.0) {
    double num = 0.0;
    double den = 0.0;
    for (std::size_t p = m; p <= big_m; ++p) {
      const double pwr = power_[p - m] / max_power_;
      if (pwr >= 0.5) {
        num = num + static_cast<double>(p) * pwr;
        den = den + pwr;
      }
    }
    if (den > 0.0) {
      return std::clamp(num / den, static_cast<double>(min_), static_cast<double>(max_));
    }
  }
  return static_cast<double>(min_);
}

Expected<AutocorrelationPeriodogram> AutocorrelationPeriodogram::create(std::uint64_t min_period,
                                                                        std::uint64_t max_period) {
  if (min_period == 0 || max_period == 0) return fail(IndicatorError::zero_period());
  if (min_period < 4 || min_period >= max_period) {
    return fail(IndicatorError::invalid_period("autocorrelation periodogram needs AvgLength < min_period < max_period"));
  }
  if (max_period <= 10) {
    return fail(IndicatorError::invalid_period("lp_period must be strictly less than hp_period"));
  }
  if (auto err = check_max_period(max_period)) return fail(*err);
  return AutocorrelationPeriodogram(min_period, max_period);
}

}  // namespace sorvik
