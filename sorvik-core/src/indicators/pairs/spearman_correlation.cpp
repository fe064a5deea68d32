#include "indicators/pairs/spearman_correlation.hpp"

#include <algorithm>
#include <numeric>

namespace sorvik {

Expected<SpearmanCorrelation> SpearmanCorrelation::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "spearman correlation needs period >= 2")) return fail(*err);
  return SpearmanCorrelation(period);
}

void pairs::average_ranks(const std::vector<double>& v, std::vector<std::size_t>& order, std::vector<double>& rank) {
  const std::size_t n = v.size();
  order.resize(n);
  rank.resize(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return v[a] < v[b]; });
  std::size_t i = 0;
  while (i < n) {
    std::size_t j = i;
    while (j + 1 < n && v[order[j + 1]] == v[order[i]]) ++j;
    const double r = (static_cast<double>(i + 1) + static_cast<double>(j + 1)) / 2.0;
    for (std::size_t k = i; k <= j; ++k) rank[order[k]] = r;
    i = j + 1;
  }
}

std::optional<double> SpearmanCorrelation::update(PairInput p) {
  if (!pairs::finite_pair(p)) return std::nullopt;
  window_.push_discard(pairs::XY{p.x, p.y});
  if (!window_.full()) return std::nullopt;
  const std::size_t n = window_.size();
  xs_.resize(n);
  ys_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    xs_[i] = window_[i].x;
    ys_[i] = window_[i].y;
  }
  pairs::average_ranks(xs_, order_, rx_);
  pairs::average_ranks(ys_, order_, ry_);
  double sx = 0.0;
  double sy = 0.0;
  double sxx = 0.0;
  double syy = 0.0;
  double sxy = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    sx = sx + rx_[i];
    sy = sy + ry_[i];
    sxx = sxx + rx_[i] * rx_[i];
    syy = syy + ry_[i] * ry_[i];
    sxy = sxy + rx_[i] * ry_[i];
  }
  const double m = static_cast<double>(n);
  const double mx = sx / m;
  const double my = sy / m;
  const double vx = non_negative(sxx / m - mx * mx);
  const double vy = non_negative(syy / m - my * my);
  return pairs::clamped_correlation(sxy / m - mx * my, vx, vy);
}

}  // namespace sorvik
