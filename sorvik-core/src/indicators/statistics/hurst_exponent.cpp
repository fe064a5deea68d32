#include "indicators/statistics/hurst_exponent.hpp"

namespace sorvik {

Expected<HurstExponent> HurstExponent::create(std::uint64_t period, std::uint64_t chunks) {
  if (chunks < 2) return fail(IndicatorError::invalid_period("Hurst chunks must be >= 2"));
  if (auto err = check_max_period(chunks)) return fail(*err);
  if (period / 2 < chunks) {  // period >= 2 * chunks
    return fail(IndicatorError::invalid_period("Hurst period must be >= 2 * chunks"));
  }
  return HurstExponent(period, chunks);
}

std::optional<double> HurstExponent::update(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  window_.push_discard(x);
  if (!window_.full()) return std::nullopt;
  work_.clear();
  window_.for_each([&](double v) { work_.push_back(v); });
  const std::size_t n = work_.size();
  double points = 0.0;
  double sx = 0.0;
  double sy = 0.0;
  double sxy = 0.0;
  double sxx = 0.0;
  for (std::size_t k = 1; k <= chunks_; ++k) {
    const std::size_t s = n / k;
    const double sf = static_cast<double>(s);
    double rs_sum = 0.0;
    std::size_t valid = 0;
    for (std::size_t c = 0; c < k; ++c) {
      const double* chunk = work_.data() + c * s;
      bool flat = true;
      double sum = 0.0;
      for (std::size_t t = 0; t < s; ++t) {
        sum = sum + chunk[t];
        flat = flat && chunk[t] == chunk[0];
      }
      if (flat) continue;
      const double m = sum / sf;
      double y = 0.0;
      double ymax = 0.0;
      double ymin = 0.0;
      double ss = 0.0;
      for (std::size_t t = 0; t < s; ++t) {
        const double d = chunk[t] - m;
        y = y + d;
        if (t == 0 || y > ymax) ymax = y;
        if (t == 0 || y < ymin) ymin = y;
        ss = ss + d * d;
      }
      const double range = ymax - ymin;
      const double sd = std::sqrt(ss / sf);
      if (range == 0.0 || sd == 0.0) continue;
      rs_sum = rs_sum + range / sd;
      ++valid;
    }
    if (valid == 0) continue;
    const double px = std::log(sf);
    const double py = std::log(rs_sum / static_cast<double>(valid));
    points = points + 1.0;
    sx = sx + px;
    sy = sy + py;
    sxy = sxy + px * py;
    sxx = sxx + px * px;
  }
  if (points < 2.0) return 0.5;
  const double den = points * sxx - sx * sx;
  if (den == 0.0) return 0.5;
  const double h = (points * sxy - sx * sy) / den;
  if (std::isnan(h)) return 0.5;
  return h < 0.0 ? 0.0 : (h > 1.0 ? 1.0 : h);
}

}  // namespace sorvik
