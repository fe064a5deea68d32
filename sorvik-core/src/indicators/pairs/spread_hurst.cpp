#include "indicators/pairs/spread_hurst.hpp"

#include <algorithm>
#include <cmath>

namespace sorvik {

Expected<SpreadHurst> SpreadHurst::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 8, "spread Hurst needs period >= 8")) return fail(*err);
  return SpreadHurst(period);
}

std::optional<double> SpreadHurst::update(PairInput p) {
  if (!pairs::finite_pair(p)) return std::nullopt;
  spreads_.push_discard(p.x - p.y);
  if (!spreads_.full()) return std::nullopt;
  const std::size_t n = spreads_.size();
  s_.resize(n);
  for (std::size_t i = 0; i < n; ++i) s_[i] = spreads_[i];
  const std::size_t max_tau = n / 4;
  points_.clear();
  points_.reserve(max_tau);
  for (std::size_t tau = 1; tau <= max_tau; ++tau) {
    double sum = 0.0;
    for (std::size_t k = tau; k < n; ++k) {
      const double d = s_[k] - s_[k - tau];
      sum = sum + d * d;
    }
    const double msd = sum / static_cast<double>(n - tau);
    if (msd > 0.0) points_.emplace_back(std::log(static_cast<double>(tau)), std::log(msd));
  }
  if (points_.size() < 2) return 0.5;
  const double count = static_cast<double>(points_.size());
  double sum_x = 0.0;
  double sum_y = 0.0;
  for (const auto& [x, y] : points_) {
    sum_x = sum_x + x;
    sum_y = sum_y + y;
  }
  const double mean_x = sum_x / count;
  const double mean_y = sum_y / count;
  double sxy = 0.0;
  double sxx = 0.0;
  for (const auto& [x, y] : points_) {
    const double dx = x - mean_x;
    sxy = sxy + dx * (y - mean_y);
    sxx = sxx + dx * dx;
  }
  return std::clamp(sxy / sxx * 0.5, 0.0, 1.0);
}

}  // namespace sorvik
