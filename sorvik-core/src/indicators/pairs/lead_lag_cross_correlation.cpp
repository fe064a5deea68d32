#include "indicators/pairs/lead_lag_cross_correlation.hpp"

#include <cmath>

namespace sorvik {

Expected<LeadLagCrossCorrelation> LeadLagCrossCorrelation::create(std::uint64_t window, std::uint64_t max_lag) {
  if (auto err = pairs::check_min_period(window, 2, "lead-lag cross-correlation needs window >= 2")) return fail(*err);
  if (max_lag < 1) return fail(IndicatorError::invalid_period("lead-lag cross-correlation needs max_lag >= 1"));
  return LeadLagCrossCorrelation(window, max_lag);
}

double LeadLagCrossCorrelation::corr(std::size_t j) const noexcept {
  const std::size_t w = static_cast<std::size_t>(w_);
  const std::size_t l = static_cast<std::size_t>(lag_);
  const double wd = static_cast<double>(w_);
  double sum_y = 0.0;
  for (std::size_t i = 0; i < w; ++i) sum_y = sum_y + ys_[j + i];
  const double mean_y = sum_y / wd;
  double syy = 0.0;
  double sxy = 0.0;
  for (std::size_t i = 0; i < w; ++i) {
    const double dx = xs_[l + i] - mean_x_;
    const double dy = ys_[j + i] - mean_y;
    syy = syy + dy * dy;
    sxy = sxy + dx * dy;
  }
  const double vx = non_negative(sxx_ / wd);
  const double vy = non_negative(syy / wd);
  return pairs::clamped_correlation(sxy / wd, vx, vy);
}

std::optional<std::array<double, 1>> LeadLagCrossCorrelation::update(PairInput p) {
  if (!pairs::finite_pair(p)) return std::nullopt;
  pairs_.push_discard(pairs::XY{p.x, p.y});
  if (!pairs_.full()) return std::nullopt;
  const std::size_t n = pairs_.size();
  xs_.resize(n);
  ys_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    xs_[i] = pairs_[i].x;
    ys_[i] = pairs_[i].y;
  }
  // The closes' side is the same for every offset.
  const std::size_t w = static_cast<std::size_t>(w_);
  const std::size_t l = static_cast<std::size_t>(lag_);
  double sum_x = 0.0;
  for (std::size_t i = 0; i < w; ++i) sum_x = sum_x + xs_[l + i];
  mean_x_ = sum_x / static_cast<double>(w_);
  sxx_ = 0.0;
  for (std::size_t i = 0; i < w; ++i) {
    const double dx = xs_[l + i] - mean_x_;
    sxx_ = sxx_ + dx * dx;
  }
  double best = corr(l);
  for (std::size_t i = 1; i <= l; ++i) {
    const double lead = corr(l - i);
    if (std::fabs(lead) > std::fabs(best)) best = lead;
    const double lagged = corr(l + i);
    if (std::fabs(lagged) > std::fabs(best)) best = lagged;
  }
  return std::array<double, 1>{best};
}

}  // namespace sorvik
