#include "indicators/pairs/granger_causality.hpp"

#include <cmath>

namespace sorvik {

Expected<GrangerCausality> GrangerCausality::create(std::uint64_t period, std::uint64_t lag) {
  if (lag < 1) return fail(IndicatorError::invalid_period("granger causality needs lag >= 1"));
  if (auto err = check_max_period(lag)) return fail(*err);
  if (period < 3 * lag + 2) return fail(IndicatorError::invalid_period("granger causality needs period >= 3*lag + 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  if (2 * lag + 1 > pairs::MAX_REGRESSORS) return fail(IndicatorError::invalid_period("granger causality needs lag <= 127"));
  return GrangerCausality(period, lag);
}

void GrangerCausality::build_row(std::size_t t) noexcept {
  row_[0] = 1.0;
  for (std::size_t i = 1; i <= lag_; ++i) {
    row_[i] = xs_[t - i];
    row_[lag_ + i] = ys_[t - i];
  }
}

std::optional<double> GrangerCausality::update(PairInput p) {
  if (!pairs::finite_pair(p)) return std::nullopt;
  pairs_.push_discard(pairs::XY{p.x, p.y});
  if (!pairs_.full()) return std::nullopt;
  const std::size_t n = pairs_.size();
  const std::size_t k_r = lag_ + 1;
  const std::size_t k_u = 2 * lag_ + 1;
  xs_.resize(n);
  ys_.resize(n);
  row_.resize(k_u);
  b_restricted_.resize(k_r);
  b_unrestricted_.resize(k_u);
  for (std::size_t i = 0; i < n; ++i) {
    xs_[i] = pairs_[i].x;
    ys_[i] = pairs_[i].y;
  }
  eq_.reset();
  for (std::size_t t = lag_; t < n; ++t) {
    build_row(t);
    eq_.add_row(row_.data(), xs_[t]);
  }
  if (!eq_.solve(k_r, b_restricted_.data())) return 0.0;
  if (!eq_.solve(k_u, b_unrestricted_.data())) return 0.0;
  double rss_r = 0.0;
  double rss_u = 0.0;
  for (std::size_t t = lag_; t < n; ++t) {
    build_row(t);
    const double er = xs_[t] - pairs::dot(row_.data(), b_restricted_.data(), k_r);
    const double eu = xs_[t] - pairs::dot(row_.data(), b_unrestricted_.data(), k_u);
    rss_r = rss_r + er * er;
    rss_u = rss_u + eu * eu;
  }
  const double m = static_cast<double>(n - lag_);
  const double l = static_cast<double>(lag_);
  const double f = ((rss_r - rss_u) / l) / (rss_u / (m - 2.0 * l - 1.0));
  if (std::isnan(f)) return 0.0;
  return f > 0.0 ? f : 0.0;
}

}  // namespace sorvik
